#include "platform/forms/Printer.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/graphics/QtGraphics_p.h"

using namespace zvqt;

struct TPrinter::Impl {
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<QPainter> painter;
};

TPrinter* Printer()
{
    static TPrinter p;
    return &p;
}

TPrinter::TPrinter() : FImpl(std::make_unique<Impl>()), FCanvas(std::make_unique<TCanvas>())
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        FPrinterIndex = 0;
}

TPrinter::~TPrinter()
{
    if (FPrinting)
        Abort();
}

std::vector<AnsiString> TPrinter::Printers() const
{
    std::vector<AnsiString> v;
    for (const QPrinterInfo& i : QPrinterInfo::availablePrinters())
        v.push_back(FromQString(i.printerName()));
    return v;
}

namespace {
// A4 at the given resolution.
QSize PageSize(int dpi, TPrinterOrientation o)
{
    const int w = static_cast<int>(210.0 / 25.4 * dpi), h = static_cast<int>(297.0 / 25.4 * dpi);
    return o == poPortrait ? QSize(w, h) : QSize(h, w);
}
} // namespace

int TPrinter::PageWidth() const { return PageSize(FResolution, FOrientation).width(); }
int TPrinter::PageHeight() const { return PageSize(FResolution, FOrientation).height(); }

void TPrinter::SetOrientation(TPrinterOrientation v)
{
    if (FPrinting)
        throw EPrinter("Printing in progress");
    FOrientation = v;
}

void TPrinter::BeginDoc()
{
    if (FPrinting)
        throw EPrinter("Printing in progress");
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setResolution(FResolution);
    p->setPageSize(QPageSize(QPageSize::A4));
    p->setPageOrientation(FOrientation == poPortrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    p->setFullPage(true);
    p->setDocName(ToQString(FTitle));
    p->setCopyCount(FCopies);
    const auto printers = QPrinterInfo::availablePrinters();
    if (!FOutputFileName.empty() || FPrinterIndex < 0 || FPrinterIndex >= printers.size()) {
        AnsiString file = FOutputFileName;
        if (file.empty())
            file = FromQString(QDir::temp().filePath(ToQString((FTitle.empty() ? AnsiString("document") : FTitle) + ".pdf")));
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(ToQString(file));
        FLastOutput = file;
    } else {
        p->setPrinterName(printers[FPrinterIndex].printerName());
        FLastOutput = FromQString(printers[FPrinterIndex].printerName());
    }
    FImpl->printer = std::move(p);
    FImpl->painter = std::make_unique<QPainter>();
    if (!FImpl->painter->begin(FImpl->printer.get())) {
        FImpl->painter.reset();
        FImpl->printer.reset();
        throw EPrinter("Printer selected is not valid");
    }
    FPrinting = true;
    FAborted = false;
    FPageNumber = 1;
    // Drawn straight onto the page: text stays text and lines stay lines in the output.
    BindCanvasPainter(FCanvas.get(), FImpl->painter.get(), PageSize(FResolution, FOrientation), FResolution);
}

void TPrinter::NewPage()
{
    if (!FPrinting)
        throw EPrinter("Printer is not currently printing");
    FlushCanvas(FCanvas.get());
    FImpl->printer->newPage();
    ++FPageNumber;
}

void TPrinter::EndDoc()
{
    if (!FPrinting)
        throw EPrinter("Printer is not currently printing");
    FlushCanvas(FCanvas.get());
    FImpl->painter->end();
    BindCanvas(FCanvas.get(), nullptr);
    FImpl->painter.reset();
    FImpl->printer.reset();
    FPrinting = false;
}

void TPrinter::Abort()
{
    if (!FPrinting)
        return;
    FlushCanvas(FCanvas.get());
    BindCanvas(FCanvas.get(), nullptr);
    FImpl->printer->abort();
    FImpl->painter->end();
    FImpl->painter.reset();
    FImpl->printer.reset();
    FPrinting = false;
    FAborted = true;
}
