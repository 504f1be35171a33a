#include "platform/core/StringUtils.h"
#include "platform/core/Strings.h"

void TStringList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= GetCount())
        Error(SListIndexError, Index);
}

int TStringList::Add(const AnsiString& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const AnsiString& S, TObject* AObject)
{
    int index = GetCount();
    if (FSorted && Find(S, index)) {
        if (FDuplicates == dupIgnore)
            return index;
        if (FDuplicates == dupError)
            Error(SDuplicateString, 0);
    }
    InsertItem(index, S, AObject);
    return index;
}

void TStringList::Insert(int Index, const AnsiString& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const AnsiString& S, TObject* AObject)
{
    if (FSorted)
        Error(SSortedListError, 0);
    if (Index < 0 || Index > GetCount())
        Error(SListIndexError, Index);
    InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const AnsiString& S, TObject* AObject)
{
    Changing();
    FList.insert(FList.begin() + Index, TStringItem{S, AObject});
    Changed();
}

void TStringList::Delete(int Index)
{
    CheckIndex(Index);
    Changing();
    FList.erase(FList.begin() + Index);
    Changed();
}

void TStringList::Clear()
{
    if (FList.empty())
        return;
    Changing();
    FList.clear();
    Changed();
}

void TStringList::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
    Changed();
}

int TStringList::IndexOf(const AnsiString& S) const
{
    if (!FSorted)
        return TStrings::IndexOf(S);
    int index = 0;
    return Find(S, index) ? index : -1;
}

bool TStringList::Find(const AnsiString& S, int& Index) const
{
    // Lower bound: with duplicates the first equal entry is found.
    int lo = 0, hi = GetCount() - 1;
    bool found = false;
    while (lo <= hi) {
        int mid = (lo + hi) / 2;
        int c = CompareStrings(FList[static_cast<size_t>(mid)].FString, S);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0)
                found = true;
        }
    }
    Index = lo;
    return found;
}

int TStringList::CompareItems(TStringList* List, int Index1, int Index2)
{
    return List->CompareStrings(List->FList[static_cast<size_t>(Index1)].FString,
                                List->FList[static_cast<size_t>(Index2)].FString);
}

void TStringList::Sort() { CustomSort(CompareItems); }

void TStringList::CustomSort(const TStringListSortCompare& Compare)
{
    if (!FSorted && GetCount() > 1)
        SortNow(Compare);
}

void TStringList::SortNow(const TStringListSortCompare& Compare)
{
    if (GetCount() < 2)
        return;
    Changing();
    QuickSort(0, GetCount() - 1, Compare);
    Changed();
}

// In place, through the indexes, because a custom comparison looks entries up by index.
void TStringList::QuickSort(int L, int R, const TStringListSortCompare& Compare)
{
    while (L < R) {
        int i = L, j = R, pivot = (L + R) / 2;
        while (i <= j) {
            while (Compare(this, i, pivot) < 0)
                ++i;
            while (Compare(this, j, pivot) > 0)
                --j;
            if (i <= j) {
                std::swap(FList[static_cast<size_t>(i)], FList[static_cast<size_t>(j)]);
                if (pivot == i)
                    pivot = j;
                else if (pivot == j)
                    pivot = i;
                ++i;
                --j;
            }
        }
        // Recurse into the smaller part, loop on the larger one.
        if (j - L < R - i) {
            if (L < j)
                QuickSort(L, j, Compare);
            L = i;
        } else {
            if (i < R)
                QuickSort(i, R, Compare);
            R = j;
        }
    }
}

void TStringList::SetSorted(bool Value)
{
    if (FSorted == Value)
        return;
    if (Value)
        SortNow(CompareItems);
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (FCaseSensitive == Value)
        return;
    FCaseSensitive = Value;
    // A sorted list must be in the new order, or Find would miss entries.
    if (FSorted)
        SortNow(CompareItems);
}

AnsiString TStringList::Get(int Index) const
{
    CheckIndex(Index);
    return FList[static_cast<size_t>(Index)].FString;
}

int TStringList::GetCount() const { return static_cast<int>(FList.size()); }

void TStringList::Put(int Index, const AnsiString& S)
{
    if (FSorted)
        Error(SSortedListError, 0);
    CheckIndex(Index);
    Changing();
    FList[static_cast<size_t>(Index)].FString = S;
    Changed();
}

TObject* TStringList::GetObject(int Index) const
{
    CheckIndex(Index);
    return FList[static_cast<size_t>(Index)].FObject;
}

void TStringList::PutObject(int Index, TObject* AObject)
{
    CheckIndex(Index);
    Changing();
    FList[static_cast<size_t>(Index)].FObject = AObject;
    Changed();
}

void TStringList::SetUpdateState(bool Updating)
{
    if (Updating)
        Changing();
    else
        Changed();
}

int TStringList::CompareStrings(const AnsiString& S1, const AnsiString& S2) const
{
    return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0)
        FireEvent(OnChange, this);
}

void TStringList::Changing()
{
    if (UpdateCount() == 0)
        FireEvent(OnChanging, this);
}
