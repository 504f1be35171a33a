#include "components/grid/RavgridSettings.h"

#include "components/grid/Ravgrid.h"
#include "components/grid/RavgridFooter.h"

void TNavigation::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TNavigation*>(Source);
    if (!s)
        return TPersistent::Assign(Source);
    FAllowInsertRow = s->FAllowInsertRow;
    FAllowDeleteRow = s->FAllowDeleteRow;
    FAlwaysEdit = s->FAlwaysEdit;
    FAdvanceOnEnter = s->FAdvanceOnEnter;
    FAdvanceInsert = s->FAdvanceInsert;
    FAdvanceDirection = s->FAdvanceDirection;
    FAdvanceAuto = s->FAdvanceAuto;
    FAutoGotoWhenSorted = s->FAutoGotoWhenSorted;
    FAutoGotoIncremental = s->FAutoGotoIncremental;
    FAutoComboDropSize = s->FAutoComboDropSize;
    FAllowClipboardShortCuts = s->FAllowClipboardShortCuts;
    FAllowRTFClipboard = s->FAllowRTFClipboard;
    FAllowFmtClipboard = s->FAllowFmtClipboard;
    FAllowSmartClipboard = s->FAllowSmartClipboard;
    FAllowClipboardAlways = s->FAllowClipboardAlways;
    FAllowClipboardRowGrow = s->FAllowClipboardRowGrow;
    FAllowClipboardColGrow = s->FAllowClipboardColGrow;
    FCopyHTMLTagsToClipboard = s->FCopyHTMLTagsToClipboard;
    FInsertPosition = s->FInsertPosition;
    FCursorWalkEditor = s->FCursorWalkEditor;
    FImproveMaskSel = s->FImproveMaskSel;
    FLineFeedOnEnter = s->FLineFeedOnEnter;
    FMoveRowOnSort = s->FMoveRowOnSort;
    FKeepHorizScroll = s->FKeepHorizScroll;
    FHomeEndKey = s->FHomeEndKey;
}

void TMouseActions::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TMouseActions*>(Source);
    if (!s)
        return TPersistent::Assign(Source);
    FColSelect = s->FColSelect;
    FRowSelect = s->FRowSelect;
    FAllSelect = s->FAllSelect;
    FDirectEdit = s->FDirectEdit;
    FDirectComboDrop = s->FDirectComboDrop;
    FDisjunctRowSelect = s->FDisjunctRowSelect;
    FAllColumnSize = s->FAllColumnSize;
    FAllRowSize = s->FAllRowSize;
    FCaretPositioning = s->FCaretPositioning;
    FSizeFixedCol = s->FSizeFixedCol;
    FDisjunctCellSelect = s->FDisjunctCellSelect;
    FRangeSelectAndEdit = s->FRangeSelectAndEdit;
}

void TSizeWhileTyping::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TSizeWhileTyping*>(Source);
    if (!s)
        return TPersistent::Assign(Source);
    FHeight = s->FHeight;
    FWidth = s->FWidth;
}

void TColumnSize::SetStretch(bool v)
{
    FStretch = v;
    if (FGrid)
        FGrid->StretchColumn(FStretchColumn);
}

void TColumnSize::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TColumnSize*>(Source);
    if (!s)
        return TPersistent::Assign(Source);
    FSave = s->FSave;
    FKey = s->FKey;
    FSection = s->FSection;
    FLocation = s->FLocation;
    FStretchColumn = s->FStretchColumn;
    FSynchWithGrid = s->FSynchWithGrid;
    SetStretch(s->FStretch);
}

TCellNode::TCellNode(TRavArodozIdad* AGrid)
    : FGrid(AGrid), FExpandGlyph(std::make_unique<TBitmap>()), FContractGlyph(std::make_unique<TBitmap>())
{
}

TCellNode::~TCellNode() = default;

void TCellNode::SetNodeType(TNodeType v)
{
    if (v == FNodeType)
        return;
    FNodeType = v;
    if (FGrid)
        FGrid->Invalidate();
}

void TCellNode::SetShowTree(bool v)
{
    if (v == FShowTree)
        return;
    FShowTree = v;
    if (FGrid)
        FGrid->Invalidate();
}

void TCellNode::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TCellNode*>(Source);
    if (!s)
        return TPersistent::Assign(Source);
    FColor = s->FColor;
    FNodeColor = s->FNodeColor;
    SetNodeType(s->FNodeType);
    SetShowTree(s->FShowTree);
    FExpandGlyph->Assign(s->FExpandGlyph.get());
    FContractGlyph->Assign(s->FContractGlyph.get());
}

TBackGround::TBackGround(TRavArodozIdad* AGrid) : FGrid(AGrid), FBitmap(std::make_unique<TBitmap>()) {}
TBackGround::~TBackGround() = default;

void TBackGround::Changed()
{
    if (FGrid)
        FGrid->Invalidate();
}

void TBackGround::SetTop(int v)
{
    FTop = v;
    Changed();
}

void TBackGround::SetLeft(int v)
{
    FLeft = v;
    Changed();
}

void TBackGround::SetDisplay(TBackGroundDisplay v)
{
    FDisplay = v;
    Changed();
}

void TBackGround::SetCells(TBackGroundCells v)
{
    FCells = v;
    Changed();
}

void TBackGround::SetBitmap(TBitmap* v)
{
    FBitmap->Assign(v);
    Changed();
}

void TBackGround::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TBackGround*>(Source);
    if (!s)
        return TPersistent::Assign(Source);
    FTop = s->FTop;
    FLeft = s->FLeft;
    FDisplay = s->FDisplay;
    FCells = s->FCells;
    FBitmap->Assign(s->FBitmap.get());
    Changed();
}

