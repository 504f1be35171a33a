#include "components/controls/Voduriz.h"

#include <algorithm>
#include <utility>

#include "components/controls/VodurizLabel.h"
#include "platform/core/Format.h"
#include "platform/core/StringUtils.h"
#include "platform/core/Synchronize.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Form.h"
#include "platform/graphics/Bitmap.h"

namespace {
constexpr int kVersionMajor = 2, kVersionMinor = 7, kVersionRelease = 0, kVersionBuild = 5;
}

TVodUriz::TVodUriz(TComponent* AOwner)
    : TCustomEdit(AOwner), FLabelFont(std::make_unique<TFont>()), FLookup(std::make_unique<TLookupSettings>()),
      FPersistence(std::make_unique<TPersistence>())
{
    FModel.Sender = this;
    FModel.SetColorEx(Color());
    FModel.SetFontColor(Font()->Color());
    FModel.Init();
    FModel.OnChange = [this] {
        PushToWindow();
        TCustomEdit::Change();
    };
    FModel.OnKeyPress = [this](char& Key) { TCustomEdit::KeyPress(Key); };
    FModel.OnKeyDown = [this](Word& Key) { TCustomEdit::KeyDown(Key, FShift); };
    FModel.OnSelectNext = [this] {
        // Like a Tab posted to the window: the focus moves once the key's handling (and its
        // OnKeyDown/OnKeyPress) is over, and not at all when the edit is gone by then.
        if (!Visible())
            return;
        std::weak_ptr<int> alive = FAlive;
        QueueOnMainThread([this, alive] {
            if (!alive.expired())
                if (TWinControl* p = Parent())
                    p->SelectNext(this, true, true);
        });
    };
    FModel.OnLookAndFeel = [this] { ApplyColours(); };
    FModel.OnGetClipboard = [] {
        return Clipboard()->HasFormat(CF_TEXT) ? Clipboard()->AsText() : AnsiString();
    };
    FModel.OnSetClipboard = [](const AnsiString& s) { Clipboard()->SetAsText(s); };
    FModel.OnValueValidate = [this](TObject*, const AnsiString& v, bool& ok) { ValidateEvent(v, ok); };
    FModel.OnClipboardCopy = [this](TObject* s, const AnsiString& v, bool& a) { FireEvent(OnClipboardCopy, s, v, a); };
    FModel.OnClipboardCut = [this](TObject* s, const AnsiString& v, bool& a) { FireEvent(OnClipboardCut, s, v, a); };
    FModel.OnClipboardPaste = [this](TObject* s, const AnsiString& v, bool& a) {
        FireEvent(OnClipboardPaste, s, v, a);
    };
    FLabelFont->OnChange = [this](TObject*) { UpdateLabel(); };
}

TVodUriz::~TVodUriz()
{
    if (!Designing())
        SavePersist();
    if (FDropTargetRegistered)
        RevokeDragDrop(this);
    FLabelFont->OnChange = nullptr;
    FModel.OnChange = nullptr;
    FModel.OnLookAndFeel = nullptr;
}

// ---------------------------------------------------------------- window mirror

// Takes what the edit window did on its own (mouse selection, a change the filters did not see).
void TVodUriz::PullFromWindow()
{
    FModel.Loading = Loading();
    FModel.Designing = Designing();
    // The edit's own settings, also when written through the base edit.
    FModel.ReadOnly = TCustomEdit::ReadOnly();
    FModel.MaxLength = TCustomEdit::MaxLength();
    FModel.AutoSelect = TCustomEdit::AutoSelect();
    if (FModel.WindowText() != TCustomEdit::Text())
        FModel.SetWindowText(TCustomEdit::Text());
    const int start = TCustomEdit::SelStart(), length = TCustomEdit::SelLength();
    if (start != FModel.SelStart() || length != FModel.SelLength())
        FModel.SetSelection(start, start + length);
}

void TVodUriz::PushToWindow()
{
    FPushing = true;
    if (TCustomEdit::Text() != FModel.WindowText())
        TCustomEdit::SetText(FModel.WindowText());
    TCustomEdit::SetModified(FModel.EditModified());
    TCustomEdit::SetSelStart(FModel.SelStart());
    if (FModel.SelLength() > 0)
        TCustomEdit::SetSelLength(FModel.SelLength());
    FPushing = false;
}

void TVodUriz::Change()
{
    if (FPushing)
        return;
    // A change that did not come through the filters: the model takes it and reports it.
    FModel.SetWindowText(TCustomEdit::Text());
}

