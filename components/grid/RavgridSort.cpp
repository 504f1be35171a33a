// Sorting the grid's rows: cell comparison by column style, the partition sort
// (plain and by an index list), the stable exchange sort and the sort of node
// groups. Rows move as whole store rows, never cell by cell.
#include <charconv>
#include <cmath>
#include <map>

#include "components/grid/Ravgrid.h"
#include "components/grid/Ravutil.h"
#include "platform/core/DateTime.h"
#include "platform/core/FormatSettings.h"
#include "platform/core/StringUtils.h"
#include "platform/core/IntConvert.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/win/Timing.h"

// ---------------------------------------------------------------- settings

TSortSettings::TSortSettings(TRavArodozIdad* AGrid)
    : FGrid(AGrid), FUpGlyph(std::make_unique<TBitmap>()), FDownGlyph(std::make_unique<TBitmap>())
{
}

TSortSettings::~TSortSettings() = default;

void TSortSettings::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TSortSettings*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    FColumn = s->FColumn;
    FDirection = s->FDirection;
    FFull = s->FFull;
    FAutoFormat = s->FAutoFormat;
    FIgnoreBlanks = s->FIgnoreBlanks;
    FBlankPos = s->FBlankPos;
    FNormalCellsOnly = s->FNormalCellsOnly;
    FSingleColumn = s->FSingleColumn;
    FIndexShow = s->FIndexShow;
    FFixedCols = s->FFixedCols;
    FAutoColumnMerge = s->FAutoColumnMerge;
    if (s->FRow != FRow)
        SetRow(s->FRow);
    FUpGlyph->Assign(s->FUpGlyph.get());
    FDownGlyph->Assign(s->FDownGlyph.get());
    SetShow(s->FShow);
}

void TSortSettings::SetShow(bool Value)
{
    if (FShow == Value)
        return;
    FShow = Value;
    if (FGrid)
        FGrid->Invalidate();
}

void TSortSettings::SetRow(int Value)
{
    if (FGrid && Value >= FGrid->FixedRows())
        throw Exception("Sort row should be smaller than number of fixed rows");
    FRow = Value;
}

void TSortSettings::SetUpGlyph(TBitmap* Value) { FUpGlyph->Assign(Value); }
void TSortSettings::SetDownGlyph(TBitmap* Value) { FDownGlyph->Assign(Value); }

// ---------------------------------------------------------------- comparing

namespace {

// The text a comparison reads: straight from the store when nothing can change
// it on the way (no display-text hook for the row, no merged or graphic cell).
std::string_view SortText(TRavArodozIdad& g, int ACol, int ARow, AnsiString& Buf)
{
    if ((!g.OnGetDisplText || ARow >= g.DisplTextRowLimit()) && !g.CellPropertiesOrNil(ACol, ARow))
        return g.Store().TextView(ACol, ARow);
    Buf = g.GetCellEx(ACol, ARow);
    return Buf;
}

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

// A number from a cell text; empty counts as 0. False when it holds no number.
bool ParseNumber(std::string_view s, double& v)
{
    s = TrimBlanks(s);
    v = 0;
    if (s.empty())
        return true;
    if (s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return false;
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size() || !std::isfinite(v)) {
        v = 0;
        return false;
    }
    return true;
}

// The cell text made ready for conversion: prefix and suffix out (first
// occurrence each), thousands out for money, the decimal separator as a point.
std::string_view NumericText(std::string_view s, const AnsiString& Prefix, const AnsiString& Suffix, bool Financial,
                             std::string& Buf)
{
    const char ds = FormatSettings.DecimalSeparator;
    if (Prefix.empty() && Suffix.empty() && !Financial && ds == '.')
        return s;
    Buf.assign(s);
    if (!Prefix.empty())
        if (auto p = Buf.find(Prefix); p != std::string::npos)
            Buf.erase(p, Prefix.size());
    if (!Suffix.empty())
        if (auto p = Buf.find(Suffix); p != std::string::npos)
            Buf.erase(p, Suffix.size());
    if (Financial)
        std::erase(Buf, FormatSettings.ThousandSeparator);
    if (ds != '.')
        if (auto p = Buf.find(ds); p != std::string::npos)
            Buf[p] = '.';
    return Buf;
}

int Sign(double a, double b) { return a > b ? 1 : (a < b ? -1 : 0); }
int Sign(int v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

int CompareOrdinal(std::string_view a, std::string_view b) { return Sign(a.compare(b)); }

int CompareAsciiNoCase(std::string_view a, std::string_view b)
{
    auto up = [](char c) { return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 32 : c); };
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i)
        if (up(a[i]) != up(b[i]))
            return up(a[i]) < up(b[i]) ? -1 : 1;
    return Sign(int(a.size() > b.size()) - int(a.size() < b.size()));
}