void TBands::Changed()
{
    if (FGrid)
        FGrid->Invalidate();
}

void TBands::SetActive(bool v)
{
    FActive = v;
    Changed();
}

void TBands::SetPrimaryColor(TColor v)
{
    FPrimaryColor = v;
    if (FActive)
        Changed();
}

void TBands::SetSecondaryColor(TColor v)
{
    FSecondaryColor = v;
    if (FActive)
        Changed();
}

void TBands::SetPrimaryLength(int v)
{
    FPrimaryLength = v;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    if (FActive)
        Changed();
}

void TBands::SetSecondaryLength(int v)
{
    FSecondaryLength = v;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    if (FActive)
        Changed();
}

void TBands::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TBands*>(Source);
    if (!s)
        return TPersistent::Assign(Source);
    FPrimaryColor = s->FPrimaryColor;
    FSecondaryColor = s->FSecondaryColor;
    FPrimaryLength = s->FPrimaryLength;
    FSecondaryLength = s->FSecondaryLength;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    FPrint = s->FPrint;
    SetActive(s->FActive);
}

TControlLook::TControlLook(TRavArodozIdad* AGrid)
    : FGrid(AGrid), FCheckedGlyph(std::make_unique<TBitmap>()), FUnCheckedGlyph(std::make_unique<TBitmap>()),
      FRadioOnGlyph(std::make_unique<TBitmap>()), FRadioOffGlyph(std::make_unique<TBitmap>())
{
}

TControlLook::~TControlLook() = default;

void TControlLook::Changed()
{
    if (FGrid)
        FGrid->Invalidate();
}

void TControlLook::SetCheckSize(int v)
{
    FCheckSize = v;
    Changed();
}
void TControlLook::SetRadioSize(int v)
{
    FRadioSize = v;
    Changed();
}
void TControlLook::SetColor(TColor v)
{
    FColor = v;
    Changed();
}
void TControlLook::SetControlStyle(TCellControlStyle v)
{
    FControlStyle = v;
    Changed();
}
void TControlLook::SetFlatButton(bool v)
{
    FFlatButton = v;
    Changed();
}
void TControlLook::SetCheckedGlyph(TBitmap* v)
{
    FCheckedGlyph->Assign(v);
    Changed();
}
void TControlLook::SetUnCheckedGlyph(TBitmap* v)
{
    FUnCheckedGlyph->Assign(v);
    Changed();
}
void TControlLook::SetRadioOnGlyph(TBitmap* v)
{
    FRadioOnGlyph->Assign(v);
    Changed();
}
void TControlLook::SetRadioOffGlyph(TBitmap* v)
{
    FRadioOffGlyph->Assign(v);
    Changed();
}

void TControlLook::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TControlLook*>(Source);
    if (!s)
        return TPersistent::Assign(Source);
    FCheckSize = s->FCheckSize;
    FRadioSize = s->FRadioSize;
    FColor = s->FColor;
    FControlStyle = s->FControlStyle;
    FFlatButton = s->FFlatButton;
    FCheckedGlyph->Assign(s->FCheckedGlyph.get());
    FUnCheckedGlyph->Assign(s->FUnCheckedGlyph.get());
    FRadioOnGlyph->Assign(s->FRadioOnGlyph.get());
    FRadioOffGlyph->Assign(s->FRadioOffGlyph.get());
    Changed();
}

void TFloatingFooter::UpdateFooterRowShown()
{
    if (FGrid)
        FGrid->SetFooterRowShown(FFooterStyle == fsFixedLastRow && FVisible);
}

void TFloatingFooter::SetVisible(bool v)
{
    FVisible = v;
    if (!FGrid)
        return;
    if (TFooterPanel* panel = FGrid->FooterPanel()) {
        panel->SetHeight(v ? FHeight - 1 : 0);
        panel->SetVisible(v);
    }
    FGrid->SetFixedFooters(v ? 1 : 0);
    UpdateFooterRowShown();
    FGrid->Invalidate();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle v)
{
    FFooterStyle = v;
    UpdateFooterRowShown();
    if (FGrid)
        FGrid->Invalidate();
    Invalidate();
}

void TFloatingFooter::SetColor(TColor v)
{
    FColor = v;
    Invalidate();
}

void TFloatingFooter::SetColumn(int v)
{
    FColumn = v;
    Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const AnsiString& v)
{
    FCustomTemplate = v;
    Invalidate();
}

void TFloatingFooter::SetHeight(int v)
{
    FHeight = v;
    if (FVisible && FGrid && FGrid->FooterPanel())
        FGrid->FooterPanel()->SetHeight(v - 1);
}

void TFloatingFooter::Invalidate()
{
    if (FGrid)
        FGrid->UpdateFooter();
}

TColumnCalcType TFloatingFooter::ColumnCalc(int ACol) const
{
    if (!FGrid)
        return acNONE;
    TCellProperties* p = FGrid->CellPropertiesOrNil(ACol, FGrid->RowCount() - 1);
    return p ? p->FooterCalc() : acNONE;
}

void TFloatingFooter::SetColumnCalc(int ACol, TColumnCalcType v)
{
    if (!FGrid)
        return;
    FGrid->GetCellProperties(ACol, FGrid->RowCount() - 1)->SetFooterCalc(v);
    FGrid->UpdateCell(ACol, FGrid->RowCount() - 1);
}

void TFloatingFooter::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TFloatingFooter*>(Source);
    if (!s)
        return TPersistent::Assign(Source);
    FColor = s->FColor;
    FColumn = s->FColumn;
    FCustomTemplate = s->FCustomTemplate;
    FFooterStyle = s->FFooterStyle;
    SetVisible(s->FVisible);
}
