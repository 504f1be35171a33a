#include "components/grid/Ravgrid.h"

#include <algorithm>

#include "components/grid/Ragcheck.h"
#include "components/grid/RavgridHint.h"
#include "components/grid/RavgridResources.h"
#include "components/grid/RavobjWindows.h"
#include "components/grid/Ravxpvs.h"
#include "platform/forms/Form.h"
#include "platform/forms/Timer.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/ImageList.h"

TStrings* TGridItem::Items()
{
    if (!FItems)
        FItems = std::make_unique<TStringList>();
    FItems->Clear();
    const auto texts = FRow.Texts();
    const int n = std::max(int(texts.size()), FRow.PropsCount());
    for (int c = 0; c < n; ++c)
        FItems->AddObject(c < int(texts.size()) ? AnsiString(texts[size_t(c)]) : AnsiString(), FRow.Props(c));
    return FItems.get();
}

TRavArodozIdad::TRavArodozIdad(TComponent* AOwner) : TBaseGrid(AOwner)
{
    CreateFooterPanel();
    FFloatingFooter = std::make_unique<TFloatingFooter>(this);
    FControlLook = std::make_unique<TControlLook>(this);
    FNavigation = std::make_unique<TNavigation>();
    FColumnSize = std::make_unique<TColumnSize>(this);
    FCellNode = std::make_unique<TCellNode>(this);
    FBands = std::make_unique<TBands>(this);
    FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
    FMouseActions = std::make_unique<TMouseActions>();
    FBackGround = std::make_unique<TBackGround>(this);

    FColumnHeaders = std::make_unique<TStringList>();
    FColumnHeaders->OnChange = [this](TObject* s) { ColHeaderChanged(s); };
    FFixedFont = std::make_unique<TFont>();
    FFixedFont->SetName("Tahoma");
    FFixedFont->OnChange = [this](TObject* s) { FixedFontChanged(s); };
    Font()->SetName("Tahoma");
    FActiveCellFont = std::make_unique<TFont>();
    FActiveCellFont->SetStyle(fsBold);
    FActiveCellFont->OnChange = [this](TObject* s) { FixedFontChanged(s); };
    FRowHeaders = std::make_unique<TStringList>();
    FRowHeaders->OnChange = [this](TObject* s) { RowHeaderChanged(s); };
    FLookupItems = std::make_unique<TStringList>();
    FComboItems = std::make_unique<TStringList>();
    FSortCrossRef = std::make_unique<TIntList>(0, 0);
    FMergedColumns = std::make_unique<TIntList>(0, 0);
    FMergedColumns->OnChange = [this](TObject* s, int c, int r) { MergedColumnsChanged(s, c, r); };
    FRowIndicator = std::make_unique<TBitmap>();

    FVisibleCols.assign(513, true);
    FAllColWidths.assign(513, DefaultColWidth());

    if (auto* form = dynamic_cast<TCustomForm*>(AOwner); form && !ComponentStateHas(csDesigning)) {
        if (form->OnResize) {
            FFormOldResize = form->OnResize;
            FFormHadResize = true;
        }
        form->OnResize = TResizeLink{this};
        FFormWidth = form->Width();
        FFormHeight = form->Height();
    }

    Ravgrid::RegisterGridCursors();
    SetDefRowHeightEx(21);
    SetLook(glSoft);
    FScrollWidth = ScrollBarSize();
    FThemesActive = RavXPVS::ThemesActive();
    if (!ComponentStateHas(csDesigning)) {
        for (int d = 0; d < 4; ++d)
            FArrows[d] = new TArrowWindow(this, TArrowDirection(d));
        FPopupButton = new TPopupButton(this);
        FTimer = new TTimer(this);
        FTimer->SetInterval(500);
        FTimer->OnTimer = [this](TObject*) { TimerTick(); };
        UpdateTimer();
    }
    CreateEditControls();
}

TRavArodozIdad::~TRavArodozIdad()
{
    if (FColumnSize->Save()) {
        try {
            SaveColSizes();
        } catch (const Exception&) {
            // A destructor cannot report it; the widths are lost, the grid still goes away.
        }
    }
    if (auto* form = dynamic_cast<TCustomForm*>(Owner()); form && !ComponentStateHas(csDesigning))
        UnlinkFormResize(form);
    FKeepPropsOnClear = false;
    FUpdateCount = 1; // nothing repaints while the grid goes away
    // An open markup editor that loses the focus now writes nothing back.
    FControlEditor = nullptr;
    FControlDown = false;
    // The final clear tells no one: handlers and notifiers may already be gone.
    OnCellsChanged = nullptr;
    FNotifiers.clear();
    Clear();
}

