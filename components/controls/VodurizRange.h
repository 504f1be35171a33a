#pragma once
// TRangeList: distinct integers that convert to and from a range text such as "1-5,7;9".
// It is the data side of the typed edit's range type.
#include "platform/core/List.h"
#include "platform/core/Types.h"

class TRangeList : public TList {
public:
    TRangeList() = default;

    int GetInteger(int Index) const;
    void SetInteger(int Index, int Value);
    // Appends Value unless it is already in the list.
    void Add(int Value);
    // Add for First .. First + Count - 1.
    void AddMultiple(int First, int Count);
    void Delete(int Index) { TList::Delete(Index); }
    bool InList(int Value) const;
    // Every item as decimal text to the debug output, one line per item.
    void Show() const;
    // Empties the list and fills it from a range text; false when a part could not be
    // read. Parts are separated by ',' or ';'; "a-b" is a range; a leading '-' is a sign,
    // so "-3--1" is the range from -3 to -1. A range of more than kMaxRangeValues values
    // counts as unreadable.
    static constexpr int kMaxRangeValues = 1000000;
    bool StrToList(const AnsiString& S);
    // Sorts the list and writes it as range text ("1-3,5").
    AnsiString ToRangeStr();
};
