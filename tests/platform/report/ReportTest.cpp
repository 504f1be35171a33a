#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <cstdio>
#include <fstream>
#include <thread>

#include "platform/core/Synchronize.h"
#include "platform/forms/ModalScript.h"
#include "platform/forms/Timer.h"
#include "platform/graphics/Bitmap.h"
#include "platform/report/Report.h"
#include "tests/support/TestOutput.h"

namespace {

// The report laid out as the sweep graph lays it out.
struct ReportFixture : ::testing::Test {
    TReport report{nullptr};
    TReportChart* chart = nullptr;
    ReportFixture()
    {
        report.AddLabel("Graph Report", 120, 2, 14);
        report.AddLabel("Print Date :", 200, 10, 10);
        report.AddPrintDate(225, 10, 10);
        chart = report.AddChart(22);
        TReportInnerChart* c = chart->Chart();
        c->SetTitle("Sweep Graph");
        TLineSeries* s = c->AddLineSeries();
        s->SetLineWidth(3);
        for (int i = 1; i <= 100; ++i)
            s->AddXY(i * 2, 500 + 400 * ((i % 20) - 10) / 10.0, "", clBlue);
    }
};

} // namespace

TEST_F(ReportFixture, PrintsToAPdfFile)
{
    const std::string path = TestOutputPath("report.pdf");
    std::remove(path.c_str());
    report.PrintToPdf(path);
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in.good());
    std::string head(5, '\0');
    in.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
    in.seekg(0, std::ios::end);
    EXPECT_GT(in.tellg(), 10000); // the chart's picture is in it

    EXPECT_THROW(report.PrintToPdf(TestOutputPath("no-such-folder/r.pdf")), EPrinter);
}

TEST_F(ReportFixture, PageShowsTheTitleBandAboveTheChart)
{
    TBitmap page;
    report.RenderPage(&page, 96);
    ASSERT_EQ(page.Width(), 1122); // A4 landscape
    ASSERT_EQ(page.Height(), 793);
    auto dark = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y) {
            const auto* row = static_cast<const unsigned char*>(page.ScanLine(y));
            for (int x = x0; x < x1; ++x)
                n += row[4 * x] < 60 && row[4 * x + 1] < 60 && row[4 * x + 2] < 60;
        }
        return n;
    };
    const double px = 96 / 25.4;
    // "Graph Report" in the band, white where no label is, the black chart below.
    EXPECT_GT(dark(int(125 * px), int(7 * px), int(165 * px), int(14 * px)), 50);
    EXPECT_EQ(dark(int(10 * px), int(7 * px), int(100 * px), int(14 * px)), 0);
    EXPECT_GT(dark(int(20 * px), int(40 * px), int(280 * px), int(180 * px)), 100000);
    const std::string bmp = TestOutputPath("report_page.bmp");
    page.SaveToFile(bmp);
    QImage(QString::fromStdString(bmp)).save(QString::fromStdString(TestOutputPath("report_page.png")));
}

TEST_F(ReportFixture, SecondPreviewWhileOneShowsOpensNothing)
{
    ModalScript::ClearLog();
    int shownWhileOpen = -1;
    TModalAnswer a;
    a.Action = [&](TCustomForm*) {
        EXPECT_TRUE(report.Previewing());
        report.Preview(); // a second click
        shownWhileOpen = static_cast<int>(ModalScript::Log().size());
    };
    ModalScript::Answer(a);
    report.Preview();
    EXPECT_EQ(shownWhileOpen, 1);
    ASSERT_EQ(ModalScript::Log().size(), 1u);
    EXPECT_EQ(ModalScript::Log()[0].Kind, TModalKind::Preview);
    EXPECT_FALSE(report.Previewing());

    ModalScript::AnswerCancel();
    report.Preview(); // closed: a new request opens one again
    EXPECT_EQ(ModalScript::Log().size(), 2u);
}

TEST_F(ReportFixture, TimersAndSerialDeliveriesRunWhileThePreviewShows)
{
    // The real preview window this time, closed by a timer of the test once both have run
    // inside it: the timer's ticks, and a call a worker thread hands over as the serial
    // line hands over its events.
    const bool strict = ModalScript::Strict();
    ModalScript::SetStrict(false);
    int ticks = 0, ticksWhilePreviewing = 0;
    bool delivered = false, deliveredWhilePreviewing = false;
    std::thread line;
    TTimer timer(nullptr);
    timer.SetInterval(10);
    timer.OnTimer = [&](TObject*) {
        ++ticks;
        ticksWhilePreviewing += report.Previewing();
        if (ticks == 1)
            line = std::thread([&] {
                Synchronize([&] {
                    delivered = true;
                    deliveredWhilePreviewing = report.Previewing();
                });
            });
        if ((delivered && ticks >= 3) || ticks >= 500) // the user closes the window
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && qobject_cast<QDialog*>(w))
                    w->close();
    };
    timer.SetEnabled(true);
    report.Preview();
    timer.SetEnabled(false);
    while (line.joinable() && !delivered)
        CheckSynchronize(10);
    if (line.joinable())
        line.join();
    ModalScript::SetStrict(strict);

    EXPECT_TRUE(deliveredWhilePreviewing);
    EXPECT_GE(ticksWhilePreviewing, 3);
    EXPECT_EQ(ticksWhilePreviewing, ticks); // no tick came before the window or after it
    EXPECT_LT(ticks, 500);                  // closed as soon as both had run
    EXPECT_FALSE(report.Previewing());
}
