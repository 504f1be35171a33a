#pragma once
// The report component: one printed page with a title band (labels and the print-date
// field) and a chart below it, shown in the standard print preview, printed through the
// system's printer dialog, or written to a PDF file.
#include <memory>
#include <vector>

#include "platform/chart/Chart.h"
#include "platform/core/Component.h"

class TBitmap;

// The chart inside a report.
class TReportInnerChart : public TCustomChart {
public:
    explicit TReportInnerChart(TComponent* AOwner) : TCustomChart(AOwner) {}
};

// Positions and sizes in millimetres from the page's printable area.
struct TReportLabel {
    AnsiString Caption;
    double Left = 0, Top = 0;
    int FontSize = 10; // points
};

// The date and time the page is printed.
struct TReportSysData {
    double Left = 0, Top = 0;
    int FontSize = 10;
};

class TReportChart : public TComponent {
public:
    explicit TReportChart(TComponent* AOwner);
    TReportInnerChart* Chart() const { return FChart; }
    double Top = 0; // the chart fills the page's width from Top down

private:
    TReportInnerChart* FChart;
};

enum TReportOrientation { roPortrait, roLandscape };

class TReport : public TComponent {
public:
    explicit TReport(TComponent* AOwner);
    ~TReport() override;

    TReportOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TReportOrientation v) { FOrientation = v; }
    double Margin() const { return FMargin; } // mm on every side
    void SetMargin(double v) { FMargin = v; }
    const AnsiString& FontName() const { return FFontName; }
    void SetFontName(const AnsiString& v) { FFontName = v; }
    double TitleBandHeight() const { return FBandHeight; } // mm
    void SetTitleBandHeight(double v) { FBandHeight = v; }

    TReportLabel* AddLabel(const AnsiString& Caption, double Left, double Top, int FontSize);
    TReportSysData* AddPrintDate(double Left, double Top, int FontSize);
    TReportChart* AddChart(double Top);
    int LabelCount() const { return static_cast<int>(FLabels.size()); }
    TReportLabel* Label(int Index) const { return FLabels.at(static_cast<size_t>(Index)).get(); }

    // Shows the page in the standard preview window; returns when it is closed. While a
    // preview shows, a further call opens nothing and returns at once.
    void Preview();
    bool Previewing() const { return FPreviewing; }
    // The system's printer dialog, then the page to the printer chosen.
    void Print();
    // The page as a PDF file; a file that cannot be written raises EPrinter.
    void PrintToPdf(const AnsiString& FileName);
    // The page drawn into Bitmap at Dpi dots per inch.
    void RenderPage(TBitmap* Bitmap, int Dpi);
    // The text of the print-date field.
    static AnsiString PrintDateText();

    struct Impl;

private:
    TReportOrientation FOrientation = roLandscape;
    double FMargin = 5;
    AnsiString FFontName = "Arial";
    double FBandHeight = 20;
    std::vector<std::unique_ptr<TReportLabel>> FLabels;
    std::vector<std::unique_ptr<TReportSysData>> FDates;
    std::vector<TReportChart*> FCharts;
    bool FPreviewing = false;
    friend struct Impl;
};