void TVodUriz::ApplyColours()
{
    FApplyingColours = true;
    TControl::SetColor(FModel.Color());
    Font()->SetColor(FModel.FontColor());
    // The web-address look: underlined, with the hand cursor.
    const TFontStyles style = Font()->Style();
    Font()->SetStyle(FModel.URLShown() ? style | fsUnderline : style & ~fsUnderline);
    SetCursor(FModel.URLShown() ? crHandPoint : crDefault);
    FApplyingColours = false;
}

void TVodUriz::CMColorChanged()
{
    TCustomEdit::CMColorChanged();
    if (!FApplyingColours && TControl::Color() != FModel.Color())
        FModel.SetColorEx(TControl::Color()); // the parent's colour reached us
}

void TVodUriz::CMFontChanged()
{
    TCustomEdit::CMFontChanged();
    if (FApplyingColours)
        return;
    FModel.SetFontColor(Font()->Color());
    if (FLabel && (Designing() || Loading()))
        FLabel->Font()->Assign(Font());
}

void TVodUriz::CMParentFontChanged()
{
    TCustomEdit::CMParentFontChanged();
    if (FLabel && ParentFont())
        FLabel->Font()->Assign(Font());
    if (!Designing())
        LoadPersist();
}

void TVodUriz::CMHintShow(AnsiString& HintStr, const TPoint& CursorPos, bool& CanShow)
{
    TCustomEdit::CMHintShow(HintStr, CursorPos, CanShow);
    if (!FHintShowLargeText)
        return;
    TBitmap measure;
    measure.Canvas()->Font()->Assign(Font());
    const AnsiString value = GetText();
    if (measure.Canvas()->TextWidth(value) > Width()) {
        HintStr = value;
        CanShow = ShowHint();
    }
}

// ---------------------------------------------------------------- value

void TVodUriz::SetText(const AnsiString& Value)
{
    FModel.Loading = Loading();
    FModel.SetText(Value);
    PushToWindow();
}

void TVodUriz::SetEditType(TVodUrizType v)
{
    FModel.SetEditType(v);
    TCustomEdit::SetPasswordChar(FModel.PasswordChar());
    PushToWindow();
}

void TVodUriz::SetPrecision(int v)
{
    FModel.SetPrecision(v);
    PushToWindow();
}

void TVodUriz::SetPrefix(const AnsiString& v)
{
    FModel.SetPrefix(v);
    PushToWindow();
}

void TVodUriz::SetSuffix(const AnsiString& v)
{
    FModel.SetSuffix(v);
    PushToWindow();
}

void TVodUriz::SetAutoThousandSeparator(bool v)
{
    FModel.SetAutoThousandSeparator(v);
    PushToWindow();
}

void TVodUriz::SetMaxLength(int v)
{
    FModel.MaxLength = v;
    TCustomEdit::SetMaxLength(v);
}

void TVodUriz::SetReadOnly(bool v)
{
    FModel.ReadOnly = v;
    TCustomEdit::SetReadOnly(v);
}

void TVodUriz::SetAutoSelect(bool v)
{
    FModel.AutoSelect = v;
    TCustomEdit::SetAutoSelect(v);
}

void TVodUriz::SetFloat(double v)
{
    FModel.SetFloat(v);
    PushToWindow();
}

void TVodUriz::SetInt(int v)
{
    FModel.SetInt(v);
    PushToWindow();
}

void TVodUriz::SetModified(bool v)
{
    FModel.SetModified(v);
    TCustomEdit::SetModified(FModel.EditModified());
}

void TVodUriz::SetError(bool v) { FModel.SetError(v); }

void TVodUriz::SetShowURL(bool v)
{
    FModel.ShowURL = v;
    SetText(GetText());
}

void TVodUriz::SelectAll()
{
    PullFromWindow();
    FModel.SelectAll();
    PushToWindow();
}

void TVodUriz::SelectBeforeDecimal()
{
    PullFromWindow();
    FModel.SelectBeforeDecimal();
    PushToWindow();
}

void TVodUriz::SelectAfterDecimal()
{
    PullFromWindow();
    FModel.SelectAfterDecimal();
    PushToWindow();
}

void TVodUriz::PasteFromClipboard()
{
    PullFromWindow();
    FModel.PasteClipboard();
    PushToWindow();
}

