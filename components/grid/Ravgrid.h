#pragma once
// TRavArodozIdad: the string grid component. The cell store and merged cells
// of the base grid plus appearance and behaviour settings, typed cell access,
// selection services, hidden rows and columns with their two index spaces
// (real: where the data lives; display: what the grid shows), row and column
// operations, per-cell questions answered through events, sizing, and the
// painting of cells.
#include <functional>
#include <memory>
#include <vector>

#include "components/grid/RavgridClipboard.h"
#include "components/grid/RavgridDragDrop.h"
#include "components/grid/Picturecontainer.h"
#include "components/grid/RavgridGraphic.h"
#include "components/grid/RavgridPrint.h"
#include "components/grid/Ravbase.h"
#include "components/grid/RavgridFiles.h"
#include "components/grid/RavgridSettings.h"
#include "components/grid/RavgridDragDrop.h"
#include "components/grid/RavgridSort.h"
#include "components/grid/Ravobj.h"
#include "platform/core/Strings.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Pen.h"

class TTimer;
class THTMLHintWindow;
class TRavInplaceEdit;
class TGridCheckBox;
class TGridSpin;
class TGridCombo;
class TGridDatePicker;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridButton;
class TControlEdit;
class TControlCombo;
class TEditLink;
class TArrowWindow;
class TPopupButton;
class TFooterPanel;
class TRavArodozIdadCheck;
class TImageList;
class TPicture;
class TIcon;
class TFilePicture;
class TIntList;
class TRichEdit;
class ZIduVavuRaro;
struct TDbRecords;

// The grid's own error.
ZV_EXCEPTION_CLASS(VEvoRaraVedad, Exception)

enum TGridLook { glStandard, glSoft, glClassic, glQSW };
enum TScrollType { ssNormal, ssFlat, ssEncarta };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
enum TSortStyle {
    ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU, ssShortDateUS,
    ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML, ssImages, ssCheckBox
};
enum TCellBorder : unsigned { cbTop = 1u << 0, cbLeft = 1u << 1, cbRight = 1u << 2, cbBottom = 1u << 3 };
using TCellBorders = unsigned;

// Event types; note which put the row first.
using TGridColorEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TGridDrawState AState, TBrush* ABrush, TFont* AFont)>;
using TGridBorderEvent = std::function<void(TObject* Sender, int ARow, int ACol, TPen* APen, TCellBorders& Borders)>;
using TGridBorderPropEvent = std::function<void(TObject* Sender, int ARow, int ACol, TPen* LeftPen, TPen* TopPen,
                                                TPen* RightPen, TPen* BottomPen)>;
using TGridAlignEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign)>;
using TGridFormatEvent =
    std::function<void(TObject* Sender, int ACol, TSortStyle& AStyle, AnsiString& aPrefix, AnsiString& aSuffix)>;
using TGetCheckEvent = std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value)>;
using TGridHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, AnsiString& hintstr)>;
using TScrollHintEvent = std::function<void(TObject* Sender, int ARow, AnsiString& hintstr)>;
using TCanEditCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& CanEdit)>;
using TIsFixedCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsFixed)>;
using TIsPasswordCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsPassword)>;
using TGetEditorTypeEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditorType& AEditor)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, const TRect& R)>;
using TColumnSizeEvent = std::function<void(TObject* Sender, int ACol, bool& Allow)>;
using TRowSizeEvent = std::function<void(TObject* Sender, int ARow, bool& Allow)>;
using TEndColumnSizeEvent = std::function<void(TObject* Sender, int ACol)>;
using TEndRowSizeEvent = std::function<void(TObject* Sender, int ARow)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, int ACol, int& AWidth)>;
using TCustomCellDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow,
                                                TGridDrawState AState, const TRect& ARect, bool Printing)>;
using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, const TRect& Rect, TGridDrawState State)>;

// Editing events.
using TCellValidateEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value, bool& Valid)>;
using TCanChangeEvent = std::function<void(TObject* Sender, int OldIdx, int NewIdx, bool& Allow)>;
using TCellChangingEvent =
    std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>;
using TEllipsClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& S)>;
using TGetEditorPropEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditLink* AEditLink)>;
using TCanAddRowEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TColEvent = std::function<void(TObject* Sender, int ACol)>;
using TCanRowEvent = std::function<void(TObject* Sender, int ARow, bool& Allow)>;
// The typed edit has its own clipboard event: the grid's lives in the grid's scope.
namespace Ravgrid {
using TClipboardEvent = std::function<void(TObject* Sender, bool& Allow)>;
}
using TClipboardPasteCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value, bool& Allow)>;
using TCheckBoxClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State)>;
using TRadioClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AIdx)>;
// A click on a node's button: the display row and the real row.
using TNodeClickEvent = std::function<void(TObject* Sender, int ARow, int ARowreal)>;
using TComboChangeEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const AnsiString& ASelection)>;
using TComboObjectChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex,
                                                   const AnsiString& ASelection, TObject* AObject)>;
using TSpinClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AValue, bool UpDown)>;
using TFloatSpinClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, double AValue, bool UpDown)>;
using TDateTimeSpinClickEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)>;
using TClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TAnchorClickEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const AnsiString& Anchor, bool& AutoHandle)>;
using TAnchorEvent = std::function<void(TObject* Sender, int ARow, int ACol, const AnsiString& Anchor)>;
// A control in a markup cell: its ID, TYPE and VALUE.
using TCellControlEvent = std::function<void(TObject* Sender, int ARow, int ACol, const AnsiString& CtrlID,
                                             const AnsiString& CtrlType, const AnsiString& CtrlVal)>;
// A markup combo about to open: Values are its items; Edit allows typing; DropCount lines show.
using TCellComboControlEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const AnsiString& CtrlID, const AnsiString& CtrlType,
                       const AnsiString& CtrlVal, TStringList* Values, bool& Edit, int& DropCount)>;

// A row cut out of the grid while hidden: its real index and its cells
// (texts and properties, all real columns), owned here until shown again.
class TGridItem : public TObject {
public:
    TGridItem(int AIdx, TStoreRow&& ARow) : FIdx(AIdx), FRow(std::move(ARow)) {}
    int Idx() const { return FIdx; }
    void SetIdx(int v) { FIdx = v; }
    TStoreRow& Row() { return FRow; }
    // The row's texts with their properties objects (owned by the item).
    TStrings* Items();

private:
    int FIdx;
    TStoreRow FRow;
    std::unique_ptr<TStringList> FItems;
};

// Told of changed cell rectangles once registered with a grid.
class TGridChangeNotifier : public TComponent {
public:
    using TComponent::TComponent;
    virtual void CellsChanged(const TRect&) {}
};

class TRavArodozIdad : public TBaseGrid {
public:
    explicit TRavArodozIdad(TComponent* AOwner);
    ~TRavArodozIdad() override;

    // ------------------------------------------------------------ version
    virtual int GetVersionNr();
    virtual AnsiString GetVersionString();

    // ------------------------------------------------------------ appearance
    TGridLook Look() const { return FLook; }
    void SetLook(TGridLook Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool FixedAsButtons() const { return FFixedAsButtons; }
    void SetFixedAsButtons(bool Value);
    TFont* FixedFont() const { return FFixedFont.get(); }
    void SetFixedFont(TFont* Value);
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);
    bool AutoNumAlign() const { return FAutoNumAlign; }
    void SetAutoNumAlign(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool Multilinecells() const { return FMultilinecells; }
    void SetMultilinecells(bool Value);
    bool EnhTextSize() const { return FEnhTextSize; }
    void SetEnhTextSize(bool Value) { FEnhTextSize = Value; }
    bool EnableHTML() const { return FEnableHTML; }
    void SetEnableHTML(bool Value);
    bool EnableBlink() const { return FEnableBlink; }
    void SetEnableBlink(bool Value)
    {
        FEnableBlink = Value;
        UpdateTimer();
    }
    bool HTMLHint() const { return FHTMLHint; }
    void SetHTMLHint(bool Value) { FHTMLHint = Value; }
    // Hints of every control of the application shown as markup (application-wide).
    bool UseHTMLHints() const { return FUseHTMLHints; }
    void SetUseHTMLHints(bool Value);
    TBitmap* RowIndicator() const { return FRowIndicator.get(); }
    void SetRowIndicator(TBitmap* Value);
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) override;
    bool SizeWithForm() const { return FSizeWithForm; }
    void SetSizeWithForm(bool Value) { FSizeWithForm = Value; }

