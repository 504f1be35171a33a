#pragma once
// TList: the class library's list of untyped pointers.
#include <functional>
#include <vector>

#include "platform/core/Component.h"

using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

class TList : public TObject {
public:
    TList() = default;
    ~TList() override = default;

    int Add(void* Item);
    void Insert(int Index, void* Item);
    void Delete(int Index);
    // Removes the first occurrence; returns its former index or -1.
    int Remove(void* Item);
    void* Extract(void* Item);
    void Clear();
    int IndexOf(void* Item) const;
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    void* First() const;
    void* Last() const;
    // Drops the nil entries.
    void Pack();
    void Sort(const TListSortCompare& Compare);
    void Assign(TList* Source);

    int Count() const { return static_cast<int>(FItems.size()); }
    void SetCount(int NewCount);
    int Capacity() const { return static_cast<int>(FItems.capacity()); }
    void SetCapacity(int NewCapacity);
    void* Items(int Index) const;
    void SetItems(int Index, void* Item);
    void* operator[](int Index) const { return Items(Index); }

private:
    void CheckIndex(int Index) const;
    std::vector<void*> FItems;
};

// The class library's "List index out of bounds (5)".
[[noreturn]] void ListIndexError(int Index);
