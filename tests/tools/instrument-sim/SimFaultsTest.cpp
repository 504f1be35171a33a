// How each fault switch shapes a reply, without a line.
#include <gtest/gtest.h>

#include "tools/instrument-sim/SimFaults.h"

namespace {

const AnsiString kReply = "+1.00000e-07,+2.00000e+00";

AnsiString Joined(const std::vector<TSimChunk>& chunks)
{
    AnsiString s;
    for (const auto& c : chunks)
        s += c.Bytes;
    return s;
}

std::vector<TSimChunk> Shape(TSimFault fault, const TSimFaultSettings& settings = {}, const AnsiString& unasked = "")
{
    TSimFaultSwitches sw;
    sw[fault] = -1;
    return ShapeReply("FETC?", kReply, unasked, sw, settings);
}

} // namespace

TEST(SimFaults, NoFaultSendsTheReplyWithOneLf)
{
    TSimFaultSwitches sw;
    auto chunks = ShapeReply("FETC?", kReply, "", sw, {});
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0].Bytes, kReply + "\n");
    EXPECT_EQ(chunks[0].PauseMs, 0);
}

TEST(SimFaults, EachFaultChangesTheBytesAsNamed)
{
    EXPECT_TRUE(Shape(TSimFault::Silence).empty());
    EXPECT_EQ(Joined(Shape(TSimFault::Truncate)), kReply.substr(0, 12));
    EXPECT_EQ(Joined(Shape(TSimFault::Truncate, {.TruncateTo = 5})), "+1.00");
    EXPECT_EQ(Joined(Shape(TSimFault::Garbage)), "#?" + kReply.substr(2) + "\n");
    EXPECT_EQ(Joined(Shape(TSimFault::WrongLength)), kReply + "0\n");
    EXPECT_EQ(Joined(Shape(TSimFault::WrongLength, {.LengthChange = -3})), kReply.substr(0, kReply.size() - 3) + "\n");
    EXPECT_EQ(Joined(Shape(TSimFault::CrLf)), kReply + "\r\n");
    EXPECT_EQ(Joined(Shape(TSimFault::UpperCaseE)), "+1.00000E-07,+2.00000E+00\n");
    EXPECT_EQ(Joined(Shape(TSimFault::UnaskedReply, {}, "Cs-D")), "Cs-D\n" + kReply + "\n");
}

TEST(SimFaults, SplitAndSlowPause)
{
    auto split = Shape(TSimFault::Split, {.SplitPieces = 3, .SplitPauseMs = 40});
    ASSERT_EQ(split.size(), 3u);
    EXPECT_EQ(split[0].PauseMs, 0);
    EXPECT_EQ(split[1].PauseMs, 40);
    EXPECT_EQ(split[2].PauseMs, 40);
    EXPECT_EQ(Joined(split), kReply + "\n");
    EXPECT_EQ(split[2].Bytes.back(), '\n');

    auto slow = Shape(TSimFault::Slow, {.SlowMs = 250});
    ASSERT_EQ(slow.size(), 1u);
    EXPECT_EQ(slow[0].PauseMs, 250);
}

TEST(SimFaults, CountedFaultsRunOutAndOnlyForSelectsQueries)
{
    TSimFaultSwitches sw;
    sw[TSimFault::Silence] = 2;
    TSimFaultSettings only{.OnlyFor = "fetc"};
    EXPECT_FALSE(ShapeReply("FUNC?", "Cs-D", "", sw, only).empty());  // not a fetch: untouched, not counted
    EXPECT_TRUE(ShapeReply(":FETC:IMP?", kReply, "", sw, only).empty());
    EXPECT_TRUE(ShapeReply("FETC?", kReply, "", sw, only).empty());
    EXPECT_FALSE(ShapeReply("FETC?", kReply, "", sw, only).empty());
    EXPECT_FALSE(sw.Any());
}