    // ------------------------------------------------------------ selection and active cell
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value);
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor Value);
    bool SelectionRectangle() const { return FSelectionRectangle; }
    void SetSelectionRectangle(bool Value);
    TColor SelectionRectangleColor() const { return FSelectionRectangleColor; }
    void SetSelectionRectangleColor(TColor Value) { FSelectionRectangleColor = Value; }
    bool SelectionResizer() const { return FSelectionResizer; }
    void SetSelectionResizer(bool Value);
    bool SelectionRTFKeep() const { return FSelectionRTFKeep; }
    void SetSelectionRTFKeep(bool Value) { FSelectionRTFKeep = Value; }
    bool ShowSelection() const { return FShowSelection; }
    void SetShowSelection(bool Value);
    bool HideFocusRect() const { return FHideFocusRect; }
    void SetHideFocusRect(bool Value);
    bool ActiveCellShow() const { return FActiveCellShow; }
    void SetActiveCellShow(bool Value);
    TFont* ActiveCellFont() const { return FActiveCellFont.get(); }
    void SetActiveCellFont(TFont* Value);
    TColor ActiveCellColor() const { return FActiveCellColor; }
    void SetActiveCellColor(TColor Value);
    bool Hovering() const { return FHovering; }
    void SetHovering(bool Value)
    {
        FHovering = Value;
        UpdateTimer();
    }

    // ------------------------------------------------------------ hints and links
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor Value) { FHintColor = Value; }
    bool HintShowCells() const { return FHintShowCells; }
    void SetHintShowCells(bool Value) { FHintShowCells = Value; }
    bool HintShowLargeText() const { return FHintShowLargeText; }
    void SetHintShowLargeText(bool Value) { FHintShowLargeText = Value; }
    bool HintShowSizing() const { return FHintShowSizing; }
    void SetHintShowSizing(bool Value) { FHintShowSizing = Value; }
    bool AnchorHint() const { return FAnchorHint; }
    void SetAnchorHint(bool Value) { FAnchorHint = Value; }
    bool URLShow() const { return FURLShow; }
    void SetURLShow(bool Value);
    bool URLFull() const { return FURLFull; }
    void SetURLFull(bool Value);
    bool URLEdit() const { return FURLEdit; }
    void SetURLEdit(bool Value) { FURLEdit = Value; }
    TColor URLColor() const { return FURLColor; }
    void SetURLColor(TColor Value);

    // ------------------------------------------------------------ scrolling
    TScrollType ScrollType() const { return FScrollType; }
    void SetScrollType(TScrollType Value);
    TColor ScrollColor() const { return FScrollColor; }
    void SetScrollColor(TColor Value);
    int ScrollWidth() const { return FScrollWidth; }
    void SetScrollWidth(int Value);
    bool ScrollSynch() const { return FScrollSynch; }
    void SetScrollSynch(bool Value) { FScrollSynch = Value; }
    bool ScrollProportional() const { return FScrollProportional; }
    void SetScrollProportional(bool Value);
    TScrollHintType ScrollHints() const { return FScrollHints; }
    void SetScrollHints(TScrollHintType Value) { FScrollHints = Value; }
    bool EnableWheel() const { return FEnableWheel; }
    void SetEnableWheel(bool Value) { FEnableWheel = Value; }
    TIntelliPan IntelliPan() const { return FIntelliPan; }
    void SetIntelliPan(TIntelliPan Value) { FIntelliPan = Value; }
    bool IntelliZoom() const { return FIntelliZoom; }
    void SetIntelliZoom(bool Value) { FIntelliZoom = Value; }
    // True once the styled scroll bars are in use for the window.
    bool FlatInitialized() const { return FFlatInitialized; }
    // Vertical page of the proportional thumb over 128 positions (0 when not set).
    int ScrollPageV() const { return FScrollPageV; }
    int ScrollPageH() const { return FScrollPageH; }
    // The hint a dragged thumb at Position (0..127) shows ("Row : n", "Col : n"); empty without scroll hints.
    AnsiString ScrollHintText(bool Vertical, int Position);
    int ThumbCell(bool Vertical, int Position) const;
    THTMLHintWindow* ScrollHintWindow() const { return FScrollHintWindow; }

    // ------------------------------------------------------------ dimensions
    int GetRowCountEx() const { return RowCount(); }
    void SetRowCountEx(int Value);
    int GetColCountEx() const { return ColCount(); }
    void SetColCountEx(int Value);
    int GetFixedRowsEx() const;
    void SetFixedRowsEx(int Value);
    int GetFixedColsEx() const;
    void SetFixedColsEx(int Value);
    int FixedColWidth() const { return ColWidths(0); }
    void SetFixedColWidth(int Value);
    int FixedRowHeight() const { return RowHeights(0); }
    void SetFixedRowHeight(int Value);
    int GetDefRowHeightEx() const { return DefaultRowHeight(); }
    void SetDefRowHeightEx(int Value);
    int FixedFooters() const { return FFixedFooters; }
    void SetFixedFooters(int Value);
    int FixedRightCols() const { return FFixedRightCols; }
    void SetFixedRightCols(int Value);
    bool FixedRowAlways() const { return FFixedRowAlways; }
    void SetFixedRowAlways(bool Value) { FFixedRowAlways = Value; }
    bool FixedColAlways() const { return FFixedColAlways; }
    void SetFixedColAlways(bool Value) { FFixedColAlways = Value; }
    bool AutoSizeGrowOnly() const { return FAutoSizeGrowOnly; }
    void SetAutoSizeGrowOnly(bool Value) { FAutoSizeGrowOnly = Value; }
    int MinColWidth = 0, MaxColWidth = 0, MinRowHeight = 0, MaxRowHeight = 0;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // ------------------------------------------------------------ text settings
    const AnsiString& FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const AnsiString& Value) { FFloatFormat = Value; }
    int MaxEditLength() const { return FMaxEditLength; }
    void SetMaxEditLength(int Value) { FMaxEditLength = Value; }
    TStrings* ColumnHeaders() const { return FColumnHeaders.get(); }
    void SetColumnHeaders(TStrings* Value);
    TStrings* RowHeaders() const { return FRowHeaders.get(); }
    void SetRowHeaders(TStrings* Value);
    TStrings* LookupItems() const { return FLookupItems.get(); }
    void SetLookupItems(TStrings* Value);
    TIntList* MergedColumns() const { return FMergedColumns.get(); }
    bool ShowZeroDates() const { return FShowZeroDates; }
    void SetShowZeroDates(bool Value) { FShowZeroDates = Value; }
    bool KeepPropsOnClear() const { return FKeepPropsOnClear; }
    void SetKeepPropsOnClear(bool Value) { FKeepPropsOnClear = Value; }
    char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char Value) { FPasswordChar = Value; }
    const AnsiString& CheckTrue() const { return FCheckTrue; }
    void SetCheckTrue(const AnsiString& Value) { FCheckTrue = Value; }
    const AnsiString& CheckFalse() const { return FCheckFalse; }
    void SetCheckFalse(const AnsiString& Value) { FCheckFalse = Value; }
    TColor QSWGradFrom() const { return FQSWGradFrom; }
    void SetQSWGradFrom(TColor Value);
    TColor QSWGradTo() const { return FQSWGradTo; }
    void SetQSWGradTo(TColor Value);
    TPoint XYOffset() const { return FXYOffset; }
    void SetXYOffset(const TPoint& Value);
    TColor CommentColor() const { return FCommentColor; }
    void SetCommentColor(TColor Value) { FCommentColor = Value; }
    bool ThemesActive() const { return FThemesActive; }

    // ------------------------------------------------------------ settings objects
    TFloatingFooter* FloatingFooter() const { return FFloatingFooter.get(); }
    TControlLook* ControlLook() const { return FControlLook.get(); }
    TNavigation* Navigation() const { return FNavigation.get(); }
    TColumnSize* ColumnSize() const { return FColumnSize.get(); }
    TCellNode* CellNode() const { return FCellNode.get(); }
    TBands* Bands() const { return FBands.get(); }
    TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping.get(); }
    TMouseActions* MouseActions() const { return FMouseActions.get(); }
    TBackGround* BackGround() const { return FBackGround.get(); }
    void SetBackground(TBackGround* Value);

    // ------------------------------------------------------------ typed access
    int Ints(int ACol, int ARow);
    void SetInts(int ACol, int ARow, int Value);
    double Floats(int ACol, int ARow);
    double GetFloats(int ACol, int ARow) { return Floats(ACol, ARow); }
    void SetFloats(int ACol, int ARow, double Value);
    TDateTime Dates(int ACol, int ARow);
    void SetDates(int ACol, int ARow, TDateTime Value);
    TDateTime Times(int ACol, int ARow);
    void SetTimes(int ACol, int ARow, TDateTime Value);
    AnsiString GetStrippedCell(int ACol, int ARow);
    // The value of the markup form control CtrlID in the cell's text (empty when none).
    AnsiString GetCtrlVal(int ACol, int ARow, const AnsiString& CtrlID);
    // The cell's text is written back only when the value changes.
    void SetCtrlVal(int ACol, int ARow, const AnsiString& CtrlID, const AnsiString& Value);
    virtual AnsiString GetCurrentCell();
    virtual void SetCurrentCell(const AnsiString& Value);
    void AutoNumberCol(int ACol);
    void AutoNumberRow(int ARow);
    AnsiString GetCellsEx(int ACol, int ARow);
    void SetCellsEx(int ACol, int ARow, const AnsiString& Value);
    TObject* GetObjectsEx(int ACol, int ARow);
    void SetObjectsEx(int ACol, int ARow, TObject* Value);
    int SortedRowIndex(int ARow);
    int UnSortedRowIndex(int ARow);
    AnsiString GetUnSortedCell(int ACol, int ARow);
    void SetUnSortedCell(int ACol, int ARow, const AnsiString& Value);
    TIntList* SortIndex() const { return FSortCrossRef.get(); }

    // ------------------------------------------------------------ selection
    void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
    void SelectRows(int ARow, int Count);
    void SelectCols(int ACol, int Count);
    bool GetRowSelect(int ARow);
    void SetRowSelect(int ARow, bool Value);
    void ClearRowSelect();
    int RowSelectCount() const;
    void SelectToRowSelect(bool ClearOthers);
    bool IsSelected(int ACol, int ARow) override;
    bool GetSelectedCells(int ACol, int ARow) const;
    void SetSelectedCells(int ACol, int ARow, bool Value);
    int SelectedCellsCount() const { return int(FSelectedCells.size()); }
    TPoint SelectedCell(int Index) const;
    void ClearSelectedCells();
    AnsiString SelectedText();
    void HideSelection();
    void UnHideSelection();
    void ScrollInView(int ACol, int ARow);
    void RepaintRow(int ARow) { InvalidateRow(ARow); }
    void RepaintCol(int ACol) { InvalidateCol(ACol); }
    void RepaintRect(const TRect& R);
    void InvalidateGridRect(const TGridRect& R);

    // ------------------------------------------------------------ hidden columns and rows
    int RemapCol(int ACol) const;
    int RemapColInv(int ACol) const;
    int RemapRow(int ARow) const;
    int RemapRowInv(int ARow) const;
    int RealColIndex(int ACol) const { return RemapCol(ACol); }
    int DisplColIndex(int ACol) const { return RemapColInv(ACol); }
    int RealRowIndex(int ARow) const { return RemapRowInv(ARow); }
    int DisplRowIndex(int ARow) const { return RemapRow(ARow); }
    int GetRealCol() const { return RemapCol(Col()); }
    int GetRealRow() const { return RemapRowInv(Row()); }
    void HideColumn(int ACol) { HideColumns(ACol, ACol); }
    void HideColumns(int FromCol, int ToCol);
    void UnHideColumn(int ACol) { UnHideColumns(ACol, ACol); }
    void UnHideColumns(int FromCol, int ToCol);
    void UnHideColumnsAll();
    bool IsHiddenColumn(int ACol) const;
    int NumHiddenColumns() const { return FNumHiddenColumns; }
    bool GetVisibleCol(int ACol) const;
    void SetVisibleCol(int ACol, bool Value);
    int GetAllColWidths(int ACol) const;
    void SetAllColWidths(int ACol, int Value);
    void HideRow(int ARow) { HideRows(ARow, ARow); }
    void HideRows(int FromRow, int ToRow);
    void HideRowsEx(int FromRow, int ToRow);
    void UnHideRow(int ARow);
    void UnHideRows(int FromRow, int ToRow);
    void UnHideRowsAll();
    bool IsHiddenRow(int ARow) const;
    int NumHiddenRows() const { return int(FHiddenRows.size()); }
    TStrings* HiddenRow(int ARow);

    // ------------------------------------------------------------ row and column operations
    virtual void RemoveRowsEx(int ARow, int Count);
    virtual void RemoveRows(int ARow, int Count);
    virtual void InsertRows(int ARow, int Count);
    virtual void RemoveCols(int ACol, int Count);
    virtual void InsertCols(int ACol, int Count);
    virtual void SortSwapRows(int ARow1, int ARow2);
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
    void AddRow();
    void AddColumn() { InsertCols(ColCount(), 1); }
    void ClearRows(int ARow, int Count);
    void ClearCols(int ACol, int Count);
    void SwapRows(int ARow1, int ARow2);
    void SwapColumns(int ACol1, int ACol2);
    void MoveRow(int FromIndex, int ToIndex) { TStringGrid::MoveRow(FromIndex, ToIndex); }
    void MoveColumn(int FromIndex, int ToIndex) { TStringGrid::MoveColumn(FromIndex, ToIndex); }
    void MergeCols(int ACol1, int ACol2);
    void RemoveDuplicates(int ACol, bool CaseSensitive);
    void RemoveSelectedRows();
    void RemoveUnSelectedRows();
    void HideSelectedRows();
    void HideUnSelectedRows();
    void ClearNormalCells();
    void ClearSelection();
    void Clear();
    void MergeColumnCells(int ACol, bool IgnoreSpans);
    void MergeRowCells(int ARow, bool IgnoreSpans);
    void SplitColumnCells(int ACol);
    void SplitRowCells(int ARow);
    void SplitAllCells();
    bool IsCell(const AnsiString& Value, int& ACol, int& ARow);

    // ------------------------------------------------------------ per-cell questions
    virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
    virtual void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
    virtual void GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    virtual void GetColFormat(int ACol, TSortStyle& AStyle, AnsiString& Prefix, AnsiString& Suffix);
    virtual void GetCellEditor(int ACol, int ARow, TEditorType& AEditor);
    virtual void GetCellFixed(int ACol, int ARow, bool& IsFixed);
    virtual void GetCellReadOnly(int ACol, int ARow, bool& CanEdit);
    virtual void GetCellPassword(int ACol, int ARow, bool& IsPassword);
    virtual AnsiString GetCheckTrue(int ACol, int ARow);
    virtual AnsiString GetCheckFalse(int ACol, int ARow);
    virtual void GetCellHint(int ACol, int ARow, AnsiString& Hint);
    virtual bool GetFilter(int ACol);
    // Cells the application marks as password cells show masked.
    bool IsPassword(int ACol, int ARow);

    // Per-cell appearance (real column).
    TColor Colors(int ACol, int ARow) const;
    void SetColors(int ACol, int ARow, TColor Value);
    TColor FontColors(int ACol, int ARow) const;
    void SetFontColors(int ACol, int ARow, TColor Value);
    TFontStyles FontStyles(int ACol, int ARow) const;
    void SetFontStyles(int ACol, int ARow, TFontStyles Value);
    int FontSizes(int ACol, int ARow) const;
    void SetFontSizes(int ACol, int ARow, int Value);
    AnsiString FontNames(int ACol, int ARow) const;
    void SetFontNames(int ACol, int ARow, const AnsiString& Value);
    TAlignment Alignments(int ACol, int ARow) const;
    void SetAlignments(int ACol, int ARow, TAlignment Value);
    void Zoom(int Step);
    int ZoomLevel() const { return FZoom; }
    // The control's cursor; the writer also keeps it as the one to restore after pointing at a link.
    TCursor GetCursorEx() const { return Cursor(); }
    void SetCursorEx(TCursor Value);
    TCursor RestoreCursor() const { return FOldCursor; }

    // ------------------------------------------------------------ sizing
    void StretchColumn(int ACol);
    void StretchRightColumn() { StretchColumn(ColCount() - 1); }
    void SizeToWidth(int ACol, bool GrowOnly);
    void SizeToHeight(int ARow, bool GrowOnly);
    void AutoSizeCol(int ACol) { SizeToWidth(ACol, FAutoSizeGrowOnly); }
    void AutoSizeRow(int ARow) { SizeToHeight(ARow, FAutoSizeGrowOnly); }
    void AutoSizeColumns(bool DoFixed, int Extra);
    void AutoSizeRows(bool DoFixed, int Extra);
    void SizeToLines(int ARow, int Lines, int Extra);
    void AutoSizeCells(bool DoFixed, int ExtraX, int ExtraY);
    void RegisterNotifier(TGridChangeNotifier* ANotifier);
    void UnRegisterNotifier(TGridChangeNotifier* ANotifier);
    virtual void UpdateColSize(int ACol, int& AWidth);
    virtual void UpdateAutoColSize(int ACol, int& AWidth);
    virtual void UpdateColHeaders();
    virtual void CellsChanged(const TRect& R);
    virtual void UpdateCell(int ACol, int ARow);
    virtual AnsiString CalcCell(int ACol, int ARow);
    virtual AnsiString SaveCell(int ACol, int ARow);
    // Called when the owner form is resized (hooked when the owner is a form).
    void GridResize(TObject* Sender);
    // The form's resize handler as a named type, so that a grid going away can
    // find its own link in the form's chain and close the gap.
    struct TResizeLink {
        TRavArodozIdad* Grid;
        void operator()(TObject* Sender) const { Grid->GridResize(Sender); }
    };
    void UnlinkFormResize(TCustomForm* Form);
    // Colour of the four arrows that mark a move or drop target.
    TColor ArrowColor() const;
    void SetArrowColor(TColor Value);
    TArrowWindow* ArrowWindow(int Direction) const { return FArrows[Direction]; }

    // ------------------------------------------------------------ update locking
    void BeginUpdate();
    void EndUpdate();
    void ResetUpdate() { FUpdateCount = 0; }
    bool GetLockFlag() const { return FUpdateCount > 0; }
    void SetLockFlag(bool Value);
    bool BlinkPhase() const { return FBlinkPhase; }
    // One tick of the grid's half-second timer: hover focus and blinking cells.
    void TimerTick();
    // The tick serves hovering and blinking only: it runs while one of them is on.
    void UpdateTimer();

    // ------------------------------------------------------------ headers and column merging
    void ShowColumnHeaders();
    void ClearColumnHeaders();
    void ShowRowHeaders();
    void ClearRowHeaders();
    void ApplyColumnMerge();
    void UndoColumnMerge();

    // ------------------------------------------------------------ alignment and text metrics
    // TAlignment in the low byte, TVAlignment in the high byte.
    Word GetCellAlignment(int ACol, int ARow);
    TPoint GetCellTextSize(int ACol, int ARow, bool AWordWrap);
    int MaxLinesInGrid();
    int MaxLinesInRow(int ARow);
    int MaxCharsInCol(int ACol);

    // ------------------------------------------------------------ hints
    // What the hint over a client point says and where it shows (client
    // coordinates); false when the point is over no cell.
    bool CellHintAt(int X, int Y, AnsiString& HintStr, TPoint& HintPos);
    // Shows the hint of the cell under a client point in the hint window (hidden when empty).
    void ShowCellHint(int X, int Y);
    THTMLHintWindow* HintWindow() const { return FHintWindow; }
    // The hint that shows the new width or height while a line is dragged (HintShowSizing).
    THTMLHintWindow* SizingHintWindow() const { return FSizingHint; }
    void ScreenToCell(const TPoint& ScreenPoint, int& ACol, int& ARow);
    bool InSizeZone(int X, int Y);

    // ------------------------------------------------------------ editing
    bool Lookup() const { return FLookup; }
    void SetLookup(bool Value) { FLookup = Value; }
    bool LookupCaseSensitive() const { return FLookupCaseSensitive; }
    void SetLookupCaseSensitive(bool Value) { FLookupCaseSensitive = Value; }
    bool LookupHistory() const { return FLookupHistory; }
    void SetLookupHistory(bool Value) { FLookupHistory = Value; }
    bool EditWithTags() const { return FEditWithTags; }
    void SetEditWithTags(bool Value) { FEditWithTags = Value; }
    bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
    TEditLink* EditLink() const { return FEditLink; }
    void SetEditLink(TEditLink* Value);
    // The editor type of the edit that is open (or was last opened).
    TEditorType EditorType() const { return FEditorType; }
    bool EditActive() const { return FEditActive; }
    bool EditingActive() const { return FEditing; }

    bool IsEditable(int ACol, int ARow);
    void ShowEditControl(int ACol, int ARow);
    void HideEditControl(int ACol, int ARow);
    void ShowCellEdit();
    void HideCellEdit() { HideEditControl(Col(), Row()); }
    // The grid's click starts watching the current cell for validation.
    void Click() override;
    void ShowInplaceEdit();
    void HideInplaceEdit();
    void DoneInplaceEdit(Word Key, TShiftState Shift);
    void DoneEditing();
    virtual void UpdateEditingCell(int ACol, int ARow, const AnsiString& Value);
    virtual void RestoreCache();
    const AnsiString& CachedText() const { return FCellCache; }
    AnsiString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const AnsiString& Value) override;
    int GetEditLimit() override { return FMaxEditLength; }
    TRect EditorCellRect(int ACol, int ARow) override;
    // The colour and font an editor takes over a cell: the cell's as painting gives them.
    void CellEditLook(int ACol, int ARow, TColor& AColor, TFont* AFont);
    virtual void EllipsClick(const AnsiString& S, AnsiString& Result);
    TRavInplaceEdit* GetInplaceEditor() const;
    TGridDatePicker* GetDateTimePicker() const { return FGridDatePicker; }
    TGridCombo* GridCombo() const { return FGridCombo; }
    TGridSpin* GridSpin() const { return FGridSpin; }
    TGridEditBtn* GridEditBtn() const { return FGridEditBtn; }
    TGridUnitEditBtn* GridUnitEditBtn() const { return FGridUnitEditBtn; }
    TGridCheckBox* GridCheckBox() const { return FGridCheckBox; }
    TGridButton* GridButton() const { return FGridButton; }
    // The caret's client position and index after each key release in the editor.
    virtual void EditProgress(const AnsiString& Text, const TPoint& Position, int SelStart);

    // Combo items of the grid's one combo editor.
    void ClearComboString();
    int AddComboString(const AnsiString& S);
    void AddComboStringObject(const AnsiString& S, TObject* AObject);
    bool RemoveComboString(const AnsiString& S);
    void SetComboSelection(int Index) { FComboIdx = Index; }
    bool SetComboSelectionString(const AnsiString& S);
    int GetComboCount() const;
    TStrings* ComboItems() const;
    // The combo's notifications: a chosen item (index, text and object) or typed text (index -1).
    void ComboSelChange();
    void ComboEditChange();

    // Validation.
    virtual void InitValidate(int ACol, int ARow);
    virtual bool ValidateCell(const AnsiString& Value);
    bool Validating() const { return FValidating; }

    // Keyboard editing and navigation.
    void AdvanceEdit(int ACol, int ARow, bool Force, bool ShowEditor, bool Forward);
    void TabEdit(bool Backward);
    // Some data cell can be edited (IsEditable).
    bool AnyDataCellEditable();
    virtual void DoInsertRow(int ARow);
    virtual void DoDeleteRow(int ARow);
    // The caret placement a press on a cell asked for (read by the editors).
    bool CaretPositioningPending() const { return FCaretPositioning; }
    void ClearCaretPositioning() { FCaretPositioning = false; }
    const AnsiString& SearchText() const { return FSearchText; }
    // The first data row whose cell in the sort column starts with Text (upper case); -1 when none.
    int Search(const AnsiString& Text);
    TPoint PanFocusPoint() const { return FPanFocus; }
    // The step (-1, 0, 1 each way) the last panning tick took.
    TPoint PanDirection() const { return FPanDirection; }
    bool Panning() const { return FPanning; }
    // One tick of the panning timer (every 10 ms while panning).
    void PanTimerTick();
    TTimer* PanTimer() const { return FPanTimer; }

    // ------------------------------------------------------------ painting
    virtual void DrawCellGradient(TCanvas* ACanvas, TColor From, TColor To, int Steps, bool Horizontal,
                                  const TRect& R);
    void DrawSizingLine(int X);

    // ------------------------------------------------------------ base overrides
    bool IsFixed(int ACol, int ARow) override;
    int NodeIndent(int ARow) override;
    bool HasNodes() override;
    void DrawGridCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
    void FloatFooterUpdate() override;
    void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                             TBrush* ABrush, TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW) override;

    // ------------------------------------------------------------ events
    TGridColorEvent OnGetCellColor;
    TGridColorEvent OnGetCellPrintColor;
    TGridBorderEvent OnGetCellBorder;
    TGridBorderEvent OnGetCellPrintBorder;
    TGridBorderPropEvent OnGetCellBorderProp;
    TGridAlignEvent OnGetAlignment;
    TGridFormatEvent OnGetFormat;
    TGetCheckEvent OnGetCheckTrue;
    TGetCheckEvent OnGetCheckFalse;
    TGridHintEvent OnGridHint;
    TScrollHintEvent OnScrollHint;
    TCanEditCellEvent OnCanEditCell;
    TIsFixedCellEvent OnIsFixedCell;
    TIsPasswordCellEvent OnIsPasswordCell;
    TGetEditorTypeEvent OnGetEditorType;
    TCellsChangedEvent OnCellsChanged;
    TColumnSizeEvent OnColumnSize;
    TRowSizeEvent OnRowSize;
    TEndColumnSizeEvent OnEndColumnSize;
    TEndRowSizeEvent OnEndRowSize;
    TUpdateColumnSizeEvent OnUpdateColumnSize;
    TCellValidateEvent OnCellValidate;
    TCanChangeEvent OnRowChanging;
    TCanChangeEvent OnColChanging;
    TCellChangingEvent OnCellChanging;
    TEllipsClickEvent OnEllipsClick;
    TGetEditorPropEvent OnGetEditorProp;
    TNotifyEvent OnEditingDone;
    TCanAddRowEvent OnCanAddRow;
    TRowEvent OnAutoAddRow;
    TColEvent OnAutoInsertCol;
    TCanRowEvent OnCanInsertRow;
    TRowEvent OnAutoInsertRow;
    TCanRowEvent OnCanDeleteRow;
    TRowEvent OnAutoDeleteRow;
    Ravgrid::TClipboardEvent OnClipboardCut;
    Ravgrid::TClipboardEvent OnClipboardCopy;
    Ravgrid::TClipboardEvent OnClipboardPaste;
    TClipboardPasteCellEvent OnClipboardBeforePasteCell;
    TCheckBoxClickEvent OnCheckBoxClick;
    TRadioClickEvent OnRadioClick;
    // The release of a click on a check box or radio cell (real column).
    TCheckBoxClickEvent OnCheckBoxMouseUp;
    TRadioClickEvent OnRadioMouseUp;
    TNodeClickEvent OnExpandNode;
    TNodeClickEvent OnContractNode;
    // Asked while a column (row) is dragged by its header (goColMoving, goRowMoving); false ends it.
    TColumnSizeEvent OnColumnMove;
    TRowSizeEvent OnRowMove;
    // Moving by a header shows the header floating under the mouse and arrows at the drop place.
    bool EnhRowColMove() const { return FEnhRowColMove; }
    void SetEnhRowColMove(bool Value) { FEnhRowColMove = Value; }

    // Cell graphics: at most one per cell, owned by the grid.
    TCellGraphic* CreateCellGraphic(int ACol, int ARow);
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow);
    virtual TCellType GetCellType(int ACol, int ARow);
    bool FreeCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphic(int ACol, int ARow, TCellType CellType);
    // The room the graphic needs on screen: x the width, y the height.
    virtual TPoint GetCellGraphicSize(int ACol, int ARow);
    TBitmap* CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
    void AddBitmap(int ACol, int ARow, TBitmap* Bitmap, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
    TBitmap* GetBitmap(int ACol, int ARow);
    bool RemoveBitmap(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, Ravgrid::ctBitmap); }
    void AddCheckBox(int ACol, int ARow, bool State, bool Data);
    bool RemoveCheckBox(int ACol, int ARow);
    bool HasCheckBox(int ACol, int ARow);
    bool GetCheckBoxState(int ACol, int ARow, bool& State);
    bool SetCheckBoxState(int ACol, int ARow, bool State);
    virtual bool ToggleCheck(int ACol, int ARow, bool FromUser);
    bool ToggleCheckBox(int ACol, int ARow) { return ToggleCheck(ACol, ARow, false); }
    bool ToggleRadio(int ACol, int ARow, bool FromUser);
    // Nodes: a node row in column 0 owns Span rows counting itself (0 or below:
    // up to the next node row); contracting hides the rows it owns.
    void AddNode(int ARow, int Span);
    void RemoveNode(int ARow);
    void ContractNode(int ARow);
    void ExpandNode(int ARow);
    void ExpandAll();
    void ContractAll();
    bool GetNodeState(int ARow);
    void SetNodeState(int ARow, bool Contracted);
    int GetNodeSpan(int ARow);
    void SetNodeSpan(int ARow, int Span);
    bool IsNode(int ARow) { return GetCellType(0, ARow) == Ravgrid::ctNode; }
    int GetParentRow(int ARow);
    int GetNodeSpanType(int ARow);
    // Radio groups: captions side by side when Direction is not 0.
    void AddRadio(int ACol, int ARow, int Direction, int Index, TStrings* Items);
    TStrings* CreateRadio(int ACol, int ARow, int Direction, int Index);
    bool GetRadioIdx(int ACol, int ARow, int& Index);
    bool SetRadioIdx(int ACol, int ARow, int Index);
    TStrings* GetRadioStrings(int ACol, int ARow);
    bool IsRadio(int ACol, int ARow) { return GetRadioStrings(ACol, ARow) != nullptr; }
    bool RemoveRadio(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, Ravgrid::ctRadio); }
    TComboChangeEvent OnComboChange;
    TComboObjectChangeEvent OnComboObjectChange;
    TSpinClickEvent OnSpinClick;
    TFloatSpinClickEvent OnFloatSpinClick;
    TDateTimeSpinClickEvent OnDateSpinClick;
    TDateTimeSpinClickEvent OnTimeSpinClick;
    TClickCellEvent OnClickCell;
    TClickCellEvent OnRightClickCell;
    TClickCellEvent OnDblClickCell;
    TButtonClickEvent OnButtonClick;
    TAnchorClickEvent OnAnchorClick;
    TAnchorEvent OnAnchorEnter;
    TAnchorEvent OnAnchorExit;
    // Controls in markup cells: a click on one; the end of an edit in a markup EDIT or COMBO; the
    // items of a markup COMBO before it drops down.
    TCellControlEvent OnControlClick;
    TCellControlEvent OnControlEditDone;
    TCellComboControlEvent OnControlComboList;
    // The editors the grid lays over a markup EDIT or COMBO control.
    TControlEdit* ControlEdit() const { return FControlEdit; }
    TControlCombo* ControlCombo() const { return FControlCombo; }
    // Ends the edit of a markup EDIT or COMBO: its text becomes the control's value in the cell.
    void ControlExit(TObject* Sender);
    TCustomCellDrawEvent OnCustomCellDraw;
    TDrawCellEvent OnDrawCell;
    TNotifyEvent OnResize;
    // Cell graphic kinds: icons, image lists, pictures, progress bars, comments, buttons, rotated text, markers.
    TImageList* GridImages() const { return FGridImages; }
    void SetImages(TImageList* Value);
    TPictureContainer* PictureContainer() const { return FPictureContainer; }
    void SetPictureContainer(TPictureContainer* Value);
    THTMLPictureCache* PictureCache() const { return FPictureCache.get(); }
    TPicture* CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                            TCellHAlign HAlign, TCellVAlign VAlign);
    void AddPicture(int ACol, int ARow, TPicture* Picture, bool Transparent, TStretchMode StretchMode, int Padding,
                    TCellHAlign HAlign, TCellVAlign VAlign);
    TPicture* GetPicture(int ACol, int ARow);
    bool RemovePicture(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, Ravgrid::ctPicture); }
    TFilePicture* CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                    TCellHAlign HAlign, TCellVAlign VAlign);
    void AddFilePicture(int ACol, int ARow, TFilePicture* Picture, bool Transparent, TStretchMode StretchMode,
                        int Padding, TCellHAlign HAlign, TCellVAlign VAlign);
    TFilePicture* GetFilePicture(int ACol, int ARow);
    bool RemoveFilePicture(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, Ravgrid::ctFilePicture); }
    TIcon* CreateIcon(int ACol, int ARow, TCellHAlign HAlign, TCellVAlign VAlign);
    void AddIcon(int ACol, int ARow, TIcon* Icon, TCellHAlign HAlign, TCellVAlign VAlign);
    bool RemoveIcon(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, Ravgrid::ctIcon); }
    void AddProgress(int ACol, int ARow, TColor FillColor, TColor RestColor);
    void AddProgressEx(int ACol, int ARow, TColor FillColor, TColor FillTextColor, TColor RestColor,
                       TColor RestTextColor);
    bool RemoveProgress(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, Ravgrid::ctProgress); }
    void AddComment(int ACol, int ARow, const AnsiString& Text);
    bool IsComment(int ACol, int ARow, AnsiString& Text);
    bool RemoveComment(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, Ravgrid::ctComment); }
    // An error mark under characters Start (from 1) .. Start + Length - 1 of the cell text.
    void AddMarker(int ACol, int ARow, int Start, int Length);
    void RemoveMarker(int ACol, int ARow);
    void GetMarker(int ACol, int ARow, int& Start, int& Length);
    void AddButton(int ACol, int ARow, int Width, int Height, const AnsiString& Caption, TCellHAlign HAlign,
                   TCellVAlign VAlign);
    void AddBitButton(int ACol, int ARow, int Width, int Height, const AnsiString& Caption, TBitmap* Glyph,
                      TCellHAlign HAlign, TCellVAlign VAlign);
    TBitmap* CreateBitButton(int ACol, int ARow, int Width, int Height, const AnsiString& Caption,
                             TCellHAlign HAlign, TCellVAlign VAlign);
    bool RemoveButton(int ACol, int ARow);
    void PushButton(int ACol, int ARow, bool Down);
    bool HasButton(int ACol, int ARow);
    bool HasDataCheckBox(int ACol, int ARow);
    TRect ButtonRect(int ACol, int ARow);
    bool GetImageIdx(int ACol, int ARow, int& Index);
    void AddImageIdx(int ACol, int ARow, int Index, TCellHAlign HAlign, TCellVAlign VAlign);
    void AddDataImage(int ACol, int ARow, int Offset, TCellHAlign HAlign, TCellVAlign VAlign);
    void AddMultiImage(int ACol, int ARow, int Direction, TCellHAlign HAlign, TCellVAlign VAlign);
    bool RemoveImageIdx(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, Ravgrid::ctImageList); }
    bool RemoveDataImage(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, Ravgrid::ctDataImage); }
    bool RemoveMultiImage(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, Ravgrid::ctImages); }
    TIntList* GetCellImages(int ACol, int ARow);
    int GetCellImageIdx(int ACol, int ARow);
    void AddRotated(int ACol, int ARow, int Degrees, const AnsiString& Text);
    void SetRotated(int ACol, int ARow, int Degrees);
    bool IsRotated(int ACol, int ARow, int& Degrees);
    bool RemoveRotated(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow, Ravgrid::ctRotated); }
    // The room the graphic needs on paper: pictures sized for the cell, all divided by Factor.
    virtual TPoint GetPrintGraphicSize(int ACol, int ARow, int CellWidth, int CellHeight, double Factor);
    TCellGraphic* GetGraphicDetails(int ACol, int ARow, int& W, int& H, bool& DrawText, TCellHAlign& HA,
                                    TCellVAlign& VA);
    // The anchor of the markup in a cell at a client point, false when there is none.
    bool MarkupAnchorAt(int ACol, int ARow, int X, int Y, AnsiString& Anchor);
    std::function<void(TObject* Sender, int ARow, int ACol, AnsiString& Anchor)> OnAnchorHint;
    // A row inserted at (removed from) real row ARow; under a node it joins (leaves) the node's children.
    void InsertChildRow(int ARow);
    void RemoveChildRow(int ARow);
    // Moves R's top-left to where text rotated by Angle degrees starts, for the alignments.
    // Measures on Measure (the grid's canvas when none).
    void CalcTextPos(TRect& R, int Angle, const AnsiString& Text, TAlignment HA, TVAlignment VA,
                     TCanvas* Measure = nullptr);

    // ------------------------------------------------------------ floating footer
    TFooterPanel* FooterPanel() const { return FFooterPanel; }
    // Repaints the footer panel.
    void UpdateFooter();
    // Recalculates the totals of the footer row: one column, or all with -1.
    virtual void CalcFooter(int ACol);
    void DoCalcFooter(int ACol);

    // ------------------------------------------------------------ drag and drop
    TDragDropSettings* DragDropSettings() const { return FDragDropSettings.get(); }
    // The cells the last drag out of this grid started with (Top -1: none).
    TGridRect OleDragRect() const { return FOleDragRect; }
    void SetOleDragRect(const TGridRect& R) { FOleDragRect = R; }
    TPopupButton* PopupButton() const { return FPopupButton; }
    // Loads a single dropped file: comma-separated values, or a workbook.
    virtual void LoadDroppedFile(const AnsiString& FileName, bool Workbook);
    TOleDragDropEvent OnOleDrag;
    TOleDragDropEvent OnOleDrop;
    TOleDroppedEvent OnOleDropped;
    TOleDragOverEvent OnOleDragOver;
    TOleDropColEvent OnOleDropCol;
    TOleDragStartEvent OnOleDragStart;
    TOleDragStopEvent OnOleDragStop;

    // ------------------------------------------------------------ sorting, filtering, finding, grouping, marking
    TSortSettings* SortSettings() const { return FSortSettings.get(); }
    void SetSortSettings(TSortSettings* Value) { FSortSettings->Assign(Value); }
    TSortIndexList* SortIndexes() const { return FSortIndexes.get(); }
    // 1: row 1 sorts after row 2 in the column, -1 before, 0 equal (ascending sense).
    int Compare(int ACol, int ARow1, int ARow2);
    int CompareLine(int ACol, int ARow1, int ARow2);
    int CompareLineIndexed(int Depth, int ARow1, int ARow2);
    bool SortLine(int ACol, int ARow1, int ARow2);
    void SortByColumn(int ACol);
    void QuickSortRows(int ACol, int Left, int Right);
    void QuickSortRowsIndexed(int Depth, int Left, int Right);
    void QuickSort(int ACol, int Left, int Right);
    void QuickSortIndexed(int Left, int Right);
    void QSort();
    void QSortIndexed();
    void QSortGroup();
    void InitSortXRef();
    int SortCompares() const { return FSortCompares; }
    int SortSwaps() const { return FSortSwaps; }
    TCustomCompareEvent OnCustomCompare;
    TRawCompareEvent OnRawCompare;
    TCanSortEvent OnCanSort;
    TClickSortEvent OnClickSort;
    // Milliseconds the last sort by a header click took.
    int SortTime() const { return FSortTime; }
    // The sort mark of a column, centred near (X, Y).
    void DrawSortIndicator(TCanvas* Canvas, int ACol, int X, int Y);

    TFilter* Filter() const { return FFilter.get(); }
    void SetFilter(TFilter* Value) { FFilter->Assign(Value); }
    bool FilterActive() const { return FFilterActive; }
    void SetFilterActive(bool Value);
    virtual bool MatchFilter(int ARow);
    void FilterRow(int ARow);
    void ApplyFilter();
    TGridProgressEvent OnFilterProgress;

    bool MatchCell(int ACol, int ARow);
    TPoint Find(TPoint StartCell, const AnsiString& S, TFindParams FindParams);
    TPoint FindFirst(const AnsiString& S, TFindParams FindParams);
    TPoint FindNext();

    int GroupColumn() const { return FGroupColumn; }
    void SetGroupColumn(int Value);
    void Group(int ACol);
    void UnGroup();
    void GroupCalc(int ACol, int Method);
    void GroupSum(int ACol) { GroupCalc(ACol, 1); }
    void GroupAvg(int ACol) { GroupCalc(ACol, 2); }
    void GroupMin(int ACol) { GroupCalc(ACol, 3); }
    void GroupMax(int ACol) { GroupCalc(ACol, 4); }
    void GroupCount(int ACol) { GroupCalc(ACol, 5); }
    double ColumnSum(int ACol, int FromRow, int ToRow);
    double ColumnAvg(int ACol, int FromRow, int ToRow);
    double ColumnMin(int ACol, int FromRow, int ToRow);
    double ColumnMax(int ACol, int FromRow, int ToRow);
    double RowSum(int ARow, int FromCol, int ToCol);
    double RowAvg(int ARow, int FromCol, int ToCol);
    double RowMin(int ARow, int FromCol, int ToCol);
    double RowMax(int ARow, int FromCol, int ToCol);

    TRavArodozIdadCheck* CellChecker() const { return FCellChecker; }
    void SetCellChecker(TRavArodozIdadCheck* Value);
    void MarkCells(const AnsiString& AWord, const AnsiString& Tag, bool DoCase, int FromCol, int FromRow, int ToCol,
                   int ToRow);
    void UnMarkCells(const AnsiString& Tag, int FromCol, int FromRow, int ToCol, int ToRow);
    void HilightInCell(bool DoCase, int ACol, int ARow, const AnsiString& AWord);
    void HilightInCol(bool DoFixed, bool DoCase, int ACol, const AnsiString& AWord);
    void HilightInRow(bool DoFixed, bool DoCase, int ARow, const AnsiString& AWord);
    void HilightInGrid(bool DoFixed, bool DoCase, const AnsiString& AWord);
    void UnHilightInCell(int ACol, int ARow);
    void UnHilightInCol(bool DoFixed, int ACol);
    void UnHilightInRow(bool DoFixed, int ARow);
    void UnHilightInGrid(bool DoFixed);
    void MarkInCell(bool DoCase, int ACol, int ARow, const AnsiString& AWord);
    void MarkInCol(bool DoFixed, bool DoCase, int ACol, const AnsiString& AWord);
    void MarkInRow(bool DoFixed, bool DoCase, int ARow, const AnsiString& AWord);
    void MarkInGrid(bool DoFixed, bool DoCase, const AnsiString& AWord);
    void UnMarkInCell(int ACol, int ARow);
    void UnMarkInCol(bool DoFixed, int ACol);
    void UnMarkInRow(bool DoFixed, int ARow);
    void UnMarkInGrid(bool DoFixed);
    AnsiString HilightText(bool DoCase, const AnsiString& S, const AnsiString& AWord);
    AnsiString UnHilightText(const AnsiString& S);
    AnsiString MarkText(bool DoCase, const AnsiString& S, const AnsiString& AWord);
    AnsiString UnMarkText(const AnsiString& S);
    bool CheckCell(int ACol, int ARow);
    bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
    bool CheckCol(bool DoFixed, int ACol);
    bool CheckRow(bool DoFixed, int ARow);
    bool CheckGrid(bool DoFixed);
    void TextFill(bool DoFixed, const AnsiString& S);
    void RandomFill(bool DoFixed, int Limit);

    // Rich text cells: a cell's RTF moves in and out of a rich edit; the hidden one paints.
    void CellToRich(int ACol, int ARow, TRichEdit* RichEdit);
    void RichToCell(int ACol, int ARow, TRichEdit* RichEdit);
    void RTFPaint(int ACol, int ARow, TCanvas* Canvas, TRect R);
    ZIduVavuRaro* RichEdit() const { return FRichEdit; }
    ZIduVavuRaro* InplaceRichEdit() const { return FInplaceRichEdit; }
    TNotifyEvent OnRichEditSelectionChange;

    // ------------------------------------------------------------ printing
    TPrintSettings* PrintSettings() const { return FPrintSettings.get(); }
    // Points to a font height in print units (negative) and back.
    int MapFontHeight(int PointSize) const;
    int MapFontSize(int Height) const;
    // Valid after a layout for every column of the grid.
    int GetPrintColWidth(int ACol) const;
    int GetPrintColOffset(int ACol) const;
    // Lays PrintRange out (and draws it for prPreview and prPrint); returns the pages laid out.
    int BuildPages(TCanvas* ACanvas, TPrintMethod Method, int TotalPages, bool SelectedRowsOnly);
    void Print();
    void PrintRect(const TGridRect& Cells);
    void PrintSelectedRows();
    // Previews draw the page chosen by SetPreviewPage into Target (device units of ACanvas).
    void PrintPreview(TCanvas* ACanvas, const TRect& Target);
    void PrintPreviewRect(TCanvas* ACanvas, const TRect& Target, const TGridRect& Cells);
    void PrintPreviewSelectedRows(TCanvas* ACanvas, const TRect& Target);
    void SetPreviewPage(int Page);
    // Page 1 drawn on ACanvas, the page sized to Target.
    void PrintDraw(TCanvas* ACanvas, const TRect& Target);
    void PrintDrawRect(TCanvas* ACanvas, const TRect& Target, const TGridRect& Cells);
    const TGridPrintState& PrintState() const { return FPrint; }
    TGridRect PrintRange() const { return FPrint.PrintRange; }
    void SetPrintRange(const TGridRect& Value) { FPrint.PrintRange = Value; }
    // The preview's target rectangle, or (0, 0) and the printer page in print units.
    TRect PreviewRect() const { return FPrint.PreviewRect; }
    void SetPreviewRect(const TRect& Value) { FPrint.PreviewRect = Value; }
    int FromPage() const { return FPrint.FromPage; }
    int ToPage() const { return FPrint.ToPage; }
    int PrintPageCount() const { return FPrint.PrintPageCount; }
    double PrintFontScale() const { return FPrint.PrintFontScale; }
    bool PrintWithoutPageCount = false;
    bool RotatedPrintFollowsPrinter = false;
    TPrintSetColumnWidthEvent OnPrintSetColumnWidth;
    TPrintSetRowHeightEvent OnPrintSetRowHeight;
    TFitToPageEvent OnFitToPage;
    TPrintPageEvent OnPrintPage;
    TPrintNewPageEvent OnPrintNewPage;
    TPrintPageDoneEvent OnPrintPageDone;
    TCustomCellSizeEvent OnCustomCellSize;
    TPrintStartEvent OnPrintStart;

    // ------------------------------------------------------------ grid files
    // The save range that exports and copies work on (absolute indexes).
    int GetSaveStartCol();
    int GetSaveEndCol();
    int GetSaveStartRow();
    int GetSaveEndRow();
    int GetSaveColCount();
    int GetSaveRowCount();
    bool SaveWithFixedCells = true;
    bool SaveWithHiddenColumns = false;
    char CSVDelimiter = '\0'; // '\0': "," on output, detected on input
    bool CSVQuoteAll = false;
    bool CSVQuoteEmpty = true;
    bool CSVJavaStyle = false;
    bool OemConvert() const { return FOemConvert; }
    void SetOemConvert(bool Value) { FOemConvert = Value; }
    THTMLSettings* HTMLSettings() const { return FHTMLSettings.get(); }
    void SetHTMLSettings(THTMLSettings* Value) { FHTMLSettings->Assign(Value); }
    TGridProgressEvent OnFileProgress;
    void SaveToFile(const AnsiString& FileName);
    void LoadFromFile(const AnsiString& FileName);
    void SaveToStream(TStream* Stream);
    void LoadFromStream(TStream* Stream);
    void SaveRectToBinStream(const TRect& R, TStream* Stream);
    void SaveToBinStream(TStream* Stream);
    void LoadAtPointFromBinStream(const TPoint& P, TStream* Stream);
    void LoadFromBinStream(TStream* Stream);
    void SaveToBinFile(const AnsiString& FileName);
    void LoadFromBinFile(const AnsiString& FileName);
    void SaveToCSV(const AnsiString& FileName) { OutputToCSV(FileName, false); }
    void AppendToCSV(const AnsiString& FileName) { OutputToCSV(FileName, true); }
    void OutputToCSV(const AnsiString& FileName, bool Append);
    void LoadFromCSV(const AnsiString& FileName) { InputFromCSV(FileName, false); }
    void InsertFromCSV(const AnsiString& FileName) { InputFromCSV(FileName, true); }
    void InputFromCSV(const AnsiString& FileName, bool Insert);
    void SaveToFixed(const AnsiString& FileName, TIntList* ColWidths);
    void LoadFromFixed(const AnsiString& FileName, TIntList* Positions);
    void SaveToASCII(const AnsiString& FileName);
    void SaveToHTML(const AnsiString& FileName) { OutputToHTML(FileName, false); }
    void AppendToHTML(const AnsiString& FileName) { OutputToHTML(FileName, true); }
    void OutputToHTML(const AnsiString& FileName, bool Append);
    void SaveToXML(const AnsiString& FileName, const AnsiString& ListDescr, const AnsiString& RecordDescr,
                   TStrings* FieldDescr);
    // After cells were loaded from a file or stream.
    virtual void CellsLoaded();

    // ------------------------------------------------------------ clipboard
    bool ClipboardQuoteMultiline() const { return FClipboardQuoteMultiline; }
    void SetClipboardQuoteMultiline(bool Value) { FClipboardQuoteMultiline = Value; }
    TPoint CopyOrigin() const { return FCopyOrigin; }
    TClipOperation LastClipOperation() const { return FLastClipOperation; }
    void CopyToClipBoard();
    void CopySelectionToClipboard();
    void CutToClipboard();
    void CutSelectionToClipboard();
    void PasteFromClipboard();
    void PasteSelectionFromClipboard();
    // The number of fields PasteText read (0 for the grid's own format and rich text).
    int PasteFunc(int ACol, int ARow);
    int PasteText(int ACol, int ARow, const AnsiString& Text);
    // x: the columns, y: the rows of a clipboard text.
    TPoint PasteSize(const AnsiString& Text);
    void CopyFunc(int ALeft, int ATop, int ARight, int ABottom, bool SelectedRowsOnly);
    void CopyRTFFunc(int ACol, int ARow);
    void CopyBinFunc(int ALeft, int ATop, int ARight, int ABottom);
    virtual void PasteInCell(int ACol, int ARow, const AnsiString& Value);
    virtual void PasteNotify(const TPoint& Origin, const TGridRect& Pasted, TClipOperation Operation);

    // ------------------------------------------------------------ spreadsheet, document and database exchange
    void LoadFromXLS(const AnsiString& FileName);
    void LoadFromXLSSheet(const AnsiString& FileName, const AnsiString& SheetName);
    void SaveToXLS(const AnsiString& FileName);
    void SaveToXLSSheet(const AnsiString& FileName, const AnsiString& SheetName);
    void SaveToDOC(const AnsiString& FileName);
    void LoadFromMDBTable(const AnsiString& FileName, const AnsiString& Table);
    void LoadFromMDBSQL(const AnsiString& FileName, const AnsiString& Sql);

    // ------------------------------------------------------------ column size and print settings persistence
    void SaveColSizes();
    void LoadColSizes();
    void SavePrintSettings(const AnsiString& FileName, const AnsiString& Section);
    void LoadPrintSettings(const AnsiString& FileName, const AnsiString& Section);