// Grids made later chain to the handler of the one before; whichever goes
// first hands its predecessor to whoever pointed at it.
void TRavArodozIdad::UnlinkFormResize(TCustomForm* Form)
{
    const TNotifyEvent next = FFormHadResize ? FFormOldResize : TNotifyEvent();
    if (const auto* link = Form->OnResize.target<TResizeLink>(); link && link->Grid == this) {
        Form->OnResize = next;
        return;
    }
    for (int i = 0; i < Form->ComponentCount(); ++i) {
        auto* g = dynamic_cast<TRavArodozIdad*>(Form->Components(i));
        if (!g || g == this || !g->FFormHadResize)
            continue;
        if (const auto* link = g->FFormOldResize.target<TResizeLink>(); link && link->Grid == this) {
            g->FFormOldResize = next;
            g->FFormHadResize = bool(next);
            return;
        }
    }
}

int TRavArodozIdad::GetVersionNr() { return 0x02030001; }

AnsiString TRavArodozIdad::GetVersionString()
{
    const unsigned v = unsigned(GetVersionNr());
    return std::to_string(v >> 24) + "." + std::to_string((v >> 16) & 0xFF) + "." + std::to_string((v >> 8) & 0xFF) +
           "." + std::to_string(v & 0xFF) + " June, 2002";
}

// ---------------------------------------------------------------- appearance writers

void TRavArodozIdad::SetLook(TGridLook Value)
{
    if (Value == FLook)
        return;
    FLook = Value;
    Invalidate();
    UpdateFooter();
}

void TRavArodozIdad::SetFlat(bool Value)
{
    if (Value == FFlat)
        return;
    FFlat = Value;
    if (!ComponentStateHas(csLoading))
        Invalidate();
}

void TRavArodozIdad::SetFixedAsButtons(bool Value)
{
    if (Value == FFixedAsButtons)
        return;
    FFixedAsButtons = Value;
    Invalidate();
}

void TRavArodozIdad::SetFixedFont(TFont* Value)
{
    FFixedFont->Assign(Value);
    Invalidate();
}

void TRavArodozIdad::SetVAlignment(TVAlignment Value)
{
    FVAlignment = Value;
    if (FUpdateCount == 0)
        Invalidate();
}

void TRavArodozIdad::SetAutoNumAlign(bool Value)
{
    if (Value == FAutoNumAlign)
        return;
    FAutoNumAlign = Value;
    Invalidate();
}

void TRavArodozIdad::SetMultilinecells(bool Value)
{
    if (Value == FMultilinecells)
        return;
    FMultilinecells = Value;
    Invalidate();
}

void TRavArodozIdad::SetEnableHTML(bool Value)
{
    if (Value == FEnableHTML)
        return;
    FEnableHTML = Value;
    Invalidate();
}

void TRavArodozIdad::SetIntegralHeight(bool Value)
{
    if (Value == FIntegralHeight)
        return;
    FIntegralHeight = Value;
    SetBounds(Left(), Top(), Width(), Height());
}

void TRavArodozIdad::SetSelectionColor(TColor Value)
{
    if (Value == FSelectionColor)
        return;
    FSelectionColor = Value;
    Invalidate();
}

void TRavArodozIdad::SetSelectionTextColor(TColor Value)
{
    if (Value == FSelectionTextColor)
        return;
    FSelectionTextColor = Value;
    Invalidate();
}

void TRavArodozIdad::SetSelectionRectangle(bool Value)
{
    if (Value == FSelectionRectangle)
        return;
    FSelectionRectangle = Value;
    Invalidate();
}

void TRavArodozIdad::SetSelectionResizer(bool Value)
{
    if (Value == FSelectionResizer)
        return;
    FSelectionResizer = Value;
    Invalidate();
}

void TRavArodozIdad::SetShowSelection(bool Value)
{
    if (Value == FShowSelection)
        return;
    FShowSelection = Value;
    Invalidate();
}

void TRavArodozIdad::SetHideFocusRect(bool Value)
{
    if (Value == FHideFocusRect)
        return;
    FHideFocusRect = Value;
    Invalidate();
}

void TRavArodozIdad::SetActiveCellShow(bool Value)
{
    if (Value == FActiveCellShow)
        return;
    FActiveCellShow = Value;
    Invalidate();
}

void TRavArodozIdad::SetActiveCellFont(TFont* Value)
{
    FActiveCellFont->Assign(Value);
    Invalidate();
}

void TRavArodozIdad::SetActiveCellColor(TColor Value)
{
    if (Value == FActiveCellColor)
        return;
    FActiveCellColor = Value;
    Invalidate();
}

void TRavArodozIdad::SetURLShow(bool Value)
{
    if (Value == FURLShow)
        return;
    FURLShow = Value;
    Invalidate();
}

