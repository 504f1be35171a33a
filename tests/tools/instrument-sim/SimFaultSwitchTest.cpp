// Each fault switch over the line, as the program would meet it.
#include <gtest/gtest.h>

#include "tests/tools/instrument-sim/SimClient.h"
#include "tools/instrument-sim/SimCommandLine.h"

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

TEST(SimCommandLine, SwitchesSetTheSameFaultsAsTheLibrary)
{
    struct Case {
        std::vector<AnsiString> args;
        TSimFault fault;
    };
    const Case cases[] = {
        {{"--silence"}, TSimFault::Silence},        {{"--cut"}, TSimFault::Truncate},
        {{"--split"}, TSimFault::Split},            {{"--garbage"}, TSimFault::Garbage},
        {{"--wrong-length"}, TSimFault::WrongLength}, {{"--crlf"}, TSimFault::CrLf},
        {{"--unasked"}, TSimFault::UnaskedReply},   {{"--slow"}, TSimFault::Slow},
        {{"--upper-e"}, TSimFault::UpperCaseE},
    };
    for (const Case& c : cases) {
        TSimCommandLine line;
        AnsiString error;
        ASSERT_TRUE(ParseSimCommandLine(c.args, line, error)) << c.args[0] << ": " << error;
        for (int f = 0; f < kSimFaultCount; ++f)
            EXPECT_EQ(line.Faults.Remaining[f], f == static_cast<int>(c.fault) ? -1 : 0) << c.args[0];
    }
}

TEST(SimCommandLine, ValuesReachTheSettings)
{
    TSimCommandLine line;
    AnsiString error;
    ASSERT_TRUE(ParseSimCommandLine({"--port", "7", "--cut=4", "--split=5", "--garbage=##", "--wrong-length=-2",
                                     "--unasked=FREQ?", "--slow=1500", "--only-for", "FETC", "--hang-up-after", "30",
                                     "-v", "--dut", "res", "--model", "ZVC"},
                                    line, error))
        << error;
    EXPECT_EQ(line.Port, 7);
    EXPECT_EQ(line.FaultSettings.TruncateTo, 4);
    EXPECT_EQ(line.FaultSettings.SplitPieces, 5);
    EXPECT_EQ(line.FaultSettings.GarbageText, "##");
    EXPECT_EQ(line.FaultSettings.LengthChange, -2);
    EXPECT_EQ(line.FaultSettings.UnaskedQuery, "FREQ?");
    EXPECT_EQ(line.FaultSettings.SlowMs, 1500);
    EXPECT_EQ(line.FaultSettings.OnlyFor, "FETC");
    EXPECT_EQ(line.HangUpAfterSeconds, 30);
    EXPECT_TRUE(line.Verbose);
    EXPECT_EQ(line.Options.Dut, TDutKind::Resistor);
    EXPECT_EQ(line.Options.Model, "ZVC");
    EXPECT_NE(SimUsage().find("--hang-up-after"), AnsiString::npos);
}
