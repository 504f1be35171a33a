#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "platform/chart/Chart.h"
#include "platform/forms/Form.h"
#include "platform/forms/Render.h"
#include "platform/graphics/Bitmap.h"
#include "tests/support/TestOutput.h"

namespace {

struct ChartFixture : ::testing::Test {
    TChart chart{nullptr};
    ChartFixture()
    {
        for (int i = 0; i < 8; ++i)
            chart.AddLineSeries();
    }
};

// The colour of pixel (x, y) of a bitmap.
TColor PixelAt(TBitmap& b, int x, int y)
{
    const auto* row = static_cast<const unsigned char*>(b.ScanLine(y)) + 4 * x;
    return RGB(row[2], row[1], row[0]);
}

int CountNear(TBitmap& b, TColor c)
{
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const TColor p = PixelAt(b, x, y);
            if (std::abs(GetRValue(p) - GetRValue(c)) < 40 && std::abs(GetGValue(p) - GetGValue(c)) < 40 &&
                std::abs(GetBValue(p) - GetBValue(c)) < 40)
                ++n;
        }
    return n;
}

} // namespace

TEST_F(ChartFixture, SeriesKeepTheirOrderXAscendingAndTheirExtremes)
{
    TChartSeries* s = chart.Series(3);
    EXPECT_EQ(chart.SeriesCount(), 8);
    EXPECT_EQ(s->MaxYValue(), 0); // empty
    EXPECT_EQ(s->MinYValue(), 0);
    const double xs[] = {5, 1, 3, 3, 9}, ys[] = {50, -10, 30, 31, 90};
    for (int i = 0; i < 5; ++i)
        s->AddXY(xs[i], ys[i], "", clRed);
    ASSERT_EQ(s->Count(), 5);
    const double wantX[] = {1, 3, 3, 5, 9}, wantY[] = {-10, 30, 31, 50, 90};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(s->XValue(i), wantX[i]) << i;
        EXPECT_EQ(s->YValue(i), wantY[i]) << i; // an equal x goes after the earlier one
    }
    EXPECT_EQ(s->MaxYValue(), 90);
    EXPECT_EQ(s->MinYValue(), -10);
    EXPECT_EQ(chart.Series(2)->Count(), 0); // the others untouched

    s->SetActive(false);
    EXPECT_EQ(s->Count(), 5); // hidden, points kept
    s->Clear();
    EXPECT_EQ(s->Count(), 0);
    EXPECT_EQ(s->MaxYValue(), 0);
    EXPECT_THROW(chart.Series(8), EChartException);
}

TEST_F(ChartFixture, AutomaticAxesFollowTheDataOfTheirOwnSeries)
{
    TCustomChartAxis* left = chart.LeftAxis();
    left->SetMinMax(0, 999.999);
    EXPECT_EQ(left->Minimum(), 0); // no data: the range set
    EXPECT_EQ(left->Maximum(), 999.999);

    chart.Series(0)->AddXY(1, 3.2, "", clBlue);
    chart.Series(0)->AddXY(200, 96.5, "", clBlue);
    chart.Series(1)->AddXY(50, 5000, "", clGreen);
    chart.Series(1)->SetVertAxis(aRightAxis);     // on the other axis
    chart.Series(2)->AddXY(300, -4000, "", clRed);
    chart.Series(2)->SetActive(false);            // hidden
    EXPECT_LE(left->Minimum(), 3.2);
    EXPECT_GE(left->Maximum(), 96.5);
    EXPECT_GE(left->Minimum(), 0);
    EXPECT_LE(left->Maximum(), 100);
    EXPECT_GE(chart.RightAxis()->Maximum(), 5000);
    EXPECT_LE(chart.BottomAxis()->Minimum(), 1);
    EXPECT_GE(chart.BottomAxis()->Maximum(), 200);
    EXPECT_LT(chart.BottomAxis()->Maximum(), 300); // the hidden series counts not

    // A single value still gives a range around it.
    chart.Series(0)->Clear();
    chart.Series(0)->AddXY(1, 7, "", clBlue);
    EXPECT_LT(left->Minimum(), 7);
    EXPECT_GT(left->Maximum(), 7);
}

TEST_F(ChartFixture, AutomaticVerticalRangeKeepsTracesOffItsEdges)
{
    struct Case {
        double Lo, Hi;            // the data
        double WantMin, WantMax;  // the automatic range
    } cases[] = {
        {0, 100, 0, 120},      // a round maximum gets a step more; zero stays the bottom
        {0, 796, 0, 1000},     // within 2% of the round end
        {3.2, 96.5, 0, 100},   // far enough from both ends: unchanged
        {20, 80, 0, 100},      // both ends round
        {-40, -10, -50, 0},
        {-30, 0, -40, 0},      // zero stays the top
    };
    for (const Case& c : cases) {
        chart.Series(0)->Clear();
        chart.Series(0)->AddXY(1, c.Lo, "", clBlue);
        chart.Series(0)->AddXY(2, c.Hi, "", clBlue);
        EXPECT_DOUBLE_EQ(chart.LeftAxis()->Minimum(), c.WantMin) << c.Lo << ".." << c.Hi;
        EXPECT_DOUBLE_EQ(chart.LeftAxis()->Maximum(), c.WantMax) << c.Lo << ".." << c.Hi;
    }
    // The bottom axis spans the sweep from end to end.
    EXPECT_EQ(chart.BottomAxis()->Minimum(), 1);
    EXPECT_EQ(chart.BottomAxis()->Maximum(), 2);
}

