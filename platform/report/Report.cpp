#include "platform/report/Report.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "platform/chart/ChartImpl_p.h"
#include "platform/core/DateTime.h"
#include "platform/forms/ModalScript.h"
#include "platform/graphics/QtGraphics_p.h"

using namespace zvqt;

namespace {
// The page is laid out in units of 1/96 inch, the screen's, so that the chart is drawn
// as it is on the screen whatever the printer's resolution.
constexpr double UnitsPerMm = 96 / 25.4;
// The chart is drawn into a picture this many times finer than a screen pixel.
constexpr int ChartDetail = 3;
} // namespace

struct TReport::Impl {
    // Draws the page on Painter, whose device is PageWidthPx wide at Dpi.
    static void PaintPage(const TReport* r, QPainter* p, double Dpi)
    {
        p->save();
        p->scale(Dpi / 96.0, Dpi / 96.0);
        const bool land = r->FOrientation == roLandscape;
        const double pageW = (land ? 297 : 210) * UnitsPerMm, pageH = (land ? 210 : 297) * UnitsPerMm;
        const double m = r->FMargin * UnitsPerMm;
        p->fillRect(QRectF(0, 0, pageW, pageH), Qt::white);
        p->translate(m, m);
        const double w = pageW - 2 * m, h = pageH - 2 * m;
        p->setPen(Qt::black);
        auto text = [&](const AnsiString& s, double left, double top, int pt) {
            QFont f(ToQString(r->FFontName));
            f.setPixelSize(static_cast<int>(pt * 96.0 / 72.0 + 0.5));
            p->setFont(f);
            p->drawText(QPointF(left * UnitsPerMm, top * UnitsPerMm + QFontMetricsF(f).ascent()), ToQString(s));
        };
        for (const auto& l : r->FLabels)
            text(l->Caption, l->Left, l->Top, l->FontSize);
        const AnsiString date = PrintDateText();
        for (const auto& d : r->FDates)
            text(date, d->Left, d->Top, d->FontSize);
        p->drawLine(QPointF(0, r->FBandHeight * UnitsPerMm), QPointF(w, r->FBandHeight * UnitsPerMm));
        for (const TReportChart* c : r->FCharts) {
            const double top = c->Top * UnitsPerMm;
            const QRectF target(0, top, w, h - top);
            QImage img(static_cast<int>(target.width() * ChartDetail), static_cast<int>(target.height() * ChartDetail),
                QImage::Format_RGB32);
            img.fill(Qt::white);
            {
                QPainter ip(&img);
                ip.setRenderHint(QPainter::Antialiasing);
                ip.scale(ChartDetail, ChartDetail);
                zvchart::ChartImplOf(c->Chart())->Render(&ip, QRectF(0, 0, target.width(), target.height()));
            }
            p->drawImage(target, img);
        }
        p->restore();
    }

    static void SetUp(const TReport* r, QPrinter& pr)
    {
        pr.setPageSize(QPageSize(QPageSize::A4));
        pr.setPageOrientation(r->FOrientation == roLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        pr.setFullPage(true);
        pr.setDocName("Report");
    }

    static void Print(const TReport* r, QPrinter& pr)
    {
        QPainter p;
        if (!p.begin(&pr))
            throw EPrinter("Printer selected is not valid");
        PaintPage(r, &p, pr.resolution());
        p.end();
    }
};

TReportChart::TReportChart(TComponent* AOwner) : TComponent(AOwner), FChart(new TReportInnerChart(this)) {}

TReport::TReport(TComponent* AOwner) : TComponent(AOwner) {}
TReport::~TReport() = default;

TReportLabel* TReport::AddLabel(const AnsiString& Caption, double Left, double Top, int FontSize)
{
    FLabels.push_back(std::make_unique<TReportLabel>(TReportLabel{Caption, Left, Top, FontSize}));
    return FLabels.back().get();
}

TReportSysData* TReport::AddPrintDate(double Left, double Top, int FontSize)
{
    FDates.push_back(std::make_unique<TReportSysData>(TReportSysData{Left, Top, FontSize}));
    return FDates.back().get();
}

TReportChart* TReport::AddChart(double Top)
{
    auto* c = new TReportChart(this);
    c->Top = Top;
    FCharts.push_back(c);
    return c;
}

AnsiString TReport::PrintDateText() { return DateTimeToStr(Now()); }

void TReport::Preview()
{
    if (FPreviewing)
        return;
    FPreviewing = true;
    struct Reset {
        bool& f;
        ~Reset() { f = false; }
    } reset{FPreviewing};
    TModalRequest req;
    req.Kind = TModalKind::Preview;
    req.Caption = "Print Preview";
    TModalAnswer cancel;
    TModalAnswer ans = ModalScript::Run(
        req,
        [this] {
            QPrinter pr(QPrinter::HighResolution);
            Impl::SetUp(this, pr);
            QPrintPreviewDialog dlg(&pr);
            dlg.setWindowTitle("Print Preview");
            QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg, [this](QPrinter* p) {
                QPainter painter(p);
                Impl::PaintPage(this, &painter, p->resolution());
            });
            dlg.exec(); // a nested loop: timers and serial events go on meanwhile
            return TModalAnswer{};
        },
        cancel);
    if (ans.Action)
        ans.Action(nullptr); // a test acts while the preview "shows"
}

void TReport::Print()
{
    QPrinter pr(QPrinter::HighResolution);
    Impl::SetUp(this, pr);
    QPrintDialog dlg(&pr);
    if (dlg.exec() != QDialog::Accepted)
        return;
    Impl::Print(this, pr);
}

void TReport::PrintToPdf(const AnsiString& FileName)
{
    QPrinter pr(QPrinter::HighResolution);
    pr.setResolution(300);
    Impl::SetUp(this, pr);
    pr.setOutputFormat(QPrinter::PdfFormat);
    pr.setOutputFileName(ToQString(FileName));
    Impl::Print(this, pr);
}

void TReport::RenderPage(TBitmap* Bitmap, int Dpi)
{
    const bool land = FOrientation == roLandscape;
    const int w = static_cast<int>((land ? 297 : 210) / 25.4 * Dpi), h = static_cast<int>((land ? 210 : 297) / 25.4 * Dpi);
    Bitmap->SetSize(w, h);
    QImage& img = BitmapImage(Bitmap);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        Impl::PaintPage(this, &p, Dpi);
    }
    Bitmap->Changed();
}
