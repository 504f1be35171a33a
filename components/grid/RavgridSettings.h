#pragma once
// The string grid's settings objects: groups of behaviour switches the grid
// owns and publishes as sub-properties (Navigation.AllowInsertRow, ...).
#include <memory>

#include "components/grid/RavbaseTypes.h"
#include "platform/core/Component.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Color.h"

class TRavArodozIdad;

// A plain stored property: Name() and SetName(v).
#define ZV_PLAIN_PROP(Type, Name, Default)                                                                    \
public:                                                                                                       \
    Type Name() const { return F##Name; }                                                                     \
    void Set##Name(Type v) { F##Name = v; }                                                                   \
                                                                                                              \
private:                                                                                                      \
    Type F##Name = Default;

enum TAdvanceDirection { adLeftRight, adTopBottom };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow };

class TNavigation : public TPersistent {
    ZV_PLAIN_PROP(bool, AllowInsertRow, false)
    ZV_PLAIN_PROP(bool, AllowDeleteRow, false)
    ZV_PLAIN_PROP(bool, AlwaysEdit, false)
    ZV_PLAIN_PROP(bool, AdvanceOnEnter, false)
    ZV_PLAIN_PROP(bool, AdvanceInsert, false)
    ZV_PLAIN_PROP(TAdvanceDirection, AdvanceDirection, adLeftRight)
    ZV_PLAIN_PROP(bool, AdvanceAuto, false)
    ZV_PLAIN_PROP(bool, AutoGotoWhenSorted, false)
    ZV_PLAIN_PROP(bool, AutoGotoIncremental, false)
    ZV_PLAIN_PROP(bool, AutoComboDropSize, false)
    ZV_PLAIN_PROP(bool, AllowClipboardShortCuts, false)
    ZV_PLAIN_PROP(bool, AllowRTFClipboard, false)
    ZV_PLAIN_PROP(bool, AllowFmtClipboard, false)
    ZV_PLAIN_PROP(bool, AllowSmartClipboard, false)
    ZV_PLAIN_PROP(bool, AllowClipboardAlways, false)
    ZV_PLAIN_PROP(bool, AllowClipboardRowGrow, true)
    ZV_PLAIN_PROP(bool, AllowClipboardColGrow, true)
    ZV_PLAIN_PROP(bool, CopyHTMLTagsToClipboard, true)
    ZV_PLAIN_PROP(TInsertPosition, InsertPosition, pInsertBefore)
    ZV_PLAIN_PROP(bool, CursorWalkEditor, false)
    ZV_PLAIN_PROP(bool, ImproveMaskSel, false)
    ZV_PLAIN_PROP(bool, LineFeedOnEnter, false)
    ZV_PLAIN_PROP(bool, MoveRowOnSort, false)
    ZV_PLAIN_PROP(bool, KeepHorizScroll, false)
    ZV_PLAIN_PROP(THomeEndAction, HomeEndKey, heFirstLastColumn)
public:
    void Assign(TPersistent* Source) override;
};

class TMouseActions : public TPersistent {
    ZV_PLAIN_PROP(bool, ColSelect, false)
    ZV_PLAIN_PROP(bool, RowSelect, false)
    ZV_PLAIN_PROP(bool, AllSelect, false)
    ZV_PLAIN_PROP(bool, DirectEdit, false)
    ZV_PLAIN_PROP(bool, DirectComboDrop, false)
    ZV_PLAIN_PROP(bool, DisjunctRowSelect, false)
    ZV_PLAIN_PROP(bool, AllColumnSize, false)
    ZV_PLAIN_PROP(bool, AllRowSize, false)
    ZV_PLAIN_PROP(bool, CaretPositioning, false)
    ZV_PLAIN_PROP(bool, SizeFixedCol, false)
    ZV_PLAIN_PROP(bool, DisjunctCellSelect, false)
    ZV_PLAIN_PROP(bool, RangeSelectAndEdit, false)
public:
    void Assign(TPersistent* Source) override;
};

class TSizeWhileTyping : public TPersistent {
    ZV_PLAIN_PROP(bool, Height, false)
    ZV_PLAIN_PROP(bool, Width, false)
public:
    void Assign(TPersistent* Source) override;
};

enum TColumnSizeLocation { clRegistry, clIniFile };

class TColumnSize : public TPersistent {
    ZV_PLAIN_PROP(bool, Save, false)
    ZV_PLAIN_PROP(AnsiString, Key, "")
    ZV_PLAIN_PROP(AnsiString, Section, "")
    ZV_PLAIN_PROP(TColumnSizeLocation, Location, clRegistry)
    ZV_PLAIN_PROP(int, StretchColumn, -1)
    ZV_PLAIN_PROP(bool, SynchWithGrid, false)
public:
    explicit TColumnSize(TRavArodozIdad* AGrid) : FGrid(AGrid) {}
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v);
    void Assign(TPersistent* Source) override;

private:
    TRavArodozIdad* FGrid;
    bool FStretch = false;
};

enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf };

