// Bulk rewriting of cell texts: highlight and error tags around a word, the
// attached cell checker, and filling cells with a text or random numbers.
#include <random>

#include "components/grid/Ragcheck.h"
#include "components/grid/Raghtmle.h"
#include "components/grid/Ravgrid.h"

namespace {
const AnsiString kHiTag = "hi";
const AnsiString kErrTag = "e";
} // namespace

TRect TRavArodozIdad::AreaLimits(bool DoFixed) const
{
    if (DoFixed)
        return TRect(0, 0, ColCount() - 1, RowCount() - 1);
    return TRect(FixedCols(), FixedRows(), ColCount() - FFixedRightCols - 1, RowCount() - FFixedFooters - 1);
}

void TRavArodozIdad::SetCellChecker(TRavArodozIdadCheck* Value)
{
    if (FCellChecker == Value)
        return;
    if (FCellChecker)
        FCellChecker->RemoveFreeNotification(this);
    FCellChecker = Value;
    if (FCellChecker)
        FCellChecker->FreeNotification(this);
}

void TRavArodozIdad::MarkCells(const AnsiString& AWord, const AnsiString& Tag, bool DoCase, int FromCol, int FromRow,
                               int ToCol, int ToRow)
{
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = FromCol; c <= ToCol; ++c)
            SetCellEx(c, r, HiLight(GetCellEx(c, r), AWord, Tag, DoCase));
}

void TRavArodozIdad::UnMarkCells(const AnsiString& Tag, int FromCol, int FromRow, int ToCol, int ToRow)
{
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = FromCol; c <= ToCol; ++c)
            SetCellEx(c, r, UnHiLight(GetCellEx(c, r), Tag));
}

// The one-cell, column, row and grid forms of both tags.
#define ZV_MARK_FAMILY(Mark, UnMark, Tag)                                                                         \
    void TRavArodozIdad::Mark##InCell(bool DoCase, int ACol, int ARow, const AnsiString& AWord)                  \
    {                                                                                                              \
        MarkCells(AWord, Tag, DoCase, ACol, ARow, ACol, ARow);                                                     \
    }                                                                                                              \
    void TRavArodozIdad::Mark##InCol(bool DoFixed, bool DoCase, int ACol, const AnsiString& AWord)               \
    {                                                                                                              \
        const TRect a = AreaLimits(DoFixed);                                                                       \
        MarkCells(AWord, Tag, DoCase, ACol, a.Top, ACol, a.Bottom);                                                \
    }                                                                                                              \
    void TRavArodozIdad::Mark##InRow(bool DoFixed, bool DoCase, int ARow, const AnsiString& AWord)               \
    {                                                                                                              \
        const TRect a = AreaLimits(DoFixed);                                                                       \
        MarkCells(AWord, Tag, DoCase, a.Left, ARow, a.Right, ARow);                                                \
    }                                                                                                              \
    void TRavArodozIdad::Mark##InGrid(bool DoFixed, bool DoCase, const AnsiString& AWord)                        \
    {                                                                                                              \
        const TRect a = AreaLimits(DoFixed);                                                                       \
        MarkCells(AWord, Tag, DoCase, a.Left, a.Top, a.Right, a.Bottom);                                           \
    }                                                                                                              \
    void TRavArodozIdad::UnMark##InCell(int ACol, int ARow) { UnMarkCells(Tag, ACol, ARow, ACol, ARow); }        \
    void TRavArodozIdad::UnMark##InCol(bool DoFixed, int ACol)                                                    \
    {                                                                                                              \
        const TRect a = AreaLimits(DoFixed);                                                                       \
        UnMarkCells(Tag, ACol, a.Top, ACol, a.Bottom);                                                             \
    }                                                                                                              \
    void TRavArodozIdad::UnMark##InRow(bool DoFixed, int ARow)                                                    \
    {                                                                                                              \
        const TRect a = AreaLimits(DoFixed);                                                                       \
        UnMarkCells(Tag, a.Left, ARow, a.Right, ARow);                                                             \
    }                                                                                                              \
    void TRavArodozIdad::UnMark##InGrid(bool DoFixed)                                                             \
    {                                                                                                              \
        const TRect a = AreaLimits(DoFixed);                                                                       \
        UnMarkCells(Tag, a.Left, a.Top, a.Right, a.Bottom);                                                        \
    }