// A date-looking text: the first '/' at position 2 or 3, not last, digits on both sides.
bool LooksLikeDate(std::string_view s)
{
    const size_t p = s.find('/');
    if (p == std::string_view::npos || (p != 1 && p != 2) || p + 1 >= s.size())
        return false;
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return digit(s[p - 1]) && digit(s[p + 1]);
}

template <class Conv> double DateValue(std::string_view s, Conv conv)
{
    if (s.empty())
        return 0;
    try {
        return conv(AnsiString(s));
    } catch (const Exception&) {
        return 0;
    }
}

int ImageIndex(TRavArodozIdad& g, int ACol, int ARow)
{
    TCellGraphic* cg = g.GetCellGraphic(ACol, ARow);
    if (cg && (cg->CellType == Ravgrid::ctImageList || cg->CellType == Ravgrid::ctDataImage))
        return cg->CellIndex;
    return -1;
}

// The style Automatic stands for, judged on the first text (check boxes aside).
TSortStyle TextStyle(std::string_view s1)
{
    if (const int k = IsType(AnsiString(s1)); k == atNumeric || k == atFloat)
        return ssNumeric;
    return LooksLikeDate(s1) ? ssDate : ssAlphabetic;
}

// Styles that need the two texts and nothing else.
bool TextOnly(TSortStyle s)
{
    return s == ssAlphabetic || s == ssAlphaCase || s == ssAlphaNoCase || s == ssNumeric || s == ssFinancial;
}

int CompareTexts(TSortStyle Style, std::string_view s1, std::string_view s2, const AnsiString& Prefix,
                 const AnsiString& Suffix)
{
    switch (Style) {
    case ssAlphaNoCase:
        return CompareAsciiNoCase(s1, s2);
    case ssNumeric:
    case ssFinancial: {
        std::string n1, n2;
        double v1 = 0, v2 = 0;
        // A text that holds no number counts as 0; two such texts are equal.
        const bool ok1 = ParseNumber(NumericText(s1, Prefix, Suffix, Style == ssFinancial, n1), v1);
        const bool ok2 = ParseNumber(NumericText(s2, Prefix, Suffix, Style == ssFinancial, n2), v2);
        return !ok1 && !ok2 ? 0 : Sign(v1, v2);
    }
    default:
        return CompareOrdinal(s1, s2);
    }
}

// An empty cell goes to the chosen end whatever the direction.
int BlanksPlaced(const TSortSettings& ss, std::string_view s1, std::string_view s2, int res)
{
    if (!ss.IgnoreBlanks() || s1.empty() == s2.empty())
        return res;
    int first = ss.BlankPos() == blFirst ? -1 : 1;
    if (ss.Direction() == sdDescending)
        first = -first;
    return s1.empty() ? first : -first;
}

} // namespace

