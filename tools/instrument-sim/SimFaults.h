#pragma once
// Faults a test can switch on in the simulated instrument's replies.
#include <array>
#include <vector>

#include "platform/core/Types.h"

enum class TSimFault {
    Silence,        // no reply at all
    Truncate,       // the reply cut short, without its line end
    Split,          // the reply in pieces with pauses between them
    Garbage,        // the first characters of the reply overwritten by garbage (length kept)
    WrongLength,    // characters added to or removed from the reply before its line end
    CrLf,           // "\r\n" instead of "\n"
    UnaskedReply,   // the reply to a query nobody asked, sent in front of the real reply
    Slow,           // the reply held back for a while
    UpperCaseE,     // "E" instead of "e" in numbers
};
constexpr int kSimFaultCount = 9;

struct TSimFaultSettings {
    AnsiString OnlyFor{};           // faults hit only replies to queries starting with this (any case); empty: all
    int TruncateTo = -1;            // characters kept of a cut reply; -1: half of it
    int SplitPieces = 3;
    int SplitPauseMs = 30;
    AnsiString GarbageText = "#?";
    int LengthChange = 1;           // > 0 appends that many "0", < 0 removes characters
    AnsiString UnaskedQuery = "FETC:IMP?";
    int SlowMs = 300;
};

// Which faults are on: -1 for every reply until switched off, N > 0 for the next N replies
// that OnlyFor lets through, 0 off.
struct TSimFaultSwitches {
    std::array<int, kSimFaultCount> Remaining{};
    int& operator[](TSimFault f) { return Remaining[static_cast<int>(f)]; }
    int operator[](TSimFault f) const { return Remaining[static_cast<int>(f)]; }
    bool Any() const;
};

// A piece of output and the pause before it.
struct TSimChunk {
    int PauseMs = 0;
    AnsiString Bytes;
};

// Takes one reply and turns it into the bytes to send, with the faults that are on for the
// query applied (and counted down). `unasked` is the reply the UnaskedReply fault puts in front.
std::vector<TSimChunk> ShapeReply(const AnsiString& query, const AnsiString& reply, const AnsiString& unasked,
                                  TSimFaultSwitches& switches, const TSimFaultSettings& settings);

// True when the fault is on for a reply to this query (without counting down).
bool FaultApplies(TSimFault fault, const AnsiString& query, const TSimFaultSwitches& switches,
                  const TSimFaultSettings& settings);
