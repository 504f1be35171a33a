#include "tools/instrument-sim/SimFaults.h"

#include <algorithm>

#include "tools/instrument-sim/SimNumbers.h"

bool TSimFaultSwitches::Any() const
{
    return std::any_of(Remaining.begin(), Remaining.end(), [](int n) { return n != 0; });
}

bool FaultApplies(TSimFault fault, const AnsiString& query, const TSimFaultSwitches& switches,
                  const TSimFaultSettings& settings)
{
    if (switches[fault] == 0)
        return false;
    if (settings.OnlyFor.empty())
        return true;
    AnsiString q = SimUpperCase(SimTrim(query));
    if (!q.empty() && q[0] == ':')
        q.erase(0, 1);
    return q.compare(0, settings.OnlyFor.size(), SimUpperCase(settings.OnlyFor)) == 0;
}

std::vector<TSimChunk> ShapeReply(const AnsiString& query, const AnsiString& reply, const AnsiString& unasked,
                                  TSimFaultSwitches& switches, const TSimFaultSettings& settings)
{
    bool on[kSimFaultCount];
    for (int i = 0; i < kSimFaultCount; ++i) {
        auto f = static_cast<TSimFault>(i);
        on[i] = FaultApplies(f, query, switches, settings);
        if (on[i] && switches[f] > 0)
            --switches[f];
    }
    auto is = [&](TSimFault f) { return on[static_cast<int>(f)]; };

    std::vector<TSimChunk> chunks;
    if (is(TSimFault::Silence))
        return chunks;

    AnsiString text = reply;
    if (is(TSimFault::UpperCaseE))
        std::replace(text.begin(), text.end(), 'e', 'E');
    if (is(TSimFault::Garbage))
        for (size_t i = 0; i < settings.GarbageText.size() && i < text.size(); ++i)
            text[i] = settings.GarbageText[i];
    if (is(TSimFault::WrongLength)) {
        if (settings.LengthChange > 0)
            text.append(static_cast<size_t>(settings.LengthChange), '0');
        else
            text.resize(text.size() - std::min(text.size(), static_cast<size_t>(-settings.LengthChange)));
    }
    text += is(TSimFault::CrLf) ? "\r\n" : "\n";
    if (is(TSimFault::Truncate)) {
        size_t keep = settings.TruncateTo >= 0 ? static_cast<size_t>(settings.TruncateTo) : reply.size() / 2;
        text.resize(std::min(keep, text.size() - 1));
    }

    if (is(TSimFault::Split) && settings.SplitPieces > 1 && text.size() > 1) {
        size_t pieces = std::min(static_cast<size_t>(settings.SplitPieces), text.size());
        size_t size = text.size() / pieces;
        for (size_t i = 0; i < pieces; ++i) {
            size_t start = i * size;
            size_t len = i + 1 == pieces ? AnsiString::npos : size;
            chunks.push_back({i == 0 ? 0 : settings.SplitPauseMs, text.substr(start, len)});
        }
    } else if (!text.empty()) {
        chunks.push_back({0, text});
    }
    if (is(TSimFault::UnaskedReply) && !unasked.empty())
        chunks.insert(chunks.begin(), TSimChunk{0, unasked + "\n"});
    if (is(TSimFault::Slow) && !chunks.empty())
        chunks.front().PauseMs += settings.SlowMs;
    return chunks;
}
