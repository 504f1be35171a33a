// The Qt Charts side of TCustomChart: the scene kept in sync with the series and axes,
// the window that shows it, and drawing into bitmaps.
#include <QGraphicsLayout>
#include <QFontMetrics>
#include <QGraphicsView>
#include <QPaintEvent>
#include <cmath>

#include "platform/chart/AxisTicks.h"
#include "platform/chart/ChartImpl_p.h"
#include "platform/forms/FormsImpl_p.h"
#include "platform/graphics/Bitmap.h"

using namespace zvqt;
using namespace zvforms;

namespace {

QColor Rgb(TColor c) { return ToQColor(c == clNone ? clWhite : c); }

void StyleAxis(QAbstractAxis* a, const TCustomAxisPanel* p)
{
    const QColor fg = Rgb(p->AxisColor());
    a->setLinePenColor(fg);
    a->setLabelsColor(fg);
    QColor grid = fg;
    grid.setAlpha(90);
    a->setGridLineColor(grid);
    QColor minor = fg;
    minor.setAlpha(40);
    a->setMinorGridLineColor(minor);
    QFont f = a->labelsFont();
    f.setPointSize(8);
    a->setLabelsFont(f);
}

// A range Qt can draw: low below high.
void Drawable(double& Lo, double& Hi, bool Log)
{
    if (Log) {
        if (!(Lo > 0))
            Lo = Hi > 0 ? Hi / 10 : 1;
        if (!(Hi > Lo))
            Hi = Lo * 10;
    } else if (!(Hi > Lo)) {
        Hi = Lo + 1;
    }
}

// The chart's window: shows the scene, copying the chart's state in first.
class ChartWidget : public NativeWidget<QGraphicsView> {
public:
    ChartWidget(TCustomChart* c, QWidget* parent) : NativeWidget<QGraphicsView>(c, parent), chart(c)
    {
        setScene(&zvchart::ChartImplOf(c)->scene);
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setRenderHint(QPainter::Antialiasing);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent* e) override
    {
        if (ctl)
            zvchart::ChartImplOf(chart)->Sync();
        NativeWidget<QGraphicsView>::paintEvent(e);
    }
    void resizeEvent(QResizeEvent* e) override
    {
        QGraphicsView::resizeEvent(e);
        if (ctl) {
            zvchart::ChartImplOf(chart)->chart->setGeometry(0, 0, width(), height());
            zvchart::ChartImplOf(chart)->ApplyTicks();
            setSceneRect(0, 0, width(), height());
        }
    }

private:
    TCustomChart* chart;
};

} // namespace

TCustomChart::ChartImpl::ChartImpl(TCustomChart* o) : owner(o)
{
    chart = new QChart();
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 12, 4));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    scene.addItem(chart);
    left = new QCategoryAxis();
    right = new QCategoryAxis();
    bottom = new QCategoryAxis();
    chart->addAxis(left, Qt::AlignLeft);
    chart->addAxis(right, Qt::AlignRight);
    chart->addAxis(bottom, Qt::AlignBottom);
    for (QCategoryAxis* a : {left, right, bottom})
        a->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
}

void TCustomChart::ChartImpl::Sync()
{
    const TCustomChart* c = owner;
    if (revision == c->ChartRevision())
        return;
    revision = c->ChartRevision();

    chart->setBackgroundBrush(Rgb(c->BackColor()));
    chart->setBackgroundPen(Qt::NoPen);
    chart->setPlotAreaBackgroundVisible(false);
    chart->setTitle(ToQString(c->Title()));
    chart->setTitleBrush(Rgb(c->AxisColor()));
    QFont tf = chart->titleFont();
    tf.setPointSize(11);
    tf.setBold(true);
    chart->setTitleFont(tf);
    chart->legend()->setVisible(c->LegendVisible());

    const bool log = c->BottomAxis()->Logarithmic();

    while (series.size() < static_cast<size_t>(c->SeriesCount())) {
        auto* s = new QLineSeries();
        chart->addSeries(s);
        s->attachAxis(bottom);
        s->attachAxis(left);
        series.push_back(s);
        seriesRevision.push_back(~0u);
        seriesLog.push_back(false);
    }

    for (size_t i = 0; i < series.size(); ++i) {
        const TLineSeries* m = c->LineSeries(static_cast<int>(i));
        QLineSeries* s = series[i];
        if (seriesRevision[i] != m->Revision() || seriesLog[i] != log) {
            QList<QPointF> pts;
            pts.reserve(m->Count());
            for (int k = 0; k < m->Count(); ++k) {
                const double x = m->XValue(k), y = m->YValue(k);
                if (std::isfinite(x) && std::isfinite(y) && (!log || x > 0))
                    pts.append(QPointF(log ? std::log10(x) : x, y));
            }
            s->replace(pts);
            QPen pen(Rgb(m->SeriesColor()));
            pen.setWidth(m->LineWidth());
            s->setPen(pen);
            s->setPointsVisible(m->Pointer());
            s->setName(ToQString(m->Title()));
            const bool onRight = m->VertAxis() == aRightAxis;
            if (s->attachedAxes().contains(onRight ? left : right)) {
                s->detachAxis(onRight ? left : right);
                s->attachAxis(onRight ? right : left);
            }
            s->setVisible(m->Active());
            seriesRevision[i] = m->Revision();
            seriesLog[i] = log;
        }
    }

    const std::pair<QCategoryAxis*, TCustomChartAxis*> axes[] = {
        {left, c->LeftAxis()}, {right, c->RightAxis()}, {bottom, c->BottomAxis()}};
    for (const auto& [q, a] : axes) {
        double lo = a->Minimum(), hi = a->Maximum();
        const bool isLog = a == c->BottomAxis() && log;
        Drawable(lo, hi, isLog);
        if (isLog)
            q->setRange(std::log10(lo), std::log10(hi));
        else
            q->setRange(lo, hi);
        q->setVisible(a->Visible());
        q->setReverse(a->Inverted());
        StyleAxis(q, c);
    }
    ApplyTicks();
}