bool TVodUriz::DoValidate(const AnsiString& Value) { return FModel.DoValidate(Value); }

void TVodUriz::ValidateEvent(const AnsiString& Value, bool& IsValid)
{
    FireEvent(OnValueValidate, this, Value, IsValid);
}

unsigned TVodUriz::GetVersionNr() const
{
    return (kVersionMajor << 24) | (kVersionMinor << 16) | (kVersionRelease << 8) | kVersionBuild;
}

AnsiString TVodUriz::GetVersion() const
{
    const unsigned v = GetVersionNr();
    return Format("%d.%d.%d.%d", {static_cast<int>(v >> 24), static_cast<int>((v >> 16) & 0xFF),
                                  static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF)});
}

// ---------------------------------------------------------------- keys

bool TVodUriz::WantsKey(Word Key, TShiftState Shift) const
{
    // Escape undoes the typing of this visit when CanUndo, so it stays with the edit then.
    if (Key == VK_ESCAPE && FModel.CanUndo() && !(GetParentForm(const_cast<TVodUriz*>(this))
                                                   && GetParentForm(const_cast<TVodUriz*>(this))->KeyPreview()))
        return true;
    if (FInDialog && (Key == VK_RETURN || Key == VK_ESCAPE))
        return false;
    // An open lookup list takes Enter and the moving keys.
    if (LookupShown() && (Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT
                          || Key == VK_HOME || Key == VK_END))
        return true;
    return TCustomEdit::WantsKey(Key, Shift);
}

void TVodUriz::KeyDown(Word& Key, TShiftState Shift)
{
    PullFromWindow();
    FShift = Shift;
    FKeypadDecimal = Key == VK_DECIMAL;
    if (LookupKeyDown(Key))
        return;
    if (Key == VK_ESCAPE) {
        TCustomForm* f = GetParentForm(this);
        FModel.KeyPreview = f && f->KeyPreview();
        if (FModel.EscapeUndo()) {
            Key = 0;
            PushToWindow();
            return;
        }
    }
    const bool done = FModel.KeyDown(Key, (Shift & ssShift) != 0, (Shift & ssCtrl) != 0);
    PushToWindow();
    if (done)
        Key = 0; // the model did the window's work
}

void TVodUriz::KeyPress(char& Key)
{
    if (std::exchange(FLookupTookReturn, false) && Key == '\r') {
        Key = 0;
        return;
    }
    PullFromWindow();
    // The character follows its key-down, whose shift state tells Control.
    const bool ctrl = (FShift & ssCtrl) != 0;
    FModel.KeyPress(Key, ctrl, FKeypadDecimal);
    FKeypadDecimal = false;
    FShift = 0;
    PushToWindow();
    UpdateLookup();
}

// ---------------------------------------------------------------- focus

void TVodUriz::DoEnter()
{
    TWinControl::DoEnter();
    if (Loading())
        return;
    PullFromWindow();
    FModel.FocusGained();
    PushToWindow();
    if (FFocusLabel && FLabel)
        FLabel->Font()->SetStyle(FLabel->Font()->Style() | fsBold);
    if (FFocusWidthInc > 0 && !FAlignChanging)
        SetWidth(Width() + FFocusWidthInc);
    FSavedEditAlign = FEditAlign;
    if (FFocusAlign != FEditAlign && FFocusAlign != eaDefault) {
        FAlignChanging = true;
        ApplyAlign(FFocusAlign);
        FAlignChanging = false;
    }
    Invalidate();
}

void TVodUriz::DoExit()
{
    if (Loading()) {
        TWinControl::DoExit();
        return;
    }
    PullFromWindow();
    FTypedText = FModel.GetText();
    FModel.FocusLost(); // reformats before OnExit sees the value
    PushToWindow();
    LookupLostFocus();
    if (FFocusLabel && FLabel)
        FLabel->Font()->SetStyle(FLabel->Font()->Style() & ~fsBold);
    {
        FExiting = true;
        struct TDone {
            bool& Flag;
            ~TDone() { Flag = false; }
        } done{FExiting};
        TWinControl::DoExit();
    }
    if (!FAlignChanging) {
        if (FFocusWidthInc > 0)
            SetWidth(Width() - FFocusWidthInc);
        if (FFocusAlign != eaDefault)
            ApplyAlign(FSavedEditAlign);
    }
    Invalidate();
}