protected:
    friend class TRavInplaceEdit;
    friend class TGridEditorSupport;
    friend class TGridCombo;
    friend class TEditLink;
    bool CanEditShow() override;
    bool SelectCell(int ACol, int ARow) override;
    TInplaceEdit* CreateEditor() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void WMChar(char& Key) override;
    void GridKeyPress(char& Key) override;
    void DoEnter() override;
    void DoExit() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos) override;
    void TopLeftChanged() override;
    // Cells edited by clicks: check boxes and radio groups.
    bool HasStaticEdit(int ACol, int ARow);
    void EditorHidden() override;
    void Paint() override;
    void Loaded() override;
    void Resize() override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void DrawScrollBars() override;
    bool Ctl3DFrame() const override;
    void DrawFrame(TCanvas* ACanvas) override;
    int ThumbLength(bool Vertical, int Track) const override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseLeave() override;
    void ThumbTracking(bool Vertical, int Position) override;
    void ThumbReleased(bool Vertical) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    // The zone cursors over headers and the selection's corner.
    TCursor CursorAt(int X, int Y) override;
    // Moving by headers with EnhRowColMove shows arrows, no line.
    void DrawMoveLine(TCanvas* ACanvas) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Database exchange: the records a table or query gave, into the cells.
    void LoadRecords(const TDbRecords& Records);
    // sorting: the sort column and index entries follow a moved column
    void ColumnMoved(int FromIndex, int ToIndex) override;