int TRavArodozIdad::Compare(int ACol, int ARow1, int ARow2)
{
    ++FSortCompares;
    TSortStyle style = FSortSettings->AutoFormat() ? ssAutomatic : ssAlphabetic;
    AnsiString prefix, suffix;
    GetColFormat(ACol, style, prefix, suffix);
    AnsiString b1, b2;
    const std::string_view s1 = SortText(*this, ACol, ARow1, b1);
    const std::string_view s2 = SortText(*this, ACol, ARow2, b2);

    if (style == ssAutomatic) {
        const TCellType t = CellPropertiesOrNil(ACol, ARow1) ? GetCellType(ACol, ARow1) : Ravgrid::ctEmpty;
        style = t == Ravgrid::ctCheckBox || t == Ravgrid::ctDataCheckBox ? ssCheckBox : TextStyle(s1);
    }

    int res = 0;
    switch (style) {
    case ssAutomatic:
    case ssAlphabetic:
    case ssAlphaCase:
    case ssAlphaNoCase:
    case ssNumeric:
    case ssFinancial:
        res = CompareTexts(style, s1, s2, prefix, suffix);
        break;
    case ssAnsiAlphaCase:
        res = Sign(AnsiCompareStr(AnsiString(s1), AnsiString(s2)));
        break;
    case ssAnsiAlphaNoCase:
        res = Sign(AnsiCompareText(AnsiString(s1), AnsiString(s2)));
        break;
    case ssHTML:
        res = CompareOrdinal(GetStrippedCell(ACol, ARow1), GetStrippedCell(ACol, ARow2));
        break;
    case ssDate:
        res = Sign(DateValue(s1, [](const AnsiString& s) { return double(StrToDateTime(s)); }),
                   DateValue(s2, [](const AnsiString& s) { return double(StrToDateTime(s)); }));
        break;
    case ssShortDateEU:
        res = Sign(DateValue(s1, [](const AnsiString& s) { return double(StrToShortDateEU(s)); }),
                   DateValue(s2, [](const AnsiString& s) { return double(StrToShortDateEU(s)); }));
        break;
    case ssShortDateUS:
        res = Sign(DateValue(s1, [](const AnsiString& s) { return double(StrToShortdateUS(s)); }),
                   DateValue(s2, [](const AnsiString& s) { return double(StrToShortdateUS(s)); }));
        break;
    case ssCustom:
        if (OnCustomCompare)
            OnCustomCompare(this, AnsiString(s1), AnsiString(s2), res);
        break;
    case ssRaw:
        if (OnRawCompare)
            OnRawCompare(this, ACol, ARow1, ARow2, res);
        break;
    case ssImages:
        res = Sign(ImageIndex(*this, ACol, ARow1) - ImageIndex(*this, ACol, ARow2));
        break;
    case ssCheckBox: {
        bool c1 = false, c2 = false;
        GetCheckBoxState(ACol, ARow1, c1);
        GetCheckBoxState(ACol, ARow2, c2);
        res = int(c1) - int(c2);
        break;
    }
    }

    return BlanksPlaced(*FSortSettings, s1, s2, res);
}

int TRavArodozIdad::CompareLine(int ACol, int ARow1, int ARow2)
{
    int res = Compare(ACol, ARow1, ARow2);
    while (res == 0 && FSortSettings->Full() && ACol <= ColCount() - 2)
        res = Compare(++ACol, ARow1, ARow2);
    return res;
}

int TRavArodozIdad::CompareLineIndexed(int Depth, int ARow1, int ARow2)
{
    for (;;) {
        const unsigned entry = unsigned(FSortIndexes->GetInteger(Depth));
        const int res = Compare(int(entry & 0x7FFFFFFFu), ARow1, ARow2);
        if (res != 0 || !FSortSettings->Full())
            return (entry & 0x80000000u) ? -res : res;
        if (Depth + 1 >= FSortIndexes->Count())
            return 0;
        ++Depth;
    }
}

bool TRavArodozIdad::SortLine(int ACol, int ARow1, int ARow2)
{
    FSortSwapSign = FSortSettings->Direction() == sdAscending ? 1 : -1;
    const int last = ColCount() + FNumHiddenColumns - 1;
    for (; ACol <= last; ++ACol) {
        const int res = Compare(ACol, ARow1, ARow2);
        if (res == FSortSwapSign) {
            SortSwapRows(ARow1, ARow2);
            return true;
        }
        if (res != 0)
            return false;
    }
    return false;
}

// ---------------------------------------------------------------- partition sort

