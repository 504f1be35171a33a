#include "platform/chart/Chart.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/Bitmap.h"

// ---------------------------------------------------------------- series

int TChartSeries::AddXY(double X, double Y, const AnsiString&, TColor Color)
{
    const auto at = std::upper_bound(FX.begin(), FX.end(), X);
    const auto i = at - FX.begin();
    FX.insert(at, X);
    FY.insert(FY.begin() + i, Y);
    FColors.insert(FColors.begin() + i, Color);
    FSeriesColor = Color;
    Changed();
    return static_cast<int>(i);
}

void TChartSeries::Clear()
{
    if (FX.empty())
        return;
    FX.clear();
    FY.clear();
    FColors.clear();
    Changed();
}

namespace {
double Extreme(const std::vector<double>& v, bool Largest)
{
    if (v.empty())
        return 0;
    return Largest ? *std::max_element(v.begin(), v.end()) : *std::min_element(v.begin(), v.end());
}
} // namespace

double TChartSeries::MaxYValue() const { return Extreme(FY, true); }
double TChartSeries::MinYValue() const { return Extreme(FY, false); }
double TChartSeries::MaxXValue() const { return FX.empty() ? 0 : FX.back(); }
double TChartSeries::MinXValue() const { return FX.empty() ? 0 : FX.front(); }

void TChartSeries::SetActive(bool v)
{
    if (FActive == v)
        return;
    FActive = v;
    Changed();
}

void TChartSeries::SetVertAxis(TVertAxis v)
{
    if (FVertAxis == v)
        return;
    FVertAxis = v;
    Changed();
}

void TChartSeries::SetSeriesColor(TColor v)
{
    if (FSeriesColor == v)
        return;
    FSeriesColor = v;
    Changed();
}

void TChartSeries::Changed()
{
    ++FRevision;
    FOwner->ChartChanged();
}

void TLineSeries::SetLineWidth(int v)
{
    if (FLineWidth == v)
        return;
    FLineWidth = v;
    Changed();
}

void TLineSeries::SetPointer(bool v)
{
    if (FPointer == v)
        return;
    FPointer = v;
    Changed();
}

// ---------------------------------------------------------------- axes

namespace {
// A step of 1, 2 or 5 times a power of ten giving about five intervals over Span.
double NiceStep(double Span)
{
    if (!(Span > 0) || !std::isfinite(Span))
        return 1;
    const double raw = Span / 5;
    const double mag = std::pow(10.0, std::floor(std::log10(raw)));
    const double norm = raw / mag;
    return (norm <= 1 ? 1 : norm <= 2 ? 2 : norm <= 5 ? 5 : 10) * mag;
}

// Removes the noise of floor/ceil times a step (0.30000000000000004).
double Tidy(double v, double Step)
{
    const double r = std::round(v / Step) * Step;
    return std::fabs(r) < Step * 1e-9 ? 0.0 : r;
}
} // namespace

bool TCustomChartAxis::DataRange(double& Lo, double& Hi) const
{
    bool any = false;
    for (int s = 0; s < FOwner->SeriesCount(); ++s) {
        const TChartSeries* se = FOwner->Series(s);
        if (!se->Active() || se->Count() == 0)
            continue;
        if (FKind != Bottom && se->VertAxis() != (FKind == Left ? aLeftAxis : aRightAxis))
            continue;
        for (int i = 0; i < se->Count(); ++i) {
            const double v = FKind == Bottom ? se->XValue(i) : se->YValue(i);
            if (!std::isfinite(v) || (FLogarithmic && v <= 0))
                continue;
            Lo = any ? std::min(Lo, v) : v;
            Hi = any ? std::max(Hi, v) : v;
            any = true;
        }
    }
    if (!any)
        return false;
    if (FLogarithmic) {
        Lo = std::pow(10.0, std::floor(std::log10(Lo)));
        Hi = std::pow(10.0, std::ceil(std::log10(Hi)));
        if (Hi <= Lo)
            Hi = Lo * 10;
        return true;
    }
    if (Hi == Lo) {
        const double d = Lo == 0 ? 1 : std::fabs(Lo) * 0.1;
        Lo -= d;
        Hi += d;
    }
    const double step = NiceStep(Hi - Lo);
    const double dataLo = Lo, dataHi = Hi;
    Lo = Tidy(std::floor(Lo / step) * step, step);
    Hi = Tidy(std::ceil(Hi / step) * step, step);
    if (FKind != Bottom) {
        // A trace on the top or bottom edge of the plot hides in the frame: a vertical
        // axis keeps a step more where the data comes within 2% of an end. Zero stays an
        // end, so that positive readings are not drawn above a negative scale.
        const double margin = (Hi - Lo) * 0.02;
        if (Hi != 0 && Hi - dataHi < margin)
            Hi = Tidy(Hi + step, step);
        if (Lo != 0 && dataLo - Lo < margin)
            Lo = Tidy(Lo - step, step);
    }
    return true;
}