// The base raises OnMouseEnter / OnMouseLeave, so it runs after the hot state is taken.
void TVodUriz::CMMouseEnter()
{
    if (FAutoFocus && !Designing() && CanFocus())
        SetFocus();
    if (!FMouseInside && Enabled()) {
        FMouseInside = true;
        if (FFocusBorder)
            Invalidate();
    }
    TCustomEdit::CMMouseEnter();
}

void TVodUriz::CMMouseLeave()
{
    if (FMouseInside && Enabled()) {
        FMouseInside = false;
        if (FFocusBorder)
            Invalidate();
    }
    TCustomEdit::CMMouseLeave();
}

// A click never leaves the caret or the selection in the affixes.
void TVodUriz::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FDragArmed) {
        // Pressed in the selection and let go without dragging: the caret goes there.
        FDragArmed = false;
        SetCaretByCursor(TPoint(X, Y));
    }
    TCustomEdit::MouseUp(Button, Shift, X, Y);
    PullFromWindow();
    const int prefix = static_cast<int>(Prefix().size());
    const int valueEnd = prefix + static_cast<int>(GetText().size());
    const int start = FModel.SelStart(), end = start + FModel.SelLength();
    if (start < prefix)
        FModel.SelectAll();
    else if (start > valueEnd)
        FModel.SetSelStart(valueEnd);
    else if (end > valueEnd)
        FModel.SetSelection(start, valueEnd);
    PushToWindow();
}

// ---------------------------------------------------------------- alignment

void TVodUriz::SetEditAlign(TEditAlign v)
{
    if (v == FEditAlign)
        return;
    FEditAlign = v;
    ApplyAlign(v);
}

void TVodUriz::ApplyAlign(TEditAlign Align)
{
    FShownAlign = Align;
    switch (Align) {
    case eaRight:
        TCustomEdit::SetAlignment(taRightJustify);
        break;
    case eaCenter:
        TCustomEdit::SetAlignment(taCenter);
        break;
    default:
        TCustomEdit::SetAlignment(taLeftJustify);
        break;
    }
}

// ---------------------------------------------------------------- colours and look

void TVodUriz::SetColorEx(TColor v)
{
    FModel.SetColorEx(v);
}

void TVodUriz::SetEnabledEx(bool v)
{
    TCustomEdit::SetEnabled(v);
    FModel.Loading = Loading();
    FModel.Designing = Designing();
    FModel.SetEnabledEx(v);
    if (FLabel && !FLabelAlwaysEnabled)
        FLabel->SetEnabled(v);
}

void TVodUriz::SetDisabledColor(TColor v)
{
    if (v == FModel.DisabledColor)
        return;
    FModel.DisabledColor = v;
    if (!Enabled()) {
        FModel.SetBackground(v);
        ApplyColours();
    }
    Invalidate();
}

void TVodUriz::SetVisible(bool v)
{
    TCustomEdit::SetVisible(v);
    if (FLabel)
        FLabel->SetVisible(v);
}

void TVodUriz::SetHeightEx(int v)
{
    if (Loading())
        FLoadedHeight = v;
    SetHeight(v);
}

void TVodUriz::SetFocusBorder(bool v)
{
    if (v == FFocusBorder)
        return;
    FFocusBorder = v;
    Invalidate();
}

void TVodUriz::SetFocusBorderColor(TColor v)
{
    if (v == FFocusBorderColor)
        return;
    FFocusBorderColor = v;
    Invalidate();
}

void TVodUriz::SetErrorMarkerPos(int v)
{
    if (v == FErrorMarkerPos)
        return;
    FErrorMarkerPos = v;
    Invalidate();
}

void TVodUriz::SetErrorMarkerLen(int v)
{
    if (v == FErrorMarkerLen)
        return;
    FErrorMarkerLen = v;
    Invalidate();
}

void TVodUriz::SetFlat(bool v)
{
    if (Loading()) {
        FFlat = v;
        return;
    }
    if (v == FFlat)
        return;
    FFlat = v;
    if (v) {
        const TColor c = FModel.Color();
        if (FFlatParentColor && Parent()) {
            FModel.SetBackground(Parent()->Color());
            FModel.FocusColor = Parent()->Color();
            ApplyColours();
        }
        FModel.SetNormalColor(c); // the control returns to c after it has had the focus
        FSavedBorderStyle = BorderStyle();
        SetBorderStyle(bsNone);
    } else {
        FModel.SetBackground(FModel.NormalColor());
        ApplyColours();
        SetBorderStyle(FSavedBorderStyle);
    }
    Invalidate();
}

