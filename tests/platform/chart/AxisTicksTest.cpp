// The ticks a chart axis chooses: 1-2-5 steps, labels that fit, on linear and logarithmic axes.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "platform/chart/AxisTicks.h"
#include "platform/chart/Chart.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/PngData.h"
#include "tests/support/TestOutput.h"

namespace {

// A label 7 pixels a character wide on a horizontal axis; 12 pixels high on a vertical one.
int Wide(const AnsiString& s) { return 7 * static_cast<int>(s.size()); }
int High(const AnsiString&) { return 12; }

std::string Joined(const std::vector<AnsiString>& v)
{
    std::string s;
    for (const AnsiString& t : v)
        s += (s.empty() ? "" : " ") + t;
    return s;
}

} // namespace

TEST(AxisTicks, ChoosesReadableStepsThatFitTheAxis)
{
    struct Case {
        double Lo, Hi;
        bool Log;
        int Length;
        bool Vertical;
        const char* Want;
    } cases[] = {
        {1, 100, false, 800, false, "10 20 30 40 50 60 70 80 90 100"}, // not a line per unit
        {0, 200, false, 800, false, "0 50 100 150 200"},                 // at most ten labels
        {0, 200, false, 100, false, "0 100 200"},                        // a short axis: fewer
        {0, 200, false, 40, false, "0"},                                 // too short for two
        {0, 999.999, false, 300, true, "0 100 200 300 400 500 600 700 800 900"},
        {0, 9999.999, false, 100, true, "0 5000"},
        {0, 0.01, false, 800, false, "0.000 0.002 0.004 0.006 0.008 0.010"},
        {-40, -10, false, 400, true, "-40 -35 -30 -25 -20 -15 -10"},
        {-1, 1, false, 400, false, "-1.0 -0.5 0.0 0.5 1.0"},
        {0.999, 1.001, false, 800, false, "0.9990 0.9995 1.0000 1.0005 1.0010"},
        {1, 100, true, 800, false, "1 2 5 10 20 50 100"},                // 1-2-5 of each decade
        {1, 100, true, 150, false, "1 10 100"},                          // decades only
        {0.01, 1000, true, 800, false, "0.01 0.1 1 10 100 1000"},
        {1, 1e9, true, 300, false, "1 10000 100000000"},                 // every fourth decade
        {20, 90, true, 800, false, "20 30 40 50 60 70 80 90"},           // within a decade: linear
        {20, 90, true, 120, false, "20 50"},                             // 1-2-5 of the decade
        {1e-5, 1e-2, true, 300, false, "1E-5 0.0001 0.001 0.01"},
        {0, 100, true, 800, false, "0 20 40 60 80 100"},                 // no positive start: linear
        {5, 5, false, 800, false, "5"},
    };
    for (const Case& c : cases) {
        const TAxisTicks t = ChooseAxisTicks(c.Lo, c.Hi, c.Log, c.Length, c.Vertical ? High : Wide);
        EXPECT_EQ(Joined(t.Labels), c.Want) << c.Lo << ".." << c.Hi << (c.Log ? " log" : "") << " over " << c.Length;
        ASSERT_EQ(t.Values.size(), t.Labels.size());
        for (double v : t.Values) {
            EXPECT_GE(v, c.Lo - 1e-12);
            EXPECT_LE(v, c.Hi + 1e-12);
        }
    }
}