class TCellNode : public TPersistent {
    ZV_PLAIN_PROP(TColor, Color, clSilver)
    ZV_PLAIN_PROP(TColor, NodeColor, clBlack)
public:
    explicit TCellNode(TRavArodozIdad* AGrid);
    ~TCellNode() override;
    TNodeType NodeType() const { return FNodeType; }
    void SetNodeType(TNodeType v);
    bool ShowTree() const { return FShowTree; }
    void SetShowTree(bool v);
    TBitmap* ExpandGlyph() const { return FExpandGlyph.get(); }
    void SetExpandGlyph(TBitmap* v) { FExpandGlyph->Assign(v); }
    TBitmap* ContractGlyph() const { return FContractGlyph.get(); }
    void SetContractGlyph(TBitmap* v) { FContractGlyph->Assign(v); }
    void Assign(TPersistent* Source) override;

private:
    TRavArodozIdad* FGrid;
    TNodeType FNodeType = cnFlat;
    bool FShowTree = false;
    std::unique_ptr<TBitmap> FExpandGlyph;
    std::unique_ptr<TBitmap> FContractGlyph;
};

enum TBackGroundDisplay { bdTile, bdFixed };
enum TBackGroundCells { bcNormal, bcFixed, bcAll };

class TBackGround : public TPersistent {
public:
    explicit TBackGround(TRavArodozIdad* AGrid);
    ~TBackGround() override;
    int Top() const { return FTop; }
    void SetTop(int v);
    int Left() const { return FLeft; }
    void SetLeft(int v);
    TBackGroundDisplay Display() const { return FDisplay; }
    void SetDisplay(TBackGroundDisplay v);
    TBackGroundCells Cells() const { return FCells; }
    void SetCells(TBackGroundCells v);
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(TBitmap* v);
    void Assign(TPersistent* Source) override;

private:
    void Changed();
    TRavArodozIdad* FGrid;
    int FTop = 0;
    int FLeft = 0;
    TBackGroundDisplay FDisplay = bdTile;
    TBackGroundCells FCells = bcNormal;
    std::unique_ptr<TBitmap> FBitmap;
};

class TBands : public TPersistent {
public:
    explicit TBands(TRavArodozIdad* AGrid) : FGrid(AGrid) {}
    bool Active() const { return FActive; }
    void SetActive(bool v);
    TColor PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(TColor v);
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor v);
    int PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(int v);
    int SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(int v);
    bool Print() const { return FPrint; }
    void SetPrint(bool v) { FPrint = v; }
    int TotalLength() const { return FTotalLength; }
    void Assign(TPersistent* Source) override;

private:
    void Changed();
    TRavArodozIdad* FGrid;
    bool FActive = false;
    TColor FPrimaryColor = clInfoBk;
    TColor FSecondaryColor = clWindow;
    int FPrimaryLength = 1;
    int FSecondaryLength = 1;
    bool FPrint = false;
    int FTotalLength = 2;
};

// The look of check boxes, radio buttons and buttons in cells.
enum TCellControlStyle { csClassic, csFlat, csWinXP, csBevel, csQSW, csGlyph, csTheme };

class TControlLook : public TPersistent {
public:
    explicit TControlLook(TRavArodozIdad* AGrid);
    ~TControlLook() override;
    int CheckSize() const { return FCheckSize; }
    void SetCheckSize(int v);
    int RadioSize() const { return FRadioSize; }
    void SetRadioSize(int v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TCellControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TCellControlStyle v);
    bool FlatButton() const { return FFlatButton; }
    void SetFlatButton(bool v);
    TBitmap* CheckedGlyph() const { return FCheckedGlyph.get(); }
    void SetCheckedGlyph(TBitmap* v);
    TBitmap* UnCheckedGlyph() const { return FUnCheckedGlyph.get(); }
    void SetUnCheckedGlyph(TBitmap* v);
    TBitmap* RadioOnGlyph() const { return FRadioOnGlyph.get(); }
    void SetRadioOnGlyph(TBitmap* v);
    TBitmap* RadioOffGlyph() const { return FRadioOffGlyph.get(); }
    void SetRadioOffGlyph(TBitmap* v);
    void Assign(TPersistent* Source) override;

private:
    void Changed();
    TRavArodozIdad* FGrid;
    int FCheckSize = 15;
    int FRadioSize = 10;
    TColor FColor = clBlack;
    TCellControlStyle FControlStyle = csClassic;
    bool FFlatButton = false;
    std::unique_ptr<TBitmap> FCheckedGlyph, FUnCheckedGlyph, FRadioOnGlyph, FRadioOffGlyph;
};

enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview };

class TFloatingFooter : public TPersistent {
public:
    explicit TFloatingFooter(TRavArodozIdad* AGrid) : FGrid(AGrid) {}
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(TFooterStyle v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    int Column() const { return FColumn; }
    void SetColumn(int v);
    const AnsiString& CustomTemplate() const { return FCustomTemplate; }
    void SetCustomTemplate(const AnsiString& v);
    int Height() const { return FHeight; }
    void SetHeight(int v);
    TColumnCalcType ColumnCalc(int ACol) const;
    void SetColumnCalc(int ACol, TColumnCalcType v);
    void Invalidate();
    void Assign(TPersistent* Source) override;

private:
    void UpdateFooterRowShown();
    TRavArodozIdad* FGrid;
    bool FVisible = false;
    TFooterStyle FFooterStyle = fsFixedLastRow;
    TColor FColor = clBtnFace;
    int FColumn = 0;
    AnsiString FCustomTemplate;
    int FHeight = 0;
};