namespace {

// Hoare partitioning around the middle position, on a list of row numbers:
// the rows stay where they are while the order is worked out, so every
// comparison (and every event it raises) sees the rows at their own places.
// Cmp(a, b) compares rows a and b; Wrong is the result that puts them in the
// wrong order. SkipEqual leaves rows that compare equal unswapped. The
// smaller side recurses and the larger one loops, so the stack stays shallow.
template <class T, class Cmp>
void PartitionSort(std::vector<T>& Order, int Left, int Right, int Wrong, bool SkipEqual, Cmp& cmp)
{
    while (Left < Right) {
        const T pivot = Order[size_t((unsigned(Left) + unsigned(Right)) / 2u)];
        int i = Left, j = Right;
        do {
            while (cmp(pivot, Order[size_t(i)]) == Wrong && i < Right)
                ++i;
            while (cmp(Order[size_t(j)], pivot) == Wrong && j > Left)
                --j;
            if (i <= j) {
                if (i != j && (!SkipEqual || cmp(Order[size_t(i)], Order[size_t(j)]) != 0))
                    std::swap(Order[size_t(i)], Order[size_t(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - Left < Right - i) {
            if (Left < j)
                PartitionSort(Order, Left, j, Wrong, SkipEqual, cmp);
            Left = i;
        } else {
            if (i < Right)
                PartitionSort(Order, i, Right, Wrong, SkipEqual, cmp);
            Right = j;
        }
    }
}

// The sort column's texts read once, with their numbers, when every cell is a
// plain stored text and the column's style needs nothing but the text. Other
// columns (ties under Full) and other styles go through the grid's Compare.
class TSortKeys {
public:
    TSortKeys(TRavArodozIdad& G, int ACol, int First, int Last) : FG(G)
    {
        TSortSettings* ss = G.SortSettings();
        FStyle = ss->AutoFormat() ? ssAutomatic : ssAlphabetic;
        AnsiString prefix, suffix;
        G.GetColFormat(ACol, FStyle, prefix, suffix);
        if (FStyle != ssAutomatic && !TextOnly(FStyle))
            return;
        if (G.OnGetDisplText && First < G.DisplTextRowLimit())
            return;
        FKeys.reserve(size_t(Last - First + 1));
        std::string buf;
        for (int r = First; r <= Last; ++r) {
            if (G.CellPropertiesOrNil(ACol, r)) {
                FKeys.clear();
                return;
            }
            Key k;
            k.row = r;
            k.text = G.Store().TextView(ACol, r);
            k.style = FStyle == ssAutomatic ? TextStyle(k.text) : FStyle;
            // Every row's number: under Automatic the first row of a pair
            // decides, and the other is read as a number too.
            if (FStyle == ssAutomatic || FStyle == ssNumeric || FStyle == ssFinancial)
                k.numOk = ParseNumber(NumericText(k.text, prefix, suffix, FStyle == ssFinancial, buf), k.num);
            FKeys.push_back(k);
        }
        FUsable = true;
    }
    struct Key {
        std::string_view text;
        double num = 0;
        int row = 0;
        bool numOk = false;
        TSortStyle style = ssAlphabetic;
    };
    bool Usable() const { return FUsable; }
    // The rows in their order, to be sorted in place.
    std::vector<Key>& Keys() { return FKeys; }

    // As the grid's Compare of the sort column for the keys' rows.
    int Compare(int ACol, const Key& ka, const Key& kb)
    {
        int res = 0;
        switch (ka.style) {
        case ssNumeric:
        case ssFinancial:
            res = !ka.numOk && !kb.numOk ? 0 : Sign(ka.num, kb.num);
            break;
        case ssAlphaNoCase:
            res = CompareAsciiNoCase(ka.text, kb.text);
            break;
        case ssDate:
            return FG.Compare(ACol, ka.row, kb.row);
        default:
            res = CompareOrdinal(ka.text, kb.text);
            break;
        }
        return BlanksPlaced(*FG.SortSettings(), ka.text, kb.text, res);
    }

    // As the grid's Compare of a later column (a tie under Full): its format
    // asked once, plain stored texts compared here, anything else by the grid.
    int CompareTie(int ACol, int a, int b)
    {
        if (size_t(ACol) >= FTies.size())
            FTies.resize(size_t(ACol) + 1);
        TTie& t = FTies[size_t(ACol)];
        if (!t.known) {
            t.style = FG.SortSettings()->AutoFormat() ? ssAutomatic : ssAlphabetic;
            FG.GetColFormat(ACol, t.style, t.prefix, t.suffix);
            t.known = true;
        }
        if (FG.CellPropertiesOrNil(ACol, a) || FG.CellPropertiesOrNil(ACol, b))
            return FG.Compare(ACol, a, b);
        const std::string_view s1 = FG.Store().TextView(ACol, a), s2 = FG.Store().TextView(ACol, b);
        const TSortStyle style = t.style == ssAutomatic ? TextStyle(s1) : t.style;
        if (!TextOnly(style))
            return FG.Compare(ACol, a, b);
        return BlanksPlaced(*FG.SortSettings(), s1, s2, CompareTexts(style, s1, s2, t.prefix, t.suffix));
    }

private:
    struct TTie {
        bool known = false;
        TSortStyle style = ssAlphabetic;
        AnsiString prefix, suffix;
    };
    TRavArodozIdad& FG;
    TSortStyle FStyle = ssAlphabetic;
    std::vector<Key> FKeys;
    std::vector<TTie> FTies;
    bool FUsable = false;
};

std::vector<int> RowRange(int Left, int Right)
{
    std::vector<int> order(static_cast<size_t>(Right - Left + 1));
    for (int k = 0; k < int(order.size()); ++k)
        order[size_t(k)] = Left + k;
    return order;
}

} // namespace

void TRavArodozIdad::QuickSortRows(int ACol, int Left, int Right)
{
    FSortSwapSign = FSortSettings->Direction() == sdAscending ? 1 : -1;
    if (Left >= Right)
        return;
    TSortKeys keys(*this, ACol, Left, Right);
    if (keys.Usable()) {
        // The keys themselves are sorted: a partition step reads them in
        // memory order instead of looking each up by its row.
        const bool full = FSortSettings->Full();
        auto cmp = [&](const TSortKeys::Key& a, const TSortKeys::Key& b) {
            if (a.row == b.row) // the pivot meeting itself
                return 0;
            ++FSortCompares;
            int res = keys.Compare(ACol, a, b);
            for (int c = ACol; res == 0 && full && c <= ColCount() - 2;) {
                ++FSortCompares;
                res = keys.CompareTie(++c, a.row, b.row);
            }
            return res;
        };
        std::vector<TSortKeys::Key>& k = keys.Keys();
        PartitionSort(k, 0, int(k.size()) - 1, FSortSwapSign, true, cmp);
        std::vector<int> order(k.size());
        for (size_t i = 0; i < k.size(); ++i)
            order[i] = k[i].row;
        ApplyRowOrder(Left, order);
        return;
    }
    std::vector<int> order = RowRange(Left, Right);
    auto cmp = [&](int a, int b) { return a == b ? 0 : CompareLine(ACol, a, b); };
    PartitionSort(order, 0, int(order.size()) - 1, FSortSwapSign, true, cmp);
    ApplyRowOrder(Left, order);
}

void TRavArodozIdad::QuickSortRowsIndexed(int Depth, int Left, int Right)
{
    if (Left >= Right)
        return;
    std::vector<int> order = RowRange(Left, Right);
    auto cmp = [&](int a, int b) { return a == b ? 0 : CompareLineIndexed(Depth, a, b); };
    PartitionSort(order, 0, int(order.size()) - 1, 1, false, cmp);
    ApplyRowOrder(Left, order);
}

// Puts the rows First.. in Order (the row numbers they now have, in their new
// order) with at most one swap per row, each through SortSwapRows.
void TRavArodozIdad::ApplyRowOrder(int First, const std::vector<int>& Order)
{
    const int n = int(Order.size());
    // at[p]: the row (counted from First) now at position p; where[row]: its position.
    std::vector<int> at(static_cast<size_t>(n)), where(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
        at[size_t(k)] = where[size_t(k)] = k;
    for (int p = 0; p < n; ++p) {
        const int want = Order[size_t(p)] - First;
        const int q = where[size_t(want)];
        if (q == p)
            continue;
        SortSwapRows(First + p, First + q);
        const int displaced = at[size_t(p)];
        at[size_t(q)] = displaced;
        where[size_t(displaced)] = q;
        at[size_t(p)] = want;
        where[size_t(want)] = p;
    }
}

// ---------------------------------------------------------------- the sort's scratch state

// Everything a sort changes around itself, put back on every way out,
// including an exception from an event handler: three scratch rows, the column
// count raised by the hidden columns (hidden data moves with its row), the
// last visible column's width, the display-text row limit, the current row,
// column 0 when it keeps its order, and the update lock.
class TSortScope {
public:
    TSortScope(TRavArodozIdad& G, bool LimitDisplText, bool KeepCol0) : FG(G)
    {
        FG.BeginUpdate();
        FOldRowCount = FG.RowCount();
        FOldColCount = FG.ColCount();
        FOldLimit = FG.DisplTextRowLimit();
        FOldRow = FG.Row();
        FOldWidth = FG.ColWidths(FOldColCount - 1);
        FOldTracked = FG.FSortTrackedRow;
        FG.FSortTrackedRow = FOldRow;
        try {
            if (KeepCol0 && FG.FSortSettings->NormalCellsOnly() && FG.FixedCols() > 0) {
                FKeepCol0 = true;
                for (int r = 0; r < FOldRowCount; ++r) {
                    FCol0Texts.emplace_back(FG.Store().TextView(0, r));
                    FCol0Props.push_back(FG.Store().Props(0, r));
                }
            }
            if (FG.FNumHiddenColumns > 0)
                FG.SetColCount(FOldColCount + FG.FNumHiddenColumns);
            FG.SetRowCount(FOldRowCount + 3);
            if (LimitDisplText)
                FG.SetDisplTextRowLimit(FOldRowCount);
        } catch (...) {
            Restore();
            throw;
        }
    }
    ~TSortScope()
    {
        try {
            Restore();
        } catch (...) {
            // Restoring must not hide the error that brought us here.
        }
    }
    TSortScope(const TSortScope&) = delete;
    TSortScope& operator=(const TSortScope&) = delete;

    int OldRowCount() const { return FOldRowCount; }
    // The current row at the end: the row it moved to, or the same index.
    bool FollowRow = false;

private:
    void Restore()
    {
        if (FRestored)
            return;
        FRestored = true;
        if (FG.RowCount() != FOldRowCount)
            FG.SetRowCount(FOldRowCount);
        if (FG.ColCount() != FOldColCount)
            FG.SetColCount(FOldColCount);
        if (FG.ColWidths(FOldColCount - 1) != FOldWidth)
            FG.SetColWidths(FOldColCount - 1, FOldWidth);
        FG.SetDisplTextRowLimit(FOldLimit);
        if (FKeepCol0) {
            // The properties objects (node buttons among them) moved with
            // their rows while sorting; each goes back to the row it was on.
            std::map<TCellProperties*, TCellPropsPtr> moved;
            for (int r = 0; r < FOldRowCount; ++r)
                if (TCellPropsPtr p = FG.Store().TakeProps(0, r)) {
                    TCellProperties* key = p.get();
                    moved.emplace(key, std::move(p));
                }
            for (int r = 0; r < FOldRowCount; ++r) {
                FG.Store().SetText(0, r, FCol0Texts[size_t(r)]);
                if (auto it = moved.find(FCol0Props[size_t(r)]); it != moved.end())
                    FG.Store().SetProps(0, r, std::move(it->second));
            }
        }
        const int row = FollowRow ? FG.FSortTrackedRow : FOldRow;
        FG.FSortTrackedRow = FOldTracked;
        if (row >= FG.FixedRows() && row < FG.RowCount() && row != FG.Row())
            FG.MoveColRow(FG.Col(), row, true, false);
        FG.EndUpdate();
    }

    TRavArodozIdad& FG;
    int FOldRowCount = 0, FOldColCount = 0, FOldLimit = 0, FOldRow = 0, FOldWidth = 0, FOldTracked = -1;
    bool FKeepCol0 = false;
    bool FRestored = false;
    std::vector<AnsiString> FCol0Texts;
    std::vector<TCellProperties*> FCol0Props; // not owned: they stay in the grid
};

void TRavArodozIdad::InitSortXRef()
{
    FSortCrossRef->Clear();
    for (int r = 0; r < RowCount(); ++r)
        FSortCrossRef->Add(r);
}

void TRavArodozIdad::QuickSort(int ACol, int Left, int Right)
{
    TSortScope scope(*this, false, false);
    QuickSortRows(ACol, Left, Right);
}

void TRavArodozIdad::QuickSortIndexed(int Left, int Right)
{
    if (FSortIndexes->Count() == 0)
        throw VEvoRaraVedad("No indexes specified for indexed sort");
    TSortScope scope(*this, false, false);
    QuickSortRowsIndexed(0, Left, Right);
}

void TRavArodozIdad::QSort()
{
    FSortIndexes->Clear();
    TSortScope scope(*this, true, true);
    scope.FollowRow = FNavigation->MoveRowOnSort();
    QuickSortRows(FSortSettings->Column(), FixedRows(), scope.OldRowCount() - 1 - FFixedFooters);
}

void TRavArodozIdad::QSortIndexed()
{
    if (FSortIndexes->Count() == 0)
        throw VEvoRaraVedad("No indexes specified for indexed sort");
    TSortScope scope(*this, true, false);
    scope.FollowRow = FNavigation->MoveRowOnSort();
    QuickSortRowsIndexed(0, FixedRows(), scope.OldRowCount() - 1 - FFixedFooters);
}

void TRavArodozIdad::QSortGroup()
{
    TSortScope scope(*this, true, true);
    scope.FollowRow = true;
    // Groups end before the footer rows: those stay where they are.
    const int last = scope.OldRowCount() - 1 - FFixedFooters;
    int r = FixedRows();
    if (r > last || !IsNode(r))
        return;
    while (r <= last) {
        int next = r + 1;
        while (next <= last && !IsNode(next))
            ++next;
        if (next - 1 > r + 1)
            QuickSortRows(FSortSettings->Column(), r + 1, next - 1);
        r = next;
    }
}

// ---------------------------------------------------------------- stable sort

// The exchange sort's order (a row moves before an earlier one only when the
// comparison says they are in the wrong order, so equal rows keep theirs),
// reached by a merge sort of row numbers and then one pass of row swaps: a
// million rows take seconds, not hours.
void TRavArodozIdad::SortByColumn(int ACol)
{
    if (RowCount() < 2)
        return;
    FSortSwapSign = FSortSettings->Direction() == sdAscending ? 1 : -1;
    const int first = FixedRows(), last = RowCount() - 1 - FFixedFooters;
    if (last <= first)
        return;
    const int n = last - first + 1;
    std::vector<int> order(static_cast<size_t>(n)), tmp(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
        order[size_t(k)] = first + k;
    for (int width = 1; width < n; width *= 2) {
        for (int lo = 0; lo < n; lo += 2 * width) {
            const int mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
            int a = lo, b = mid, o = lo;
            while (a < mid && b < hi) {
                if (Compare(ACol, order[size_t(a)], order[size_t(b)]) == FSortSwapSign)
                    tmp[size_t(o++)] = order[size_t(b++)];
                else
                    tmp[size_t(o++)] = order[size_t(a++)];
            }
            while (a < mid)
                tmp[size_t(o++)] = order[size_t(a++)];
            while (b < hi)
                tmp[size_t(o++)] = order[size_t(b++)];
        }
        order.swap(tmp);
    }
    BeginUpdate();
    try {
        ApplyRowOrder(first, order);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// ---------------------------------------------------------------- header click

void TRavArodozIdad::SortClick(TShiftState Shift, int X, int Y)
{
    int c = -1, r = -1, pc = -1, pr = -1;
    MouseToCell(X, Y, c, r);
    MouseToCell(FPressPos.x, FPressPos.y, pc, pr);
    if (FMoved || c < 0 || r < 0 || (c < FixedCols() && !FSortSettings->FixedCols()))
        return;
    const int col = RealColIndex(c);
    bool state = false;
    int index = -1;
    if (OnCheckBoxMouseUp && GetCheckBoxState(col, r, state))
        OnCheckBoxMouseUp(this, col, r, state);
    if (OnRadioMouseUp && GetRadioIdx(col, r, index) && IsRadio(col, r)) {
        if (index < 0)
            index = GetRadioStrings(col, r)->IndexOf(GetCellEx(col, r));
        OnRadioMouseUp(this, col, r, index);
    }
    const TRect cr = CellRect(c, r);
    // A release on a column border ends a sizing; one on a filter button opens the filter.
    if (r == 0 && (Options() & goColSizing) && (X - cr.Left < 4 || cr.Right - X < 4))
        return;
    if (GetFilter(col) && cr.Right - X < 16)
        return;
    if (r != FSortSettings->Row() || r != pr || FixedRows() == 0 || !FSortSettings->Show() || RowCount() <= 2)
        return;
    bool doSort = true;
    if (OnCanSort)
        OnCanSort(this, col, doSort);
    if (!doSort)
        return;
    HideInplaceEdit();
    if (FSortSettings->AutoColumnMerge())
        UndoColumnMerge();
    const DWORD started = GetTickCount();
    if (FSortSettings->IndexShow()) {
        TSortIndexList& ix = *FSortIndexes;
        if (Shift & ssShift) {
            if (ix.FindIndex(col) >= 0)
                ix.ToggleIndex(col);
            else
                ix.AddIndex(col, true);
        } else if (ix.Count() == 1 && ix.FindIndex(col) == 0)
            ix.ToggleIndex(col);
        else {
            ix.Clear();
            ix.AddIndex(col, true);
        }
        QSortIndexed();
    } else {
        if (FSortSettings->Column() == col)
            FSortSettings->SetDirection(FSortSettings->Direction() == sdAscending ? sdDescending : sdAscending);
        else {
            FSortSettings->SetColumn(col);
            FSortSettings->SetDirection(sdAscending);
        }
        if (HasNodes())
            QSortGroup();
        else
            QSort();
    }
    FSortTime = int(GetTickCount() - started);
    if (FSortSettings->AutoColumnMerge())
        ApplyColumnMerge();
    if (OnClickSort)
        OnClickSort(this, FSortSettings->Column());
}

// ---------------------------------------------------------------- sort mark

void TRavArodozIdad::DrawSortMark(TCanvas* Canvas, int ACol, int ARow, const TRect& R, TAlignment HA, TVAlignment VA)
{
    const TSortSettings& ss = *FSortSettings;
    const int col = RemapCol(ACol);
    if (!ss.Show() || ARow != ss.Row() || RowCount() <= 2 || FixedRows() == 0 ||
        (ACol < FixedCols() && !ss.FixedCols()))
        return;
    const int pos = FSortIndexes->FindIndex(col);
    if ((col != ss.Column() && pos < 0) || (pos >= 1 && !ss.IndexShow()))
        return;
    const int y = VA == vtaTop ? R.Top + 8 : (VA == vtaBottom ? R.Bottom - 8 : R.Top + (R.Bottom - R.Top) / 2);
    const int w = std::max(0, std::min(R.Width() - 16, Canvas->TextWidth(GetStrippedCell(col, ARow))));
    const int x = HA == taLeftJustify ? R.Left + w + 10 : (HA == taRightJustify ? R.Right - w - 10 : R.Left + 8);
    DrawSortIndicator(Canvas, col, x, y);
}

void TRavArodozIdad::DrawSortIndicator(TCanvas* Canvas, int ACol, int X, int Y)
{
    const TSortSettings& ss = *FSortSettings;
    if (ss.IndexShow()) {
        const int pos = FSortIndexes->FindIndex(ACol);
        if (pos < 0)
            return;
        const bool down = (unsigned(FSortIndexes->GetInteger(pos)) & 0x80000000u) != 0;
        Canvas->Brush()->SetColor(TColorOf(0x00FFFF));
        Canvas->Pen()->SetColor(clBlack);
        Canvas->Font()->SetColor(clBlack);
        Canvas->Font()->SetSize(6);
        if (down)
            Canvas->Polygon({TPoint{X - 7, Y - 5}, TPoint{X + 7, Y - 5}, TPoint{X, Y + 8}});
        else
            Canvas->Polygon({TPoint{X - 6, Y + 8}, TPoint{X + 6, Y + 8}, TPoint{X, Y - 4}});
        Canvas->SetBkMode(bkTransparent);
        Canvas->TextOut(X - 2, down ? Y - 4 : Y - 2, IntToStr(pos + 1));
        return;
    }
    const bool down = ss.Direction() == sdDescending;
    if (!ss.UpGlyph()->Empty() && !ss.DownGlyph()->Empty()) {
        TBitmap* glyph = down ? ss.DownGlyph() : ss.UpGlyph();
        glyph->SetTransparent(true);
        glyph->SetTransparentMode(tmAuto);
        Canvas->Draw(X - 4, Y - 4, glyph);
        Canvas->Brush()->SetColor(FixedColor());
        return;
    }
    // An outline triangle lit from the top left.
    Canvas->Pen()->SetWidth(1);
    if (down) {
        Canvas->Pen()->SetColor(clWhite);
        Canvas->MoveTo(X + 4, Y - 4);
        Canvas->LineTo(X, Y + 4);
        Canvas->Pen()->SetColor(TColorOf(0x808080));
        Canvas->LineTo(X - 4, Y - 4);
        Canvas->LineTo(X + 4, Y - 4);
    } else {
        Canvas->Pen()->SetColor(clWhite);
        Canvas->MoveTo(X - 4, Y + 4);
        Canvas->LineTo(X + 4, Y + 4);
        Canvas->LineTo(X, Y - 4);
        Canvas->Pen()->SetColor(TColorOf(0x808080));
        Canvas->LineTo(X - 4, Y + 4);
    }
    Canvas->Pen()->SetColor(clBlack);
}

// ---------------------------------------------------------------- moved columns

void TRavArodozIdad::ColumnMoved(int FromIndex, int ToIndex)
{
    TBaseGrid::ColumnMoved(FromIndex, ToIndex);
    if (FMousePressed)
        FMoved = true;
    // The moved column takes ToIndex; those between shift by one towards FromIndex.
    auto follow = [FromIndex, ToIndex](int c) {
        if (c == FromIndex)
            return ToIndex;
        if (FromIndex < ToIndex && c > FromIndex && c <= ToIndex)
            return c - 1;
        if (FromIndex > ToIndex && c >= ToIndex && c < FromIndex)
            return c + 1;
        return c;
    };
    FSortSettings->SetColumn(follow(FSortSettings->Column()));
    for (int i = 0; i < FSortIndexes->Count(); ++i) {
        const unsigned e = unsigned(FSortIndexes->GetInteger(i));
        FSortIndexes->SetInteger(i, int((e & 0x80000000u) | unsigned(follow(int(e & 0x7FFFFFFFu)))));
    }
}