void TCustomChart::ChartImpl::ApplyTicks()
{
    const TCustomChart* c = owner;
    const bool log = c->BottomAxis()->Logarithmic();
    // The plot's size depends on the labels of the vertical axes: choose twice.
    for (int pass = 0; pass < 2; ++pass) {
        chart->layout()->activate();
        const QRectF plot = chart->plotArea();
        const std::pair<QCategoryAxis*, TCustomChartAxis*> axes[] = {
            {left, c->LeftAxis()}, {right, c->RightAxis()}, {bottom, c->BottomAxis()}};
        for (const auto& [q, a] : axes) {
            const bool horizontal = q == bottom, isLog = horizontal && log;
            double lo = a->Minimum(), hi = a->Maximum();
            Drawable(lo, hi, isLog);
            const QFontMetrics fm(q->labelsFont());
            const TAxisTicks t = ChooseAxisTicks(lo, hi, isLog, static_cast<int>(horizontal ? plot.width() : plot.height()),
                [&](const AnsiString& text) { return horizontal ? fm.horizontalAdvance(ToQString(text)) : fm.height(); });
            QStringList labels;
            for (const AnsiString& l : t.Labels)
                labels << ToQString(l);
            if (labels == q->categoriesLabels() && q->startValue() == q->min())
                continue;
            for (const QString& l : q->categoriesLabels())
                q->remove(l);
            q->setStartValue(q->min());
            for (size_t i = 0; i < t.Values.size(); ++i)
                q->append(labels[static_cast<int>(i)], isLog ? std::log10(t.Values[i]) : t.Values[i]);
        }
    }
}

void TCustomChart::ChartImpl::Render(QPainter* Painter, const QRectF& Target)
{
    Sync();
    const QRectF old = chart->geometry();
    chart->setGeometry(QRectF(0, 0, Target.width(), Target.height()));
    ApplyTicks();
    scene.render(Painter, Target, QRectF(0, 0, Target.width(), Target.height()));
    chart->setGeometry(old);
    ApplyTicks();
}

// ---------------------------------------------------------------- TCustomChart

TCustomChart::TCustomChart(TComponent* AOwner) : TCustomAxisPanel(AOwner), FChart(std::make_unique<ChartImpl>(this))
{
    FColor = clBlack;
}

TCustomChart::~TCustomChart()
{
    DestroyHandle();
}

void TCustomChart::CreateWidget()
{
    QWidget* parent = FParent ? ImplOf(FParent)->widget.data() : nullptr;
    auto* w = new ChartWidget(this, parent);
    FImpl->widget = w;
    FImpl->native = true;
}

void TCustomChart::BoundsChanged()
{
    FChart->chart->setGeometry(0, 0, Width(), Height());
    FChart->ApplyTicks();
    TWinControl::BoundsChanged();
}

void TCustomChart::Invalidate()
{
    if (HandleAllocated())
        static_cast<QGraphicsView*>(FImpl->widget.data())->viewport()->update();
}

void TCustomChart::Repaint()
{
    FChart->Sync();
    if (HandleAllocated() && FImpl->widget->isVisible())
        static_cast<QGraphicsView*>(FImpl->widget.data())->viewport()->repaint();
}

void TCustomChart::PaintTo(TCanvas* Canvas, int X, int Y)
{
    if (!Canvas || Width() <= 0 || Height() <= 0)
        return;
    QImage img(Width(), Height(), QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        FChart->Render(&p, QRectF(0, 0, Width(), Height()));
    }
    DrawImageOn(Canvas, QRect(X, Y, img.width(), img.height()), img);
}

void TCustomChart::DrawToBitmap(TBitmap* Bitmap, int W, int H)
{
    if (W <= 0)
        W = Width();
    if (H <= 0)
        H = Height();
    Bitmap->SetSize(W, H);
    QImage& img = BitmapImage(Bitmap);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        FChart->Render(&p, QRectF(0, 0, W, H));
    }
    Bitmap->Changed();
}

void TCustomChart::SaveToBitmapFile(const AnsiString& FileName)
{
    TBitmap bmp;
    bmp.SetPixelFormat(pf24bit);
    DrawToBitmap(&bmp);
    bmp.SaveToFile(FileName);
}
