// The panel's rules that need no window: cursor neighbours, typed comparator values, value texts.
#include <gtest/gtest.h>

#include "panel/PanelRules.h"

namespace {

struct TMove {
    int Page, Field, Direction;
    TCursorContext C;
    int Expected; // -1: the selection stays
};

TCursorContext Ctx(bool log, bool dcr, bool mon, bool aux, int bins)
{
    TCursorContext c;
    c.Log = log;
    c.Dcr = dcr;
    c.Mon = mon;
    c.Aux = aux;
    c.Bins = bins;
    return c;
}

const TCursorContext kPlain = Ctx(false, false, false, true, 1);

} // namespace

TEST(CursorNeighbours, EachPageMovesAsItsTableSays)
{
    const TMove moves[] = {
        // MEAS DISPLAY: logging closes the way down from the title and left from the right column.
        {1, 0, cdDown, Ctx(true, false, false, true, 1), -1},
        {1, 0, cdRight, Ctx(true, false, false, true, 1), 4},
        {1, 5, cdLeft, Ctx(true, false, false, true, 1), -1},
        {1, 7, cdLeft, Ctx(true, false, false, true, 1), -1},
        {1, 5, cdLeft, kPlain, 1},
        {1, 1, cdDown, Ctx(false, true, false, true, 1), 0},
        {1, 3, cdDown, kPlain, 0},
        {1, 4, cdRight, kPlain, -1},
        // MEAS SETUP under DCR skips the fields that do not apply.
        {2, 1, cdDown, Ctx(false, true, false, true, 1), 7},
        {2, 7, cdDown, Ctx(false, true, false, true, 1), 0},
        {2, 7, cdUp, Ctx(false, true, false, true, 1), 1},
        {2, 7, cdRight, Ctx(false, false, true, true, 1), 15},
        {2, 7, cdRight, Ctx(false, true, true, true, 1), -1},
        {2, 15, cdDown, kPlain, 8},
        {2, 14, cdDown, kPlain, -1},
        {2, 3, cdRight, kPlain, 11},
        // BIN MEAS
        {4, 0, cdDown, Ctx(true, false, false, true, 1), 8},
        {4, 8, cdUp, Ctx(false, true, false, true, 1), 1},
        {4, 8, cdUp, kPlain, 3},
        {4, 7, cdDown, kPlain, 9},
        {4, 4, cdRight, kPlain, 8},
        // BIN SETUP with one bin, AUX on or off
        {5, 4, cdDown, kPlain, 13},
        {5, 13, cdDown, kPlain, 0},
        {5, 13, cdUp, kPlain, 4},
        {5, 4, cdRight, kPlain, 19},
        {5, 19, cdUp, kPlain, 3},
        {5, 4, cdDown, Ctx(false, false, false, false, 1), 0},
        {5, 4, cdDown, Ctx(false, true, false, true, 1), 0},
        {5, 0, cdRight, kPlain, 16},
        {5, 16, cdLeft, kPlain, 0},
        {5, 17, cdDown, kPlain, 15},
        {5, 19, cdDown, kPlain, 28},
        {5, 5, cdDown, Ctx(false, false, false, true, 3), 6},
        {5, 6, cdDown, Ctx(false, false, false, true, 3), 13},
        // BIN COUNT
        {6, 0, cdDown, kPlain, 1},
        {6, 1, cdDown, kPlain, -1},
        {6, 1, cdLeft, kPlain, -1},
        {6, 1, cdUp, kPlain, 0},
        // The enlarged display has no fields.
        {3, 0, cdDown, kPlain, 0},
    };
    for (const TMove& m : moves)
        EXPECT_EQ(NextCursorField(m.Page, m.Field, m.Direction, m.C), m.Expected)
            << "page " << m.Page << " field " << m.Field << " direction " << m.Direction;
}

namespace {

struct TEntryCase {
    double Typed;
    int Unit, Function, Field, Mode, Page;
    Int64 Value;
    int ExpectedUnit;
};

constexpr int kCsD = 2, kLsQ = 8, kRX = 11, kDcr = 12, kZthr = 13, kZthd = 14;

} // namespace

TEST(CompEntry, TypedValuesTakeTheirUnitsAndLimits)
{
    const TEntryCase cases[] = {
        // capacitance nominal on the setup page, Enter (pF) and the unit keys
        {4700, 1, kCsD, 15, 1, 2, 470000, 2},
        {4700000, 1, kCsD, 15, 1, 2, 470000, 3},
        {2200000000.0, 1, kCsD, 15, 1, 2, 220000, 4},
        {1000000000000.0, 1, kCsD, 15, 1, 2, 99999400, 4},
        {-0.5, 1, kCsD, 15, 1, 2, -50000, 1},
        {2000000, 2, kCsD, 15, 1, 2, 200000000, 3},
        {0.47, 2, kCsD, 15, 1, 2, 47000000, 1},
        {150, 4, kCsD, 15, 1, 2, 10000000, 4},
        {0.2, 4, kCsD, 15, 1, 2, 20000000, 3},
        // inductance: positive values carry, negative do not
        {5000000, 1, kLsQ, 4, 1, 5, 500000, 3},
        {-5000, 1, kLsQ, 4, 1, 5, -500000000, 1},
        {20000000000.0, 1, kLsQ, 4, 1, 5, 1000000, 4},
        {12, 4, kLsQ, 4, 1, 5, 1000000, 4},
        // resistance
        {2200, 1, kRX, 14, 1, 5, 220000, 2},
        {250000000, 1, kRX, 14, 1, 5, 10000000, 3},
        {0.5, 2, kRX, 14, 1, 5, 50000000, 1},
        // DCR nominal and limits
        {5000, 3, kDcr, 14, 1, 5, 500000000, 3},
        {20000, 3, kDcr, 14, 1, 5, 1000000000, 3},
        {5000, 2, kDcr, 14, 1, 5, 500000, 3},
        {2500, 3, kDcr, 4, 1, 5, 250000, 4},
        {12, 4, kDcr, 4, 1, 5, 1000000, 4},
        // PER limits and the secondary limits of the unit-less parameters
        {1500, 1, kCsD, 4, 2, 5, 100000000, 1},
        {-2000, 1, kCsD, 19, 2, 5, -100000000, 1},
        {200, 1, kZthd, 13, 1, 5, 18000000, 1},
        {-4, 1, kZthr, 28, 3, 5, -314159, 1},
        {12, 1, kCsD, 13, 1, 5, 1000000, 1},
        // a Q limit beyond the 32-bit range is held whole
        {100000, 1, kLsQ, 13, 1, 5, 10000000000LL, 1},
    };
    for (const TEntryCase& c : cases) {
        const TCompEntry e = ConvertCompEntry(c.Typed, c.Unit, c.Function, c.Field, c.Mode, c.Page);
        EXPECT_EQ(e.Value, c.Value) << c.Typed << " unit " << c.Unit << " function " << c.Function;
        EXPECT_EQ(e.Unit, c.ExpectedUnit) << c.Typed << " unit " << c.Unit << " function " << c.Function;
    }
}

TEST(CompValueText, DecimalsFollowTheMagnitude)
{
    const struct {
        double V;
        const char* Text;
    } cases[] = {{10, "10.0000"}, {0.5, "0.50000"}, {-12.5, "-12.5000"}, {100000, "100000"}, {0, "0.00000"},
                 {-0.00001, "-0.00001"}, {2000, "2000.00"}, {999.994, "999.994"}, {123456.789, "123457"}};
    for (const auto& c : cases)
        EXPECT_EQ(CompValueText(c.V), c.Text) << c.V;
}
