#pragma once
// TPrintSettings: how the grid prints and previews (header and footer items, fonts,
// borders, margins and spacings in tenths of a millimetre, column and row sizing,
// scaling to the page width). Owned by the grid as PrintSettings.
#include <memory>

#include "components/grid/RavgridSettings.h"
#include "platform/core/Strings.h"
#include "platform/forms/Printer.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Pen.h"

enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders {
    pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround, pbAroundVertical, pbAroundHorizontal,
    pbCustom
};
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };
enum TPrintMethod { prPreview, prPrint, prCalcPrint, prCalcPreview };

class TPrintSettings : public TPersistent {
    ZV_PLAIN_PROP(TPrintPosition, Time, ppNone)
    ZV_PLAIN_PROP(TPrintPosition, Date, ppNone)
    ZV_PLAIN_PROP(TPrintPosition, PageNr, ppNone)
    ZV_PLAIN_PROP(AnsiString, PageNumSep, "/")
    ZV_PLAIN_PROP(AnsiString, DateFormat, "dd/mm/yyyy")
    ZV_PLAIN_PROP(TPrintPosition, Title, ppNone)
public:
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v) { FFont->Assign(v); }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* v) { FHeaderFont->Assign(v); }
    TFont* FooterFont() const { return FFooterFont.get(); }
    void SetFooterFont(TFont* v) { FFooterFont->Assign(v); }
    ZV_PLAIN_PROP(TPrintBorders, Borders, pbNoborder)
    ZV_PLAIN_PROP(TPenStyle, BorderStyle, psSolid)
    ZV_PLAIN_PROP(AnsiString, TitleText, "")
public:
    TStringList* TitleLines() const { return FTitleLines.get(); }
    void SetTitleLines(TStrings* v) { FTitleLines->Assign(v); }
    ZV_PLAIN_PROP(bool, Centered, false)
    ZV_PLAIN_PROP(bool, RepeatFixedRows, false)
    ZV_PLAIN_PROP(bool, RepeatFixedCols, false)
    ZV_PLAIN_PROP(int, FooterSize, 0)
    ZV_PLAIN_PROP(int, HeaderSize, 0)
    ZV_PLAIN_PROP(int, LeftSize, 0)
    ZV_PLAIN_PROP(int, RightSize, 0)
    ZV_PLAIN_PROP(int, ColumnSpacing, 0)
    ZV_PLAIN_PROP(int, RowSpacing, 0)
    ZV_PLAIN_PROP(int, TitleSpacing, 0)
    ZV_PLAIN_PROP(TPrinterOrientation, Orientation, poPortrait)
    ZV_PLAIN_PROP(AnsiString, PagePrefix, "")
    ZV_PLAIN_PROP(AnsiString, PageSuffix, "")
    ZV_PLAIN_PROP(int, FixedHeight, 0)
    ZV_PLAIN_PROP(bool, UseFixedHeight, false)
    ZV_PLAIN_PROP(int, FixedWidth, 0)
    ZV_PLAIN_PROP(bool, UseFixedWidth, false)
    ZV_PLAIN_PROP(TFitToPage, FitToPage, fpNever)
    ZV_PLAIN_PROP(bool, NoAutoSize, false)
    ZV_PLAIN_PROP(bool, PrintGraphics, false)
    ZV_PLAIN_PROP(AnsiString, JobName, "")
    ZV_PLAIN_PROP(bool, NoAutoSizeRow, false)
    ZV_PLAIN_PROP(int, PageNumberOffset, 0)
    ZV_PLAIN_PROP(int, MaxPagesOffset, 0)
public:
    TPrintSettings()
        : FFont(std::make_unique<TFont>()), FHeaderFont(std::make_unique<TFont>()),
          FFooterFont(std::make_unique<TFont>()), FTitleLines(std::make_unique<TStringList>())
    {
    }

private:
    std::unique_ptr<TFont> FFont, FHeaderFont, FFooterFont;
    std::unique_ptr<TStringList> FTitleLines;
};
