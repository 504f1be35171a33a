// Each fault switch over the line, as the program would meet it.
#include <gtest/gtest.h>

#include "tests/tools/instrument-sim/SimClient.h"

namespace {

// The normal fetch reply with the comparator on: 40 characters and the LF.
constexpr size_t kFetchLength = 41;

struct Faulty {
    TLinkedSim S{1};
    TSimClient C{1};
    Faulty() { C.Query("COMP:STAT ON;:COMP:STAT?"); }
};

} // namespace

TEST(SimFaultSwitch, SilenceForSomeReplies)
{
    Faulty f;
    f.S.Sim.SetFault(TSimFault::Silence, 2);
    f.C.Send("FETC?");
    f.C.Send("*IDN?");
    ASSERT_TRUE(f.S.Sim.WaitForLine("*IDN?", 2000));
    EXPECT_EQ(f.C.ReadFor(150), "");
    EXPECT_EQ(f.C.Query("FUNC?"), "Cp-D");  // the switch ran out
    f.S.Sim.SetFault(TSimFault::Silence);
    f.C.Send("FUNC?");
    EXPECT_EQ(f.C.ReadFor(150), "");
    f.S.Sim.ClearFaults();
    EXPECT_EQ(f.C.Query("FUNC?"), "Cp-D");
}

TEST(SimFaultSwitch, ReplyCutShort)
{
    Faulty f;
    f.S.Sim.SetFaultSettings({.TruncateTo = 20});
    f.S.Sim.SetFault(TSimFault::Truncate, 1);
    f.C.Send("FETC?");
    AnsiString cut = f.C.ReadFor(200);
    EXPECT_EQ(cut.size(), 20u);
    EXPECT_NE(cut.back(), '\n');
    f.C.Send("FETC?");
    EXPECT_EQ(f.C.ReadLine().size(), kFetchLength);
}

TEST(SimFaultSwitch, ReplySplitIntoPiecesWithPauses)
{
    Faulty f;
    f.S.Sim.SetFaultSettings({.SplitPieces = 3, .SplitPauseMs = 60});
    f.S.Sim.SetFault(TSimFault::Split);
    auto sent = std::chrono::steady_clock::now();
    f.C.Send("FETC?");
    AnsiString reply = f.C.ReadLine();
    EXPECT_GE(std::chrono::steady_clock::now() - sent, std::chrono::milliseconds(120));
    EXPECT_EQ(reply.size(), kFetchLength);
    EXPECT_EQ(reply.back(), '\n');
}

TEST(SimFaultSwitch, GarbageCharacters)
{
    Faulty f;
    f.S.Sim.SetFault(TSimFault::Garbage, 1);
    f.C.Send("FETC?");
    AnsiString reply = f.C.ReadLine();
    EXPECT_EQ(reply.size(), kFetchLength);
    EXPECT_EQ(reply.substr(0, 2), "#?");
}

TEST(SimFaultSwitch, WrongLengthEitherWay)
{
    Faulty f;
    f.S.Sim.SetFault(TSimFault::WrongLength, 1);
    f.C.Send("FETC?");
    EXPECT_EQ(f.C.ReadLine().size(), kFetchLength + 1);
    f.S.Sim.SetFaultSettings({.LengthChange = -4});
    f.S.Sim.SetFault(TSimFault::WrongLength, 1);
    f.C.Send("FETC?");
    EXPECT_EQ(f.C.ReadLine().size(), kFetchLength - 4);
}

TEST(SimFaultSwitch, CarriageReturnBeforeLineFeed)
{
    Faulty f;
    f.S.Sim.SetFault(TSimFault::CrLf, 1);
    f.C.Send("FETC?");
    AnsiString reply = f.C.ReadLine();
    EXPECT_EQ(reply.size(), kFetchLength + 1);
    EXPECT_EQ(reply.substr(reply.size() - 2), "\r\n");
}

TEST(SimFaultSwitch, ReplyToAQueryNobodyAsked)
{
    Faulty f;
    f.S.Sim.SetFaultSettings({.UnaskedQuery = "FETC:IMP?"});
    f.S.Sim.SetFault(TSimFault::UnaskedReply, 1);
    f.C.Send("FUNC?");
    // Both lines arrive together: the fetch reply nobody asked for, then the real one.
    AnsiString got = f.C.ReadUntil([](const AnsiString& s) { return s.size() >= 72; }, 2000);
    ASSERT_EQ(got.size(), 72u) << got;
    EXPECT_EQ(got[66], '\n');
    EXPECT_EQ(got.substr(67), "Cp-D\n");
}

TEST(SimFaultSwitch, SlowReply)
{
    Faulty f;
    f.S.Sim.SetFaultSettings({.SlowMs = 250});
    f.S.Sim.SetFault(TSimFault::Slow, 1);
    auto sent = std::chrono::steady_clock::now();
    EXPECT_EQ(f.C.Query("FUNC?"), "Cp-D");
    EXPECT_GE(std::chrono::steady_clock::now() - sent, std::chrono::milliseconds(250));
}

TEST(SimFaultSwitch, UpperCaseExponentLetter)
{
    Faulty f;
    f.S.Sim.SetFault(TSimFault::UpperCaseE, 1);
    AnsiString reply = f.C.Query("FETC?");
    EXPECT_EQ(reply[8], 'E');
    EXPECT_EQ(reply.find('e'), AnsiString::npos);
}

TEST(SimFaultSwitch, FaultsCanBeKeptToSomeQueries)
{
    Faulty f;
    f.S.Sim.SetFaultSettings({.OnlyFor = "FETC"});
    f.S.Sim.SetFault(TSimFault::Silence);
    f.C.Send("FETC:IMP?");
    EXPECT_EQ(f.C.Query("FUNC?"), "Cp-D");  // only the fetch went unanswered
}