void TVodUriz::SetFlatLineColor(TColor v)
{
    if (v == FFlatLineColor)
        return;
    FFlatLineColor = v;
    Invalidate();
}

void TVodUriz::SetFlatParentColor(bool v)
{
    if (v == FFlatParentColor)
        return;
    FFlatParentColor = v;
    Invalidate();
}

void TVodUriz::SetSoftBorder(bool v)
{
    if (v == FSoftBorder)
        return;
    FSoftBorder = v;
    Invalidate();
}

void TVodUriz::SetBorder3D(bool v)
{
    if (v == FBorder3D)
        return;
    FBorder3D = v;
    Invalidate();
}

void TVodUriz::SetEmptyText(const AnsiString& v)
{
    if (v == FEmptyText)
        return;
    FEmptyText = v;
    Invalidate();
}

void TVodUriz::PaintOverlay(TCanvas* Canvas) { PaintEdit(Canvas); }

// What the typed edit draws over the edit window: the flat underline or frame, the
// empty-text hint, the error marker and the borders.
void TVodUriz::PaintEdit(TCanvas* Canvas)
{
    const int w = Width(), h = Height();
    const bool focused = FModel.Focused();
    if (FFlat) {
        if (FFocusBorder) {
            DrawControlBorder(Canvas);
        } else {
            Canvas->Pen()->SetWidth(1);
            Canvas->Pen()->SetStyle(psSolid);
            Canvas->Pen()->SetColor(FFlatLineColor);
            const int x0 = 0, y1 = h - 1, top = 0;
            if (FSoftBorder) {
                const TPoint pts[] = {{x0, y1}, {w - 1, y1}, {w - 1, top}, {x0, top}, {x0, y1}};
                Canvas->Polyline(pts, 5);
            } else {
                Canvas->MoveTo(x0, y1);
                Canvas->LineTo(w, y1);
            }
        }
    }
    if (GetText().empty() && !focused && !FEmptyText.empty()) {
        // The hint keeps the canvas's own font, in grey.
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Font()->SetColor(clGray);
        Canvas->TextOut(2, 2, FEmptyText);
    }
    if (!focused && FErrorMarkerLen > 0)
        DrawErrorLines(Canvas);
    if (FDropCaret.x >= 0) {
        // Where a dragged text would go.
        Canvas->Pen()->SetColor(clBlack);
        Canvas->MoveTo(FDropCaret.x, FDropCaret.y);
        Canvas->LineTo(FDropCaret.x, FDropCaret.y + Canvas->TextHeight("Wg"));
    }
    // The hot border of FocusBorder is kept while the mouse is over the edit or it has the
    // focus (a repaint would otherwise wipe what the mouse-enter drew).
    if (FBorder3D || FFocusBorderColor != clNone || (!FFlat && FFocusBorder && (FMouseInside || focused)))
        DrawControlBorder(Canvas);
}

// A sunken edge (hot or Border3D), a frame in FocusBorderColor while focused, or else a
// frame in the parent's colour that wipes an earlier edge.
void TVodUriz::DrawControlBorder(TCanvas* Canvas)
{
    TRect r(0, 0, Width(), Height());
    const bool focused = FModel.Focused();
    Canvas->Brush()->SetStyle(bsSolid);
    if (FFocusBorderColor != clNone) {
        if (focused) {
            Canvas->Brush()->SetColor(FFocusBorderColor);
            Canvas->FrameRect(r);
        }
        return;
    }
    const bool hot = Designing() ? Enabled() : (FMouseInside || focused);
    DrawEditBorder(Canvas, Width(), Height(), (hot && FFocusBorder) || FBorder3D,
                   Parent() ? Parent()->Color() : clBtnFace);
}

