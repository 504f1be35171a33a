#pragma once
// The grid's cell store: texts and cell properties of an unbounded sheet of
// cells. Cells beyond the grid's counts keep what they hold. A row's texts are
// packed into one block (length-prefixed cells), so a million rows of short
// texts cost about their bytes, not a string object per cell. Properties
// objects are owned by their slot: moving a row or column moves ownership, and
// freeing a slot frees its object exactly once. Rows sit in a ring: a row comes
// or goes at either end in constant time, and in the middle only the shorter
// side moves.
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/core/Types.h"

class TCellProperties;

struct TCellPropertiesDeleter {
    void operator()(TCellProperties* p) const;
};
using TCellPropsPtr = std::unique_ptr<TCellProperties, TCellPropertiesDeleter>;

// One row: its packed texts and (rarely) its properties slots.
class TStoreRow {
public:
    TStoreRow() = default;
    // Inline, and calling out only when something is held: rows shifting
    // through the deque are mostly moved-from, empty slots.
    TStoreRow(TStoreRow&& o) noexcept : FText(o.FText), FProps(o.FProps)
    {
        o.FText = nullptr;
        o.FProps = nullptr;
    }
    TStoreRow& operator=(TStoreRow&& o) noexcept
    {
        if (this != &o) {
            if (FText || FProps)
                Release();
            FText = o.FText;
            FProps = o.FProps;
            o.FText = nullptr;
            o.FProps = nullptr;
        }
        return *this;
    }
    TStoreRow(const TStoreRow&) = delete;
    TStoreRow& operator=(const TStoreRow&) = delete;
    ~TStoreRow()
    {
        if (FText || FProps)
            Release();
    }

    std::string_view Text(int col) const;
    void SetText(int col, std::string_view s);
    int TextCount() const; // cells held (trailing ones may be empty)
    bool Empty() const { return !FText && !FProps; }

    TCellProperties* Props(int col) const;
    TCellPropsPtr TakeProps(int col);
    void SetProps(int col, TCellPropsPtr p);
    bool HasAnyProps() const { return FProps != nullptr; }
    int PropsCount() const;

    // Column structure of this row.
    void InsertCols(int at, int count);
    void DeleteCols(int at, int count);
    void MoveCol(int from, int to);
    void ClearTexts();
    // Empties the texts of columns from..to (properties untouched).
    void ClearTexts(int from, int to);
    // Frees the properties objects of columns from..to.
    void ClearProps(int from, int to);

    // Every text of the row, 0..TextCount()-1.
    std::vector<std::string_view> Texts() const;
    // The texts of columns 0..Out.size()-1 in one pass (empty past the last held).
    void Texts(std::span<std::string_view> Out) const;
    void SetTexts(const std::vector<std::string_view>& texts);

private:
    void Release(); // frees what the row holds
    void ReplaceAll(const std::vector<std::string_view>& texts);
    unsigned char* FText = nullptr; // varint count, then per cell varint length and bytes
    std::vector<TCellPropsPtr>* FProps = nullptr;
};

// The rows in a ring buffer. Every slot of the buffer holds a row object (the
// ones outside the used range are empty), so shifting is plain moves.
class TRowRing {
public:
    size_t size() const { return FSize; }
    size_t capacity() const { return FBuf.size(); }
    TStoreRow& operator[](size_t i) { return FBuf[(FHead + i) & FMask]; }
    const TStoreRow& operator[](size_t i) const { return FBuf[(FHead + i) & FMask]; }
    void resize(size_t n);             // new rows at the end are empty; rows past n are freed
    void insert(size_t at, size_t count); // empty rows before 'at'
    void erase(size_t at, size_t count);
    void clear()
    {
        std::vector<TStoreRow>().swap(FBuf);
        FHead = FSize = FMask = 0;
    }

    template <class Ring, class Row>
    struct Iter {
        Ring* ring;
        size_t i;
        Row& operator*() const { return (*ring)[i]; }
        Iter& operator++()
        {
            ++i;
            return *this;
        }
        bool operator!=(const Iter& o) const { return i != o.i; }
    };
    Iter<TRowRing, TStoreRow> begin() { return {this, 0}; }
    Iter<TRowRing, TStoreRow> end() { return {this, FSize}; }
    Iter<const TRowRing, const TStoreRow> begin() const { return {this, 0}; }
    Iter<const TRowRing, const TStoreRow> end() const { return {this, FSize}; }

private:
    void Reserve(size_t n);
    std::vector<TStoreRow> FBuf; // size is zero or a power of two
    size_t FHead = 0, FSize = 0, FMask = 0;
};

class TCellStore {
public:
    TCellStore() = default;
    TCellStore(const TCellStore&) = delete;
    TCellStore& operator=(const TCellStore&) = delete;

    std::string_view TextView(int col, int row) const;
    // TextView of columns 0..Out.size()-1 of a row, read in one pass over it.
    void TextViews(int row, std::span<std::string_view> Out) const;
    bool RowHasProps(int row) const { return row >= 0 && size_t(row) < FRows.size() && FRows[size_t(row)].HasAnyProps(); }
    AnsiString Text(int col, int row) const { return AnsiString(TextView(col, row)); }
    void SetText(int col, int row, std::string_view s);

    TCellProperties* Props(int col, int row) const;
    // Detaches the object from its slot and hands it over.
    TCellPropsPtr TakeProps(int col, int row);
    // Frees what the slot held, then stores p.
    void SetProps(int col, int row, TCellPropsPtr p);

    // Rows that hold anything are below this.
    int StoredRows() const { return int(FRows.size()); }
    // The widest stored row (texts or properties).
    int StoredCols() const;

    // Rows: rows from 'at' on move down by count; the new rows are empty.
    void InsertRows(int at, int count);
    // Rows at..at+count-1 leave the store (their properties are freed); rows below move up.
    void DeleteRows(int at, int count);
    // Row 'from' moves to 'to', the rows between shift by one.
    void MoveRow(int from, int to);
    void SwapRows(int a, int b);
    // Rows at..at+count-1 move to end-count..end-1 (end exclusive); those between move up.
    void MoveRowsToEnd(int at, int count, int end);
    TStoreRow& Row(int row) { return FRows[size_t(row)]; } // 0 <= row < StoredRows()
    TStoreRow TakeRow(int row);          // the row's content leaves; the slot stays, empty
    void PutRow(int row, TStoreRow&& r); // replaces the row's content (old properties freed)

    void InsertCols(int at, int count);
    void DeleteCols(int at, int count);
    void MoveCol(int from, int to);
    void SwapCols(int a, int b);

    void Clear() { FRows.clear(); }

    // Bytes held by texts and row slots; for capacity checks.
    size_t MemoryUsed() const;

private:
    TStoreRow* RowFor(int row); // grows the store on demand
    TRowRing FRows;
};