double TCustomChartAxis::Minimum() const
{
    double lo = 0, hi = 0;
    return FAutomatic && DataRange(lo, hi) ? lo : FMinimum;
}

double TCustomChartAxis::Maximum() const
{
    double lo = 0, hi = 0;
    return FAutomatic && DataRange(lo, hi) ? hi : FMaximum;
}

void TCustomChartAxis::SetAutomatic(bool v)
{
    if (FAutomatic == v)
        return;
    // Switching it off keeps the range the data gave.
    if (!v) {
        FMinimum = Minimum();
        FMaximum = Maximum();
    }
    FAutomatic = v;
    Changed();
}

void TCustomChartAxis::SetMinimum(double v)
{
    if (v > FMaximum)
        throw EChartException("Axis Minimum Value must be <= Maximum");
    FMinimum = v;
    Changed();
}

void TCustomChartAxis::SetMaximum(double v)
{
    if (v < FMinimum)
        throw EChartException("Axis Maximum Value must be >= Minimum");
    FMaximum = v;
    Changed();
}

void TCustomChartAxis::SetMinMax(double Min, double Max)
{
    if (Min > Max)
        throw EChartException("Axis Minimum Value must be <= Maximum");
    FMinimum = Min;
    FMaximum = Max;
    Changed();
}

void TCustomChartAxis::SetLogarithmic(bool v)
{
    if (FLogarithmic == v)
        return;
    FLogarithmic = v;
    Changed();
}

void TCustomChartAxis::SetVisible(bool v)
{
    if (FVisible == v)
        return;
    FVisible = v;
    Changed();
}

void TCustomChartAxis::SetInverted(bool v)
{
    if (FInverted == v)
        return;
    FInverted = v;
    Changed();
}

void TCustomChartAxis::Changed() { FOwner->ChartChanged(); }

// ---------------------------------------------------------------- panel

TCustomAxisPanel::TCustomAxisPanel(TComponent* AOwner)
    : TWinControl(AOwner),
      FLeft(std::make_unique<TCustomChartAxis>(this, TCustomChartAxis::Left)),
      FRight(std::make_unique<TCustomChartAxis>(this, TCustomChartAxis::Right)),
      FBottom(std::make_unique<TCustomChartAxis>(this, TCustomChartAxis::Bottom))
{
}

TCustomAxisPanel::~TCustomAxisPanel() = default;

TLineSeries* TCustomAxisPanel::AddLineSeries()
{
    FSeries.push_back(std::make_unique<TLineSeries>(this));
    ChartChanged();
    return FSeries.back().get();
}

TChartSeries* TCustomAxisPanel::Series(int Index) const { return LineSeries(Index); }

TLineSeries* TCustomAxisPanel::LineSeries(int Index) const
{
    if (Index < 0 || Index >= SeriesCount())
        throw EChartException("Series index out of range (" + std::to_string(Index) + ")");
    return FSeries[static_cast<size_t>(Index)].get();
}

void TCustomAxisPanel::SetTitle(const AnsiString& v)
{
    if (FTitle == v)
        return;
    FTitle = v;
    ChartChanged();
}

void TCustomAxisPanel::SetLegendVisible(bool v)
{
    if (FLegendVisible == v)
        return;
    FLegendVisible = v;
    ChartChanged();
}

void TCustomAxisPanel::SetBackColor(TColor v)
{
    if (FBackColor == v)
        return;
    FBackColor = v;
    ChartChanged();
}

void TCustomAxisPanel::SetAxisColor(TColor v)
{
    if (FAxisColor == v)
        return;
    FAxisColor = v;
    ChartChanged();
}

void TCustomAxisPanel::ChartChanged() { ++FRevision; }
