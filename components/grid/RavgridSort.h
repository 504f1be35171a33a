#pragma once
// The string grid's data tools: sort settings and compare events, the filter
// conditions, and the options of the cell search.
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/core/Component.h"

class TBitmap;
class TRavArodozIdad;

enum TSortDirection { sdAscending, sdDescending };
enum TSortBlankPosition { blFirst, blLast };

using TCustomCompareEvent = std::function<void(TObject* Sender, const AnsiString& str1, const AnsiString& str2, int& Res)>;
using TRawCompareEvent = std::function<void(TObject* Sender, int Col, int Row1, int Row2, int& Res)>;
using TClickSortEvent = std::function<void(TObject* Sender, int ACol)>;
using TCanSortEvent = std::function<void(TObject* Sender, int ACol, bool& DoSort)>;

class TSortSettings : public TPersistent {
public:
    explicit TSortSettings(TRavArodozIdad* AGrid);
    ~TSortSettings() override;
    void Assign(TPersistent* Source) override;

    int Column() const { return FColumn; }
    void SetColumn(int Value) { FColumn = Value; }
    TSortDirection Direction() const { return FDirection; }
    void SetDirection(TSortDirection Value) { FDirection = Value; }
    bool Full() const { return FFull; }
    void SetFull(bool Value) { FFull = Value; }
    bool AutoFormat() const { return FAutoFormat; }
    void SetAutoFormat(bool Value) { FAutoFormat = Value; }
    bool IgnoreBlanks() const { return FIgnoreBlanks; }
    void SetIgnoreBlanks(bool Value) { FIgnoreBlanks = Value; }
    TSortBlankPosition BlankPos() const { return FBlankPos; }
    void SetBlankPos(TSortBlankPosition Value) { FBlankPos = Value; }
    bool NormalCellsOnly() const { return FNormalCellsOnly; }
    void SetNormalCellsOnly(bool Value) { FNormalCellsOnly = Value; }
    bool SingleColumn() const { return FSingleColumn; }
    void SetSingleColumn(bool Value) { FSingleColumn = Value; }
    bool Show() const { return FShow; }
    void SetShow(bool Value);
    bool IndexShow() const { return FIndexShow; }
    void SetIndexShow(bool Value) { FIndexShow = Value; }
    bool FixedCols() const { return FFixedCols; }
    void SetFixedCols(bool Value) { FFixedCols = Value; }
    bool AutoColumnMerge() const { return FAutoColumnMerge; }
    void SetAutoColumnMerge(bool Value) { FAutoColumnMerge = Value; }
    int Row() const { return FRow; }
    // Throws when Value is not below the grid's number of fixed rows; the old value stays.
    void SetRow(int Value);
    TBitmap* UpGlyph() const { return FUpGlyph.get(); }
    void SetUpGlyph(TBitmap* Value);
    TBitmap* DownGlyph() const { return FDownGlyph.get(); }
    void SetDownGlyph(TBitmap* Value);

private:
    TRavArodozIdad* FGrid;
    int FColumn = 0;
    TSortDirection FDirection = sdAscending;
    bool FFull = true;
    bool FAutoFormat = true;
    bool FIgnoreBlanks = false;
    TSortBlankPosition FBlankPos = blFirst;
    bool FNormalCellsOnly = false;
    bool FSingleColumn = false;
    bool FShow = false;
    bool FIndexShow = false;
    bool FFixedCols = false;
    bool FAutoColumnMerge = false;
    int FRow = 0;
    std::unique_ptr<TBitmap> FUpGlyph, FDownGlyph;
};

// One filter condition on one column.
class TFilterData : public TPersistent {
public:
    void Assign(TPersistent* Source) override;
    int Column = 0;
    AnsiString Condition;
    bool CaseSensitive = true;
};

// The grid's filter conditions; all must hold for a row to stay.
class TFilter : public TPersistent {
public:
    explicit TFilter(TRavArodozIdad* AOwner) : FOwner(AOwner) {}
    void Assign(TPersistent* Source) override;
    TRavArodozIdad* GetOwner() const { return FOwner; }
    int Count() const { return int(FItems.size()); }
    TFilterData* Add();
    // Appends like Add: the index is not used.
    TFilterData* Insert(int Index);
    TFilterData* Items(int Index) const;
    void SetItems(int Index, TFilterData* Value);
    void Delete(int Index);
    void Clear() { FItems.clear(); }
    // The first condition on the column, or a new one for it.
    TFilterData* GetColFilter(int Column);

private:
    TRavArodozIdad* FOwner;
    std::vector<std::unique_ptr<TFilterData>> FItems;
};

enum TFindParameters {
    fnMatchCase, fnMatchFull, fnMatchRegular, fnDirectionLeftRight, fnMatchStart, fnFindInCurrentRow,
    fnFindInCurrentCol, fnIncludeFixed, fnAutoGoto, fnIgnoreHTMLTags, fnBackward, fnIncludeHiddenColumns
};
// A set of TFindParameters, one bit each.
struct TFindParams {
    unsigned Bits = 0;
    TFindParams() = default;
    TFindParams(std::initializer_list<TFindParameters> l)
    {
        for (auto p : l)
            Bits |= 1u << p;
    }
    bool Has(TFindParameters p) const { return (Bits >> p) & 1u; }
};
