#include <cstring>

#include <gtest/gtest.h>

#include "baselib/sl_crc.h"

using namespace TBinFileFuncs;

namespace {
const char* const kCheck = "123456789";
}

TEST(Crc, PublishedCheckValues)
{
    TCRC32 c32(0xFFFFFFFFu);
    EXPECT_EQ(~c32.Check(kCheck, 9), 0xCBF43926u);
    EXPECT_EQ(TCRC32(0xFFFFFFFFu).Check(kCheck, 9), 0x340BC6D9u);
    EXPECT_EQ(TCRC32(0).Check(kCheck, 9), 0x2DFD2D88u);
    EXPECT_EQ(TCRC16(0xFFFF).Check(kCheck, 9), 0x29B1);
    EXPECT_EQ(TCRC16(0).Check(kCheck, 9), 0x31C3);
    EXPECT_EQ(TCRC8(0).Check(kCheck, 9), 0x37);
    EXPECT_EQ(TCRC8(0xFF).Check(kCheck, 9), 0xB4);
    EXPECT_EQ(static_cast<std::uint8_t>(~TCRC8(0xFF).Check(kCheck, 9)), 0x4B);

    struct Case16 { void (*Fn)(std::uint16_t&, const void*, int); std::uint16_t Init, Expected; };
    const Case16 c16[] = {
        {_Crc16, 0, 0xFEE8}, {_Crc16, 0xFFFF, 0xAEE7}, {_CrcCcitt16, 0xFFFF, 0x29B1}, {_CrcCcitt16, 0, 0x31C3},
    };
    for (const Case16& c : c16) {
        std::uint16_t v = c.Init;
        c.Fn(v, kCheck, 9);
        EXPECT_EQ(v, c.Expected);
    }
    struct Case32 { void (*Fn)(std::uint32_t&, const void*, int); bool Complement; std::uint32_t Expected; };
    const Case32 c32s[] = {
        {_Crc32, false, 0x0376E6E7u}, {_Crc32, true, 0xFC891918u},
        {_CrcCcitt32, true, 0xCBF43926u}, {_CrcCcitt32, false, 0x340BC6D9u},
    };
    for (const Case32& c : c32s) {
        std::uint32_t v = 0xFFFFFFFFu;
        c.Fn(v, kCheck, 9);
        EXPECT_EQ(c.Complement ? ~v : v, c.Expected);
    }
    for (std::uint8_t init : {0x00, 0xFF}) {
        std::uint8_t v = init;
        _Crc8(v, kCheck, 9);
        EXPECT_EQ(v, TCRC8(init).Check(kCheck, 9));
    }
}

TEST(Crc, RunningValueAndEmptyBlocks)
{
    TCRC32 whole(0xFFFFFFFFu), parts(0xFFFFFFFFu);
    whole.Check(kCheck, 9);
    parts.Check(kCheck, 5);
    EXPECT_EQ(parts.Check(kCheck + 5, 4), whole.Value);
    EXPECT_EQ(parts.Check(kCheck, 0), whole.Value);
    EXPECT_EQ(parts.Initial, 0xFFFFFFFFu);

    TCRC16 w16(0xFFFF), p16(0xFFFF);
    w16.Check(kCheck, 9);
    p16.Check(kCheck, 5);
    EXPECT_EQ(p16.Check(kCheck + 5, 4), w16.Value);

    std::uint32_t v = 123;
    _Crc32(v, kCheck, 0);
    _Crc32(v, kCheck, -4);
    EXPECT_EQ(v, 123u);
    std::uint16_t b = 0;
    for (int i = 0; i < 9; ++i)
        _Crc16(b, static_cast<std::uint8_t>(kCheck[i]));
    EXPECT_EQ(b, 0xFEE8);
}
