#pragma once
// The grid's printing: event types and the state a layout leaves behind. Print lengths
// are tenths of a millimetre; a page is laid out with y growing downwards from its top.
#include <functional>
#include <vector>

#include "components/grid/RavgridPrintSettings.h"
#include "components/grid/Ravutil.h"
#include "platform/core/Types.h"

class TCanvas;

using TPrintSetColumnWidthEvent = std::function<void(TObject* Sender, int ACol, int& Width)>;
using TPrintSetRowHeightEvent = std::function<void(TObject* Sender, int ARow, int& Height)>;
using TFitToPageEvent = std::function<void(TObject* Sender, double& ScaleFactor, bool& Allow)>;
// Drawing events get the page canvas: one unit is 0.1 mm, y grows downwards.
using TPrintPageEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, int PageNr, int PageXSize, int PageYSize)>;
using TPrintNewPageEvent = std::function<void(TObject* Sender, int ARow, bool& NewPage)>;
using TPrintPageDoneEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int LastRow, int LastRowOffset,
                                               int LastPage, int PageXSize, int PageYSize)>;
using TCustomCellSizeEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow, TPoint& ASize, bool Printing)>;
// NrOfPages is 0 when the pages were not counted (PrintWithoutPageCount).
using TPrintStartEvent = std::function<void(TObject* Sender, int NrOfPages, int& FromPage, int& ToPage)>;

// The page number item of the header or footer: prefix, number, suffix. With several
// column bands "page-band"; else "page/total" when the total is known and above 1.
// Unknown totals are -1 or 0.
AnsiString PrintPageNumber(const TPrintSettings& S, int PageIndex, int TotalPages, int Bands, int PageInBand,
                           int Band);

// What the last layout left: column widths and offsets (one per column of the grid),
// the page rectangle and the columns of the last band.
struct TGridPrintState {
    TGridRect PrintRange;
    TRect PreviewRect;
    double PrintFontScale = 1.0;
    int PageUsedWidth = 0;
    TRect PageRect;
    int BandFirstCol = 0, BandLastCol = 0;
    int FromPage = 1, ToPage = 1;
    int PrintPageCount = 0;
    std::vector<int> PrintColWidth, PrintColOffset;
};