// A red zigzag of 3-pixel steps under ErrorMarkerLen characters from ErrorMarkerPos of the
// value; past the value's end it runs 4 pixels beyond the last character.
void TVodUriz::DrawErrorLines(TCanvas* Canvas)
{
    Canvas->Font()->Assign(Font());
    const int th = Canvas->TextHeight("gh");
    const AnsiString shown = WindowText();
    const int prefix = static_cast<int>(Prefix().size());
    const int len = static_cast<int>(GetText().size());
    const int top = std::max(0, (ClientHeight() - th) / 2);
    // Left edge of character i of the value, as the edit window places it.
    const auto charX = [&](int i) {
        i = std::clamp(prefix + i, 0, static_cast<int>(shown.size()));
        return 2 + Canvas->TextWidth(shown.substr(0, i));
    };
    const int p = FErrorMarkerPos, n = FErrorMarkerLen;
    const int startX = p < len ? charX(p) : charX(len) + 4;
    const int endX = p + n < len ? charX(p + n - 1) : charX(len - 1) + 4;
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetColor(clRed);
    Canvas->Pen()->SetWidth(2);
    Canvas->MoveTo(startX, top + th + 2);
    int offset = 0, step = startX;
    for (; step <= endX; step += 3) {
        Canvas->LineTo(step + 3, top + th - 1 + offset);
        offset = 3 - offset;
    }
    Canvas->LineTo(step + 3, top + th - 1 + offset);
    Canvas->Pen()->SetWidth(1);
}

// ---------------------------------------------------------------- label

AnsiString TVodUriz::LabelCaption() const { return FLabel ? FLabel->Caption() : AnsiString(); }

void TVodUriz::SetLabelCaption(const AnsiString& v)
{
    if (!FLabel) {
        FLabel = new TLabel(this); // owned: freed with the edit
        FLabel->SetParent(Parent());
        FLabel->SetFocusControl(this);
        FLabel->Font()->Assign(FLabelFont.get());
        FLabel->SetParentFont(ParentFont());
        FLabel->OnClick = [this](TObject*) { FireEvent(OnLabelClick, this); };
        FLabel->OnDblClick = [this](TObject*) { FireEvent(OnLabelDblClick, this); };
        FLabel->FreeNotification(this);
    }
    FLabel->SetCaption(v);
    UpdateLabel();
}

void TVodUriz::SetLabelPosition(TLabelPosition v)
{
    FLabelPosition = v;
    UpdateLabel();
}

void TVodUriz::SetLabelMargin(int v)
{
    FLabelMargin = v;
    UpdateLabel();
}

void TVodUriz::SetLabelTransparent(bool v)
{
    FLabelTransparent = v;
    UpdateLabel();
}

void TVodUriz::SetLabelAlwaysEnabled(bool v)
{
    FLabelAlwaysEnabled = v;
    if (v && FLabel)
        FLabel->SetEnabled(true);
}

void TVodUriz::UpdateLabel()
{
    if (!FLabel)
        return;
    FLabel->SetTransparent(FLabelTransparent);
    if (!ParentFont())
        FLabel->Font()->Assign(FLabelFont.get());
    FLabel->Canvas()->Font()->Assign(FLabel->Font());
    const int tw = FLabel->Canvas()->TextWidth(FLabel->Caption());
    const TPoint p = PlaceLabel(FLabelPosition, BoundsRect(), GetHeightEx(), TSize{FLabel->Width(), FLabel->Height()},
                                tw, FLabelMargin);
    FLabel->SetLeft(p.x);
    FLabel->SetTop(p.y);
    FLabel->SetVisible(Visible());
}

void TVodUriz::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomEdit::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FLabel)
        FLabel = nullptr;
}

void TVodUriz::SetParent(TWinControl* AParent)
{
    TCustomEdit::SetParent(AParent);
    if (FLabel) {
        FLabel->SetParent(AParent);
        UpdateLabel();
    }
    if (FFlat && FFlatParentColor && AParent) {
        FModel.SetBackground(AParent->Color());
        FModel.FocusColor = AParent->Color();
        ApplyColours();
    }
}

void TVodUriz::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    UpdateLabel();
}

// ---------------------------------------------------------------- life cycle

void TVodUriz::Init()
{
    FModel.TakeNormalColours();
    FSavedBorderStyle = BorderStyle();
    // A flat look stored while loading is applied now, from scratch.
    if (FFlat) {
        FFlat = false;
        SetFlat(true);
    }
    UpdateLabel();
    // The background stays the normal colour behind the disabled one.
    FModel.ShowDisabledColour();
    ApplyColours();
}

void TVodUriz::Loaded()
{
    TCustomEdit::Loaded();
    FModel.Loading = false;
    if (!Designing())
        Init();
    if (FLoadedHeight > 0)
        SetHeightEx(FLoadedHeight);
    if (FLabel && !FLabelAlwaysEnabled)
        FLabel->SetEnabled(Enabled());
    if (FLabel && ParentFont())
        FLabel->Font()->Assign(Font());
    if (!Designing())
        LoadPersist();
}
