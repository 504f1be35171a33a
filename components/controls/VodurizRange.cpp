#include "components/controls/VodurizRange.h"

#include <cstdint>
#include <cstdio>
#include <unordered_set>

#include "platform/core/IntConvert.h"

namespace {
void* ToItem(int v) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(v)); }
int FromItem(void* p) { return static_cast<int>(reinterpret_cast<std::intptr_t>(p)); }
} // namespace

int TRangeList::GetInteger(int Index) const { return FromItem(Items(Index)); }

void TRangeList::SetInteger(int Index, int Value) { SetItems(Index, ToItem(Value)); }

void TRangeList::Add(int Value)
{
    if (!InList(Value))
        TList::Add(ToItem(Value));
}

void TRangeList::AddMultiple(int First, int Count)
{
    // Counted in 64 bits: a range ending at the largest integer must not wrap round.
    for (std::int64_t v = First; v < static_cast<std::int64_t>(First) + Count; ++v)
        Add(static_cast<int>(v));
}

bool TRangeList::InList(int Value) const { return IndexOf(ToItem(Value)) >= 0; }

void TRangeList::Show() const
{
    for (int i = 0; i < Count(); ++i)
        std::fprintf(stderr, "%d\n", GetInteger(i));
}

bool TRangeList::StrToList(const AnsiString& S)
{
    Clear();
    bool ok = true;
    // Values seen so far: a long range must not test every earlier value again.
    std::unordered_set<int> seen;
    auto add = [&](int v) {
        if (seen.insert(v).second)
            TList::Add(ToItem(v));
    };
    AnsiString s = S;
    while (!s.empty()) {
        const std::size_t sep = s.find_first_of(",;");
        const AnsiString part = s.substr(0, sep);
        s = sep == AnsiString::npos ? AnsiString() : s.substr(sep + 1);
        // The range's dash is the first '-' after the first character: a leading one is a sign.
        const std::size_t dash = part.size() > 1 ? part.find('-', 1) : AnsiString::npos;
        if (dash != AnsiString::npos) {
            int from = 0, to = 0;
            if (!TryStrToInt(part.substr(0, dash), from) || !TryStrToInt(part.substr(dash + 1), to)
                || static_cast<std::int64_t>(to) - from >= kMaxRangeValues)
                ok = false; // unreadable, or more values than a list can sensibly hold
            else
                for (std::int64_t v = from; v <= to; ++v) // 64 bits: "to" may be the largest integer
                    add(static_cast<int>(v));
        } else {
            int v = 0;
            if (TryStrToInt(part, v))
                add(v);
            else
                ok = false;
        }
    }
    return ok;
}

AnsiString TRangeList::ToRangeStr()
{
    Sort([](void* a, void* b) {
        const int x = FromItem(a), y = FromItem(b);
        return x < y ? -1 : x > y ? 1 : 0;
    });
    AnsiString out;
    int i = 0;
    while (i < Count()) {
        const int first = GetInteger(i);
        int last = first;
        // A group runs while each item is its predecessor + 1.
        while (i + 1 < Count() && static_cast<std::int64_t>(GetInteger(i + 1)) == static_cast<std::int64_t>(last) + 1)
            last = GetInteger(++i);
        ++i;
        if (!out.empty())
            out += ',';
        out += std::to_string(first);
        if (last != first)
            out += "-" + std::to_string(last);
    }
    return out;
}
