#pragma once
// The chart component: a panel of line series drawn against a left, right and bottom axis.
// TChart is the control on a form; TReportInnerChart (platform/report) is the same chart
// inside a printed report. Series and axes are plain data here: the drawing follows them
// when the chart is repainted.
#include <memory>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/forms/Controls.h"

ZV_EXCEPTION_CLASS(EChartException, Exception)

class TCustomAxisPanel;
class TCustomChart;
namespace zvchart {
struct Access;
}

enum TVertAxis { aLeftAxis, aRightAxis };

class TChartSeries {
public:
    explicit TChartSeries(TCustomAxisPanel* Owner) : FOwner(Owner) {}
    virtual ~TChartSeries() = default;

    // Adds a point drawn in Color; the series keeps its x values ascending (a point goes
    // after those with an equal x). Returns the point's index.
    int AddXY(double X, double Y, const AnsiString& Label, TColor Color);
    void Clear();
    int Count() const { return static_cast<int>(FX.size()); }
    double XValue(int Index) const { return FX.at(static_cast<size_t>(Index)); }
    double YValue(int Index) const { return FY.at(static_cast<size_t>(Index)); }
    TColor ValueColor(int Index) const { return FColors.at(static_cast<size_t>(Index)); }
    // Largest and smallest y; 0 for an empty series.
    double MaxYValue() const;
    double MinYValue() const;
    double MaxXValue() const;
    double MinXValue() const;

    // An inactive series is not drawn and keeps its points.
    bool Active() const { return FActive; }
    void SetActive(bool v);
    TVertAxis VertAxis() const { return FVertAxis; }
    void SetVertAxis(TVertAxis v);
    const AnsiString& ColorSource() const { return FColorSource; }
    void SetColorSource(const AnsiString& v) { FColorSource = v; }
    // The line's colour: that of the last point added (clNone before any).
    TColor SeriesColor() const { return FSeriesColor; }
    void SetSeriesColor(TColor v);
    const AnsiString& Title() const { return FTitle; }
    void SetTitle(const AnsiString& v) { FTitle = v; }

    // Bumped by every change, so the drawing knows what to copy again.
    unsigned Revision() const { return FRevision; }

protected:
    void Changed();
    TCustomAxisPanel* FOwner;
    std::vector<double> FX, FY;
    std::vector<TColor> FColors;
    bool FActive = true;
    TVertAxis FVertAxis = aLeftAxis;
    AnsiString FColorSource;
    TColor FSeriesColor = clNone;
    AnsiString FTitle;
    unsigned FRevision = 0;
};

class TLineSeries : public TChartSeries {
public:
    using TChartSeries::TChartSeries;
    int LineWidth() const { return FLineWidth; }
    void SetLineWidth(int v);
    bool Pointer() const { return FPointer; } // point markers drawn
    void SetPointer(bool v);

private:
    int FLineWidth = 1;
    bool FPointer = false;
};

class TCustomChartAxis {
public:
    enum TKind { Left, Right, Bottom };
    TCustomChartAxis(TCustomAxisPanel* Owner, TKind Kind) : FOwner(Owner), FKind(Kind) {}

    // Automatic: the range follows the data of the series drawn against this axis.
    bool Automatic() const { return FAutomatic; }
    void SetAutomatic(bool v);
    // The range in force: with Automatic and data, the data's range widened to round
    // numbers (a vertical axis a step further where the data would touch a non-zero
    // end); otherwise the range last set.
    double Minimum() const;
    double Maximum() const;
    // The range set (kept for when Automatic is off); refused with EChartException when
    // the new value would cross the other end of that range.
    void SetMinimum(double v);
    void SetMaximum(double v);
    void SetMinMax(double Min, double Max);
    bool Logarithmic() const { return FLogarithmic; }
    void SetLogarithmic(bool v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    bool Inverted() const { return FInverted; }
    void SetInverted(bool v);
    TKind Kind() const { return FKind; }

private:
    bool DataRange(double& Lo, double& Hi) const;
    void Changed();
    TCustomAxisPanel* FOwner;
    TKind FKind;
    bool FAutomatic = true;
    double FMinimum = 0;
    double FMaximum = 0;
    bool FLogarithmic = false;
    bool FVisible = true;
    bool FInverted = false;
};

// Series and axes of a chart.
class TCustomAxisPanel : public TWinControl {
public:
    explicit TCustomAxisPanel(TComponent* AOwner);
    ~TCustomAxisPanel() override;

    TLineSeries* AddLineSeries();
    int SeriesCount() const { return static_cast<int>(FSeries.size()); }
    // Series by index in the order they were added.
    TChartSeries* Series(int Index) const;
    TLineSeries* LineSeries(int Index) const;

    TCustomChartAxis* LeftAxis() const { return FLeft.get(); }
    TCustomChartAxis* RightAxis() const { return FRight.get(); }
    TCustomChartAxis* BottomAxis() const { return FBottom.get(); }

    const AnsiString& Title() const { return FTitle; }
    void SetTitle(const AnsiString& v);
    bool LegendVisible() const { return FLegendVisible; }
    void SetLegendVisible(bool v);
    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor v);
    TColor AxisColor() const { return FAxisColor; }
    void SetAxisColor(TColor v);

    // Something a drawing shows has changed.
    void ChartChanged();
    unsigned ChartRevision() const { return FRevision; }

protected:
    std::vector<std::unique_ptr<TLineSeries>> FSeries;
    std::unique_ptr<TCustomChartAxis> FLeft, FRight, FBottom;
    AnsiString FTitle;
    bool FLegendVisible = false;
    TColor FBackColor = clBlack;
    TColor FAxisColor = clWhite;
    unsigned FRevision = 0;
};

class TCustomChart : public TCustomAxisPanel {
public:
    explicit TCustomChart(TComponent* AOwner);
    ~TCustomChart() override;

    // Draws the chart at its size on white and writes it as a Windows bitmap file.
    // A file that cannot be written raises EFCreateError.
    void SaveToBitmapFile(const AnsiString& FileName);
    // Draws the chart into Bitmap at Width x Height (its own size when 0).
    void DrawToBitmap(class TBitmap* Bitmap, int Width = 0, int Height = 0);

    void Repaint() override;
    void Invalidate() override;
    void PaintTo(TCanvas* Canvas, int X, int Y) override;

    struct ChartImpl;

protected:
    void CreateWidget() override;
    void BoundsChanged() override;
    std::unique_ptr<ChartImpl> FChart;

private:
    // The platform reaches it through zvchart::ChartImplOf.
    friend struct zvchart::Access;
    ChartImpl* ChartImplPtr() const { return FChart.get(); }
};

class TChart : public TCustomChart {
public:
    explicit TChart(TComponent* AOwner) : TCustomChart(AOwner) {}
};