// Over many ranges and lengths no two labels touch, there are never more than ten, and
// linear steps are 1, 2 or 5 times a power of ten.
TEST(AxisTicks, LabelsNeverCrowdAndStepsAreOneTwoFive)
{
    const double ends[][2] = {{0, 1}, {1, 100}, {0, 200}, {3.2, 96.5}, {-0.003, 0.05}, {0, 9999.999}, {100, 300000},
        {0.0001, 2}, {1e3, 3e5}, {0.5, 0.51}, {-1e6, 1e6}};
    for (const auto& e : ends)
        for (const bool log : {false, true})
            for (const int length : {60, 150, 300, 876, 2400}) {
                const TAxisTicks t = ChooseAxisTicks(e[0], e[1], log, length, Wide);
                const std::string name = std::to_string(e[0]) + ".." + std::to_string(e[1]) + (log ? " log " : " ")
                    + std::to_string(length);
                ASSERT_FALSE(t.Values.empty()) << name;
                EXPECT_LE(t.Values.size(), 10u) << name;
                const bool logScale = log && e[0] > 0;
                const auto at = [&](double v) {
                    return logScale ? length * std::log10(v / e[0]) / std::log10(e[1] / e[0])
                                    : length * (v - e[0]) / (e[1] - e[0]);
                };
                for (size_t i = 1; i < t.Values.size(); ++i) {
                    const double room = at(t.Values[i]) - at(t.Values[i - 1]);
                    EXPECT_GE(room, (Wide(t.Labels[i]) + Wide(t.Labels[i - 1])) / 2.0) << name << " " << t.Labels[i];
                    EXPECT_NE(t.Labels[i], t.Labels[i - 1]) << name;
                }
                if (!logScale && t.Values.size() > 1) {
                    const double step = t.Values[1] - t.Values[0];
                    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
                    EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-6 || std::fabs(mantissa - 2) < 1e-6
                                || std::fabs(mantissa - 5) < 1e-6)
                        << name << " step " << step;
                }
            }
}

// The screen chart, a saved bitmap and a larger rendering (the report's) each choose their
// ticks for the size they are drawn at; the pictures are for people to look at.
TEST(AxisTicks, ChartsDrawTheirChosenTicksAtEverySize)
{
    struct Case {
        const char* Name;
        double Lo, Hi;
        bool Log;
    } cases[] = {
        {"linear_1_100", 1, 100, false},
        {"log_1_100", 1, 100, true},
        {"log_0.01_300", 0.01, 300, true},
        {"log_20_90", 20, 90, true},
        {"linear_level_0.01_2", 0.01, 2, false},
    };
    for (const Case& c : cases) {
        TChart chart(nullptr);
        TLineSeries* s = chart.AddLineSeries();
        for (int i = 0; i <= 100; ++i) {
            const double x = c.Log ? c.Lo * std::pow(c.Hi / c.Lo, i / 100.0) : c.Lo + (c.Hi - c.Lo) * i / 100;
            s->AddXY(x, 500 + 400 * std::sin(i / 10.0), "", clRed);
        }
        chart.SetTitle("Sweep Graph");
        chart.BottomAxis()->SetAutomatic(false);
        chart.BottomAxis()->SetMinMax(c.Lo, c.Hi);
        chart.BottomAxis()->SetLogarithmic(c.Log);
        chart.LeftAxis()->SetAutomatic(false);
        chart.LeftAxis()->SetMinMax(0, 999.999);
        TBitmap sheet;
        sheet.SetSize(876 + 300 + 1600 / 2, 900);
        sheet.Canvas()->Brush()->SetColor(clGray);
        sheet.Canvas()->FillRect(TRect(0, 0, sheet.Width(), sheet.Height()));
        const struct { int W, H, X, Y; } sizes[] = {{876, 380, 0, 0}, {300, 200, 876, 0}, {1600, 1000, 0, 380}};
        for (const auto& z : sizes) {
            TBitmap b;
            chart.DrawToBitmap(&b, z.W, z.H);
            EXPECT_EQ(b.Width(), z.W);
            if (z.W > 1000) { // the report's size, shown at half
                sheet.Canvas()->StretchDraw(TRect(z.X, z.Y, z.X + z.W / 2, z.Y + z.H / 2), &b);
            } else {
                sheet.Canvas()->Draw(z.X, z.Y, &b);
            }
        }
        const std::vector<Byte> png = GraphicToPng(&sheet);
        std::ofstream(TestOutputPath(std::string("axis_ticks_") + c.Name + ".png"), std::ios::binary)
            .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    }
}