void TRavArodozIdad::SetURLFull(bool Value)
{
    if (Value == FURLFull)
        return;
    FURLFull = Value;
    Invalidate();
}

void TRavArodozIdad::SetURLColor(TColor Value)
{
    if (Value == FURLColor)
        return;
    FURLColor = Value;
    Invalidate();
}

void TRavArodozIdad::SetQSWGradFrom(TColor Value)
{
    FQSWGradFrom = Value;
    Invalidate();
}

void TRavArodozIdad::SetQSWGradTo(TColor Value)
{
    FQSWGradTo = Value;
    Invalidate();
}

void TRavArodozIdad::SetXYOffset(const TPoint& Value)
{
    if (Value == FXYOffset)
        return;
    FXYOffset = Value;
    Invalidate();
}

void TRavArodozIdad::SetRowIndicator(TBitmap* Value)
{
    FRowIndicator->Assign(Value);
    RepaintCell(0, Row());
}

void TRavArodozIdad::SetBackground(TBackGround* Value)
{
    FBackGround->Assign(Value);
    Invalidate();
}

void TRavArodozIdad::FixedFontChanged(TObject*) { Invalidate(); }

// ---------------------------------------------------------------- window-level overrides

void TRavArodozIdad::Loaded()
{
    TBaseGrid::Loaded();
    FOldCursor = Cursor();
    if (FColumnSize->Save())
        LoadColSizes();
    ShowColumnHeaders();
    ShowRowHeaders();
    FDragDropSettings->UpdateDropTarget();
}

void TRavArodozIdad::Resize()
{
    TBaseGrid::Resize();
    FireEvent(OnResize, this);
}

void TRavArodozIdad::Notification(TComponent* AComponent, TOperation Operation)
{
    TBaseGrid::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FCellChecker)
        FCellChecker = nullptr;
    if (Operation == TOperation::opRemove && FGridImages && AComponent == FGridImages)
        FGridImages = nullptr;
    if (Operation == TOperation::opRemove && AComponent == FPictureContainer)
        FPictureContainer = nullptr;
}

// ---------------------------------------------------------------- update locking and timer

void TRavArodozIdad::BeginUpdate() { ++FUpdateCount; }

void TRavArodozIdad::EndUpdate()
{
    if (FUpdateCount > 0)
        --FUpdateCount;
    if (FUpdateCount == 0)
        Invalidate();
}

void TRavArodozIdad::SetLockFlag(bool Value)
{
    if (Value)
        BeginUpdate();
    else
        EndUpdate();
}

void TRavArodozIdad::UpdateTimer()
{
    // Left running for nothing it would wake the window's loop twice a second per grid.
    if (FTimer)
        FTimer->SetEnabled(FHovering || FEnableBlink);
}

void TRavArodozIdad::TimerTick()
{
    // Hovering: the current cell follows the resting mouse (its last position over the grid).
    if (FHovering && !ComponentStateHas(csDesigning) && HandleAllocated() && FMouseInside) {
        int c = -1, r = -1;
        MouseToCell(FMousePos.x, FMousePos.y, c, r);
        if (c >= FixedCols() && r >= FixedRows() && c < ColCount() && r < RowCount()) {
            if (CanFocus())
                SetFocus();
            SetRow(r);
            SetCol(c);
        }
    }
    if (FEnableBlink) {
        FBlinkPhase = !FBlinkPhase;
        auto blinks = [this](int c, int r) {
            AnsiString s = GetCellEx(c, r);
            for (auto& ch : s)
                ch = char(std::toupper((unsigned char)ch));
            if (s.find("<BLI") != AnsiString::npos)
                RepaintCell(c, r);
        };
        const int lastRow = std::min(RowCount() - 1, TopRow() + VisibleRowCount());
        const int lastCol = std::min(ColCount() - 1, LeftCol() + VisibleColCount());
        for (int r = TopRow(); r <= lastRow; ++r)
            for (int c = LeftCol(); c <= lastCol; ++c)
                blinks(c, r);
        for (int r = 0; r < FixedRows(); ++r)
            for (int c = LeftCol(); c <= lastCol; ++c)
                blinks(c, r);
        for (int c = 0; c < FixedCols(); ++c)
            for (int r = TopRow(); r <= lastRow; ++r)
                blinks(c, r);
    }
}

TColor TRavArodozIdad::ArrowColor() const { return FArrows[0] ? FArrows[0]->Color() : clLime; }

void TRavArodozIdad::SetArrowColor(TColor Value)
{
    for (TArrowWindow* a : FArrows)
        if (a)
            a->SetColor(Value);
}

// ---------------------------------------------------------------- combo items (the in-place combo reads them)

