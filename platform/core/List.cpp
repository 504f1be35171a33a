#include "platform/core/List.h"

#include <algorithm>

void ListIndexError(int Index)
{
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

void TList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        ListIndexError(Index);
}

int TList::Add(void* Item)
{
    FItems.push_back(Item);
    return Count() - 1;
}

void TList::Insert(int Index, void* Item)
{
    if (Index < 0 || Index > Count())
        ListIndexError(Index);
    FItems.insert(FItems.begin() + Index, Item);
}

void TList::Delete(int Index)
{
    CheckIndex(Index);
    FItems.erase(FItems.begin() + Index);
}

int TList::Remove(void* Item)
{
    int i = IndexOf(Item);
    if (i >= 0)
        Delete(i);
    return i;
}

void* TList::Extract(void* Item)
{
    return Remove(Item) >= 0 ? Item : nullptr;
}

void TList::Clear()
{
    FItems.clear();
    FItems.shrink_to_fit();
}

int TList::IndexOf(void* Item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TList::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    CheckIndex(NewIndex);
    void* item = Items(CurIndex);
    FItems.erase(FItems.begin() + CurIndex);
    FItems.insert(FItems.begin() + NewIndex, item);
}

void* TList::First() const { return Items(0); }
void* TList::Last() const { return Items(Count() - 1); }

void TList::Pack() { std::erase(FItems, nullptr); }

void TList::Sort(const TListSortCompare& Compare)
{
    std::stable_sort(FItems.begin(), FItems.end(), [&](void* a, void* b) { return Compare(a, b) < 0; });
}

void TList::Assign(TList* Source)
{
    if (Source && Source != this)
        FItems = Source->FItems;
}

void TList::SetCount(int NewCount)
{
    if (NewCount < 0)
        throw EListError("List count out of bounds (" + std::to_string(NewCount) + ")");
    FItems.resize(static_cast<size_t>(NewCount), nullptr);
}

void TList::SetCapacity(int NewCapacity)
{
    if (NewCapacity < Count())
        throw EListError("List capacity out of bounds (" + std::to_string(NewCapacity) + ")");
    FItems.reserve(static_cast<size_t>(NewCapacity));
}

void* TList::Items(int Index) const
{
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)];
}

void TList::SetItems(int Index, void* Item)
{
    CheckIndex(Index);
    FItems[static_cast<size_t>(Index)] = Item;
}