private:
    friend class TFloatingFooter;
    // Draws the cell's graphic in R; returns the room it takes before the text.
    int DrawCellGraphic(TCanvas* cv, const TRect& R, int RealCol, int ARow, TAlignment TextAlign, bool& DrawText);
    void DrawCellCheck(TCanvas* cv, const TRect& B, bool Checked, bool Enabled);
    void DrawCellRadio(TCanvas* cv, const TRect& R, int Index, TStrings* Items, const AnsiString& Text,
                       bool Horizontal, bool Enabled = true);
    void ColHeaderChanged(TObject* Sender);
    void RowHeaderChanged(TObject* Sender);
    void MergedColumnsChanged(TObject* Sender, int ACol, int ARow);
    void FixedFontChanged(TObject* Sender);
    void RebuildColMap();
    void IRemoveRows(int ARow, int Count);
    void DropRows(int ARow, int Count);
    void HideRowsBy(int FromRow, int ToRow, void (TRavArodozIdad::*Remove)(int, int));
    // The row's selection flag; rows past the flags kept are not selected.
    bool RowFlagged(int ARow) const;
    void TakeOutRowsByFlag(bool Flagged, bool BeforeFooters, const std::function<void(int)>& TakeOut);
    void DrawCellText(TCanvas* ACanvas, int ACol, int ARow, TRect R, TGridDrawState AState, TAlignment HA,
                      TVAlignment VA, TColor SavedBrush, TColor SavedFont);
    TColor SelectedCellColors(TCanvas* ACanvas, int ACol, int ARow, TGridDrawState AState, TColor SavedBrush,
                              TColor SavedFont);
    AnsiString ShownCellText(int RealCol, int ARow, int& Type);
    void DrawCellBackGround(TCanvas* ACanvas, int ACol, int ARow, const TRect& R, TGridDrawState AState);
    void DrawSelectionEdges(TCanvas* ACanvas, int ACol, int ARow, const TRect& R);
    void DrawPlainCellText(TCanvas* ACanvas, AnsiString Text, TRect T, TAlignment HA, TVAlignment VA,
                           TColor URLColor);
    void DrawCellBorders(TCanvas* ACanvas, int ACol, int ARow, TRect R);
    void DrawTreeLines(TCanvas* ACanvas, int RealCol, int ARow, const TRect& R);
    void DrawBackGroundFixed(TCanvas* ACanvas, const TRect& R);
    void DrawBackGroundTile(TCanvas* ACanvas, int ACol, int ARow, const TRect& R);
    void NCPaint();
    void UpdateScrollPages();
    // Hides the in-place editor before the columns change.
    void HideInplaceEditor() { HideInplaceEdit(); }
    bool WheelStep(int Delta, TShiftState Shift);
    void EndPanning();
    void OpenAnchor(const AnsiString& Anchor);
    // A press on a markup cell's anchor or control; true when it took the press.
    bool MarkupClick(int ACol, int ARow, int X, int Y);
    // Lays the markup edit or combo over control rectangle R of cell (ACol, ARow).
    void ShowMarkupEdit(int ACol, int ARow, const TRect& R, const AnsiString& Value);
    void ShowMarkupCombo(int ACol, int ARow, const TRect& R, const AnsiString& Value);
    // A markup BUTTON drawn pressed is drawn up again.
    void ReleaseMarkupButton();
    // A press on a cell's check box or radio item; true when it took the press.
    bool GraphicClick(int ACol, int ARow, int X, int Y);
    bool IsEditorControlType(TEditorType T) const;
    void CreateEditControls();
    void LeftButtonDown(TShiftState Shift, int X, int Y);
    void LeftDoubleClick(TShiftState Shift, int X, int Y);
    void MiddleButtonDown(int X, int Y);
    void ZoneMouseMove(TShiftState Shift, int X, int Y);
    // What a press at (X, Y) would do: 0 none, 1 select the column, 2 the row, 3 all,
    // 5 fill from the selection's corner.
    int ZoneAt(int X, int Y);
    // The hand and the anchor events over links; true when it set the cursor.
    bool LinkMouseMove(int X, int Y);
    // Moving a header with EnhRowColMove: the floating header, the arrows at the drop place.
    void EnhancedMoveMouse(int X, int Y);
    void HideMoveArrows();
    // The left release of an enhanced move: the move itself.
    void EndEnhancedMove(int X, int Y);
    // Shows the panning cursor of a step (DX, DY).
    void ShowPanCursor(int DX, int DY);
    // The focus mark where the middle button was pressed, while panning.
    void DrawIntelliFocusPoint(TCanvas* ACanvas);

    // appearance
    TGridLook FLook = glStandard;
    bool FFlat = false;
    bool FFixedAsButtons = false;
    std::unique_ptr<TFont> FFixedFont;
    std::unique_ptr<TFont> FActiveCellFont;
    TVAlignment FVAlignment = vtaTop;
    bool FAutoNumAlign = false;
    bool FWordWrap = false;
    bool FMultilinecells = false;
    bool FEnhTextSize = false;
    bool FEnableHTML = true;
    bool FEnableBlink = false;
    bool FHTMLHint = false;
    bool FUseHTMLHints = false;
    std::unique_ptr<TBitmap> FRowIndicator;
    bool FIntegralHeight = false;
    bool FAutoSize = false;
    bool FSizeWithForm = false;
    TColor FSelectionColor = clHighlight;
    TColor FSelectionTextColor = clHighlightText;
    bool FSelectionRectangle = false;
    TColor FSelectionRectangleColor = clBlack;
    bool FSelectionResizer = false;
    bool FSelectionRTFKeep = false;
    bool FShowSelection = true;
    bool FHideFocusRect = false;
    bool FActiveCellShow = false;
    TColor FActiveCellColor = TColorOf(0x808080);
    bool FHovering = false;
    TColor FHintColor = clInfoBk;
    bool FHintShowCells = false;
    bool FHintShowLargeText = false;
    bool FHintShowSizing = false;
    bool FAnchorHint = false;
    bool FURLShow = false;
    bool FURLFull = false;
    bool FURLEdit = false;
    TColor FURLColor = clBlue;
    TScrollType FScrollType = ssNormal;
    TColor FScrollColor = clNone;
    int FScrollWidth = 16;
    bool FScrollSynch = false;
    bool FScrollProportional = false;
    TScrollHintType FScrollHints = shNone;
    bool FEnableWheel = true;
    TIntelliPan FIntelliPan = ipVertical;
    bool FIntelliZoom = true;
    bool FFlatInitialized = false;
    int FScrollPageV = 0;
    int FScrollPageH = 0;
    int FFixedFooters = 0;
    int FFixedRightCols = 0;
    bool FFixedRowAlways = false;
    bool FFixedColAlways = false;
    bool FAutoSizeGrowOnly = false;
    AnsiString FFloatFormat = "%.2f";
    int FMaxEditLength = 0;
    bool FShowZeroDates = true;
    bool FKeepPropsOnClear = false;
    char FPasswordChar = '*';
    AnsiString FCheckTrue = "Y";
    AnsiString FCheckFalse = "N";
    TColor FQSWGradFrom = TColorOf(0xC0C0C0);
    TColor FQSWGradTo = TColorOf(0xFFFFFF);
    TPoint FXYOffset{2, 2};
    TColor FCommentColor = clRed;
    bool FThemesActive = false;
    int FZoom = 0;
    TCursor FOldCursor = crDefault;

    std::unique_ptr<TStringList> FColumnHeaders, FRowHeaders, FLookupItems, FComboItems;
    std::unique_ptr<TIntList> FMergedColumns, FSortCrossRef;
    std::vector<TPoint> FSelectedCells; // in the order they were added
    std::unique_ptr<TFloatingFooter> FFloatingFooter;
    std::unique_ptr<TControlLook> FControlLook;
    std::unique_ptr<TNavigation> FNavigation;
    std::unique_ptr<TColumnSize> FColumnSize;
    std::unique_ptr<TCellNode> FCellNode;
    int FNodeCount = 0;
    std::unique_ptr<TBands> FBands;
    std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping;
    std::unique_ptr<TMouseActions> FMouseActions;
    std::unique_ptr<TBackGround> FBackGround;

    // hidden columns (flags for real columns 0..512) and rows
    std::vector<bool> FVisibleCols;
    std::vector<int> FAllColWidths;
    int FNumHiddenColumns = 0;
    std::vector<int> FDisplToReal; // rebuilt when the flags change
    std::vector<std::unique_ptr<TGridItem>> FHiddenRows;

    // selection extras
    std::vector<Byte> FRowSelect;
    TGridRect FHiddenSelection;

    // update lock, timer and sizing state
    int FUpdateCount = 0;
    bool FBlinkPhase = false;
    TTimer* FTimer = nullptr;
    bool FStretchAllowed = true;
    bool FInStretch = false;
    std::vector<TGridChangeNotifier*> FNotifiers;
    TNotifyEvent FFormOldResize;
    bool FFormHadResize = false;
    int FFormWidth = 0, FFormHeight = 0;
    TPoint FLastHintCell{-1, -1};
    THTMLHintWindow* FHintWindow = nullptr; // owned as a component
    THTMLHintWindow* FScrollHintWindow = nullptr;
    TArrowWindow* FArrows[4] = {nullptr, nullptr, nullptr, nullptr}; // owned as components, run time only
    TPopupButton* FPopupButton = nullptr;
    TPoint FMousePos{-1, -1};
    bool FMouseInside = false;

    // editing
    bool FLookup = false;
    bool FLookupCaseSensitive = false;
    bool FLookupHistory = false;
    bool FEditWithTags = false;
    bool FExcelStyleDecimalSeparator = false;
    TEditorType FEditorType = edNormal;
    bool FEditActive = false;   // an edit of the current cell is open
    bool FEditing = false;      // an editor is shown and its value not yet validated
    bool FValidating = false;
    bool FEditingSwitchedOff = false; // goEditing removed for a cell OnCanEditCell refused
    bool FEndingEdit = false;   // an editor control ends its edit
    bool FHidingEdit = false;
    bool FAdvancing = false;
    AnsiString FCellCache;
    char FFirstKey = 0;
    int FComboIdx = -1;
    TPoint FValidateCell{-1, -1};
    AnsiString FValidateStart;
    bool FCaretPositioning = false;
    bool FKeypadDecimal = false; // the last key-down was the keypad's decimal key
    AnsiString FSearchText;
    TEditLink* FEditLink = nullptr;
    TGridCheckBox* FGridCheckBox = nullptr;
    TGridSpin* FGridSpin = nullptr;
    TGridCombo* FGridCombo = nullptr;
    TGridDatePicker* FGridDatePicker = nullptr;
    TGridEditBtn* FGridEditBtn = nullptr;
    TGridUnitEditBtn* FGridUnitEditBtn = nullptr;
    TGridButton* FGridButton = nullptr;
    TControlEdit* FControlEdit = nullptr;
    TControlCombo* FControlCombo = nullptr;
    // The markup control a click took: its cell (display column), ID and TYPE; the open
    // markup editor, and a markup BUTTON held down (drawn pressed at FPressPos).
    TPoint FControlCell{-1, -1};
    AnsiString FControlId, FControlType;
    TWinControl* FControlEditor = nullptr;
    bool FControlDown = false;
    // mouse
    bool FMousePressed = false;
    TPoint FPressPos{-1, -1};
    TPoint FPressedButton{-1, -1};
    bool FPanning = false;
    TPoint FPanFocus{0, 0};
    TCursor FPanOldCursor = crDefault;
    TTimer* FPanTimer = nullptr;
    bool FPanShowHint = false;
    TPoint FPanDirection{0, 0};
    TPoint FLastMouseScreen{0, 0};
    int FSelectAnchor = -1; // row or column a header selection started on
    int FSelectZone = 0;    // 1 column headers, 2 row headers, 3 all
    int FMouseZone = 0;     // the zone under the mouse (ZoneAt)
    AnsiString FLastAnchor; // the markup anchor under the mouse
    bool FEnhRowColMove = false;
    TPoint FMoveGrab{0, 0};     // the press offset inside the pressed header
    bool FMoved = false;        // a row or column moved during this press
    bool FPastePending = false; // a corner fill pastes the copied selection at the release
    // Sizing the fixed column 0 by its right edge from any row (MouseActions.SizeFixedCol).
    bool FFixedColSizeZone = false;
    bool FFixedColSizing = false;
    int FFixedColLine = 0;
    THTMLHintWindow* FSizingHint = nullptr; // owned as a component
    // floating footer
    void CreateFooterPanel();
    TFooterPanel* FFooterPanel = nullptr; // owned as a component
    // drag and drop
    // A press on a selected cell or a header may start a drag once the pointer moves.
    bool OleDragCandidate(int ACol, int ARow, int X);
    // Starts the pending drag when the pointer has moved far enough; true when it ran.
    bool OleDragMove(TShiftState Shift, int X, int Y);
    bool FOleDragPending = false;
    TGridRect FOleDragRect{-1, -1, -1, -1};
    std::unique_ptr<TDragDropSettings> FDragDropSettings = std::make_unique<TDragDropSettings>(this);

    // Cell graphic kinds.
    TImageList* FGridImages = nullptr; // not owned
    TPictureContainer* FPictureContainer = nullptr; // not owned
    std::unique_ptr<THTMLPictureCache> FPictureCache = std::make_unique<THTMLPictureCache>();
    TRect GraphicBox(TCellGraphic* g, const TRect& R, int W, int H, TAlignment TextAlign, int TextWidth);
    void DrawCellButton(TCanvas* cv, TCellGraphic* g, const TRect& R, TRect B);
    void DrawCellProgress(TCanvas* cv, TCellGraphic* g, TRect R, int RealCol, int ARow);
    void DrawCellNode(TCanvas* cv, TCellGraphic* g, TRect R, int ARow);
    // Rich text cells.
    ZIduVavuRaro* FRichEdit = nullptr;        // hidden: lays out, paints and measures RTF cells
    ZIduVavuRaro* FInplaceRichEdit = nullptr; // edits an RTF cell in place
    void CreateRichEdits();
    void DrawRichCellText(TCanvas* cv, int RealCol, int ARow, const TRect& T, TGridDrawState AState);
    TPoint RichTextSize(int ACol, int ARow, bool AWordWrap);
    void ShowRichEditor(int ACol, int ARow, const TRect& R, TColor AColor);
    void RichEditorShown();
    // The text of a cell that holds RTF, as the hidden rich edit reads it.
    AnsiString RichPlainText(int ACol, int ARow);
    // RTFPaint at a canvas resolution; a printed cell never shows the selection.
    void RTFPaintAt(int ACol, int ARow, TCanvas* Canvas, TRect R, int PixelsPerInch, bool Printing);

    // sorting, filtering, finding, grouping, marking
    friend class TSortScope;
    // The rows (area limits) a fill or mark over the data area or the whole grid covers.
    TRect AreaLimits(bool DoFixed) const;
    void ApplyRowOrder(int First, const std::vector<int>& Order);
    // A left release on a header cell sorts by its column.
    void SortClick(TShiftState Shift, int X, int Y);
    // The sort mark in a header cell whose text was drawn in R.
    void DrawSortMark(TCanvas* Canvas, int ACol, int ARow, const TRect& R, TAlignment HA, TVAlignment VA);
    std::unique_ptr<TSortSettings> FSortSettings = std::make_unique<TSortSettings>(this);
    std::unique_ptr<TSortIndexList> FSortIndexes = std::make_unique<TSortIndexList>();
    std::unique_ptr<TFilter> FFilter = std::make_unique<TFilter>(this);
    int FSortSwapSign = 1;
    int FSortTrackedRow = -1;
    int FSortCompares = 0, FSortSwaps = 0, FSortTime = 0;
    bool FFilterActive = false;
    bool FFilterAddedRow = false;
    int FFilterFixedRows = 0;
    AnsiString FFindText;
    TFindParams FFindParams;
    TPoint FLastFound{-1, -1};
    int FGroupColumn = -1;
    int FGroupColWidth = 0;
    AnsiString FGroupColHeader;
    TRavArodozIdadCheck* FCellChecker = nullptr;

    // printing
    friend class TGridPageBuilder;
    void PrivatePrintRect(const TGridRect& Cells, bool SelectedRowsOnly);
    void PrivatePrintPreviewRect(TCanvas* ACanvas, const TRect& Target, bool SelectedRowsOnly,
                                 const TGridRect& Cells);
    std::unique_ptr<TPrintSettings> FPrintSettings = std::make_unique<TPrintSettings>();
    TGridPrintState FPrint;

    // grid files
    bool FOemConvert = false;
    std::unique_ptr<THTMLSettings> FHTMLSettings = std::make_unique<THTMLSettings>();
    // clipboard
    void SmartPaste(int Fields, const AnsiString& Text);
    bool FClipboardQuoteMultiline = false;
    TPoint FCopyOrigin{-1, -1};
    TClipOperation FLastClipOperation = coCut;
    // spreadsheet, document and database exchange
    void LoadXLS(const AnsiString& FileName, const AnsiString& SheetName);
    void SaveXLS(const AnsiString& FileName, const AnsiString& SheetName);
};