ZV_MARK_FAMILY(Hilight, UnHilight, kHiTag)
ZV_MARK_FAMILY(Mark, UnMark, kErrTag)
#undef ZV_MARK_FAMILY

AnsiString TRavArodozIdad::HilightText(bool DoCase, const AnsiString& S, const AnsiString& AWord)
{
    return HiLight(S, AWord, kHiTag, DoCase);
}

AnsiString TRavArodozIdad::UnHilightText(const AnsiString& S) { return UnHiLight(S, kHiTag); }

AnsiString TRavArodozIdad::MarkText(bool DoCase, const AnsiString& S, const AnsiString& AWord)
{
    return HiLight(S, AWord, kErrTag, DoCase);
}

AnsiString TRavArodozIdad::UnMarkText(const AnsiString& S) { return UnHiLight(S, kErrTag); }

bool TRavArodozIdad::CheckCell(int ACol, int ARow)
{
    if (!FCellChecker)
        return true;
    const AnsiString s = GetCellEx(ACol, ARow);
    // Only a cell that can be current is gone to.
    if (FCellChecker->GotoCell && ACol >= FixedCols() && ARow >= FixedRows() && ACol < ColCount() &&
        ARow < RowCount())
        MoveColRow(ACol, ARow, true, true);
    AnsiString w = s;
    if (FCellChecker->UseCorrect)
        w = FCellChecker->Correct(ACol, ARow, w);
    if (FCellChecker->UseMarkError)
        w = FCellChecker->MarkError(ACol, ARow, w);
    SetCellEx(ACol, ARow, w);
    return w == s;
}

bool TRavArodozIdad::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    if (!FCellChecker)
        return true;
    TRavArodozIdadCheck* checker = FCellChecker;
    const int oldCol = Col(), oldRow = Row();
    checker->StartCheck();
    bool all = true;
    try {
        for (int r = FromRow; r <= ToRow; ++r)
            for (int c = FromCol; c <= ToCol; ++c)
                all = CheckCell(c, r) && all;
    } catch (...) {
        checker->StopCheck();
        throw;
    }
    checker->StopCheck();
    if (checker->GotoCell) {
        SetRow(oldRow);
        SetCol(oldCol);
    }
    return all;
}

bool TRavArodozIdad::CheckCol(bool DoFixed, int ACol)
{
    const TRect a = AreaLimits(DoFixed);
    return CheckCells(ACol, a.Top, ACol, a.Bottom);
}

bool TRavArodozIdad::CheckRow(bool DoFixed, int ARow)
{
    const TRect a = AreaLimits(DoFixed);
    return CheckCells(a.Left, ARow, a.Right, ARow);
}

bool TRavArodozIdad::CheckGrid(bool DoFixed)
{
    const TRect a = AreaLimits(DoFixed);
    return CheckCells(a.Left, a.Top, a.Right, a.Bottom);
}

void TRavArodozIdad::TextFill(bool DoFixed, const AnsiString& S)
{
    const TRect a = AreaLimits(DoFixed);
    for (int r = a.Top; r <= a.Bottom; ++r)
        for (int c = a.Left; c <= a.Right; ++c)
            SetCellEx(c, r, S);
    CellsLoaded();
}

void TRavArodozIdad::RandomFill(bool DoFixed, int Limit)
{
    if (Limit < 1)
        throw VEvoRaraVedad("Random fill needs a limit of at least 1");
    static std::mt19937 gen{std::random_device{}()};
    std::uniform_int_distribution<int> dist(0, Limit - 1);
    const TRect a = AreaLimits(DoFixed);
    for (int r = a.Top; r <= a.Bottom; ++r)
        for (int c = a.Left; c <= a.Right; ++c)
            SetInts(c, r, dist(gen));
    CellsLoaded();
}