TEST_F(ChartFixture, FixedAxisKeepsItsRangeAndRefusesACrossedOne)
{
    TCustomChartAxis* left = chart.LeftAxis();
    chart.Series(0)->AddXY(1, 10, "", clBlue);
    chart.Series(0)->AddXY(2, 20, "", clBlue);
    const double autoMin = left->Minimum(), autoMax = left->Maximum();
    left->SetAutomatic(false);
    EXPECT_EQ(left->Minimum(), autoMin); // switching off keeps the range shown
    EXPECT_EQ(left->Maximum(), autoMax);
    chart.Series(0)->AddXY(3, 5000, "", clBlue);
    EXPECT_EQ(left->Maximum(), autoMax); // fixed: data no longer moves it

    struct Case {
        double Min, Max;
        bool SetMinFirst;
        const char* Error; // nullptr: accepted
    } cases[] = {
        {0, 3.142, false, nullptr},
        {-5, -5, true, nullptr}, // equal ends pass
        {10, 5, false, "Axis Minimum Value must be <= Maximum"},
        {10, 5, true, "Axis Maximum Value must be >= Minimum"},
    };
    for (const Case& c : cases) {
        left->SetMinMax(-100, 100);
        try {
            if (c.SetMinFirst) {
                left->SetMinimum(c.Min);
                left->SetMaximum(c.Max);
            } else {
                left->SetMaximum(c.Max);
                left->SetMinimum(c.Min);
            }
            EXPECT_EQ(c.Error, nullptr) << c.Min << " " << c.Max;
            EXPECT_EQ(left->Minimum(), c.Min);
            EXPECT_EQ(left->Maximum(), c.Max);
        } catch (const EChartException& e) {
            ASSERT_NE(c.Error, nullptr) << c.Min << " " << c.Max;
            EXPECT_EQ(e.Message(), c.Error);
        }
    }
    left->SetAutomatic(true);
    EXPECT_GE(left->Maximum(), 5000); // back to the data
}

TEST_F(ChartFixture, LogarithmicBottomAxisSpansWholeDecadesOfThePositiveValues)
{
    TCustomChartAxis* bottom = chart.BottomAxis();
    chart.Series(0)->AddXY(0.05, 1, "", clBlue);
    chart.Series(0)->AddXY(0, 1, "", clBlue); // not drawable on a log axis
    chart.Series(0)->AddXY(300, 2, "", clBlue);
    EXPECT_EQ(bottom->Minimum(), 0);
    bottom->SetLogarithmic(true);
    EXPECT_NEAR(bottom->Minimum(), 0.01, 1e-12);
    EXPECT_NEAR(bottom->Maximum(), 1000, 1e-9);
    EXPECT_EQ(chart.Series(0)->Count(), 3); // the data is kept as it is
}

TEST_F(ChartFixture, SavedBitmapHasTheChartsSizeAndShowsItsLines)
{
    chart.SetBounds(0, 0, 320, 200);
    chart.SetTitle("Test");
    TLineSeries* s = chart.LineSeries(0);
    s->SetLineWidth(3);
    for (int i = 0; i <= 10; ++i)
        s->AddXY(i, i % 2 ? 10 : 0, "", clRed);
    const std::string path = TestOutputPath("chart_save.bmp");
    std::remove(path.c_str());
    chart.SaveToBitmapFile(path);

    TBitmap back;
    back.LoadFromFile(path);
    ASSERT_EQ(back.Width(), 320);
    ASSERT_EQ(back.Height(), 200);
    EXPECT_EQ(PixelAt(back, 1, 1), clBlack);       // the chart's background
    EXPECT_GT(CountNear(back, clRed), 300);        // a zig-zag of a 3-pixel line
    EXPECT_GT(CountNear(back, clWhite), 200);      // axes, grid, labels

    // Hidden: the line is gone from the picture.
    s->SetActive(false);
    chart.SaveToBitmapFile(path);
    back.LoadFromFile(path);
    EXPECT_EQ(CountNear(back, clRed), 0);
}

TEST_F(ChartFixture, BitmapThatCannotBeWrittenRaisesTheError)
{
    chart.SetBounds(0, 0, 100, 80);
    EXPECT_THROW(chart.SaveToBitmapFile(TestOutputPath("no-such-folder/x.bmp")), Exception);
}

TEST_F(ChartFixture, ChartOnAFormRendersAsOnScreen)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 420, 300);
    TChart* c = new TChart(&form);
    c->SetParent(&form);
    c->SetBounds(10, 10, 400, 280);
    c->SetTitle("Sweep Graph");
    const TColor colors[] = {clBlue, clGreen, clRed};
    for (int k = 0; k < 3; ++k) {
        TLineSeries* s = c->AddLineSeries();
        s->SetLineWidth(3 - k);
        for (int i = 1; i <= 50; ++i)
            s->AddXY(i * 4, (k + 1) * 100.0 * i / 50 + 20 * std::sin(i / 4.0), "", colors[k]);
    }
    c->BottomAxis()->SetLogarithmic(true);
    c->Repaint();
    TBitmap b;
    RenderControl(&form, &b);
    EXPECT_GT(CountNear(b, clBlue), 50);
    EXPECT_GT(CountNear(b, clRed), 50);
    EXPECT_TRUE(SaveControlToPng(&form, TestOutputPath("chart_on_form.png")));
}
