#pragma once
// TPrinter: pages drawn on Canvas go to the system printer, or to a PDF file when there
// is no printer (or OutputFileName is set). Page size in pixels at the printer's resolution.
// The canvas draws onto the page itself (vector output), so it has no pixels to read.
#include <memory>
#include <vector>

#include "platform/core/Component.h"
#include "platform/graphics/Canvas.h"

enum TPrinterOrientation { poPortrait, poLandscape };

class TPrinter : public TObject {
public:
    TPrinter();
    ~TPrinter() override;

    void BeginDoc();
    void EndDoc();
    void NewPage();
    void Abort();
    bool Printing() const { return FPrinting; }
    bool Aborted() const { return FAborted; }
    int PageNumber() const { return FPageNumber; }
    TCanvas* Canvas() const { return FCanvas.get(); }
    int PageWidth() const;
    int PageHeight() const;
    int Resolution() const { return FResolution; }
    TPrinterOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPrinterOrientation v);
    const AnsiString& Title() const { return FTitle; }
    void SetTitle(const AnsiString& v) { FTitle = v; }
    int Copies() const { return FCopies; }
    void SetCopies(int v) { FCopies = v; }
    // The installed printers; the index of the one used (-1: PDF file).
    std::vector<AnsiString> Printers() const;
    int PrinterIndex() const { return FPrinterIndex; }
    void SetPrinterIndex(int v) { FPrinterIndex = v; }
    // PDF output file (empty: the printer; with no printer "<Title>.pdf" in the temp folder).
    const AnsiString& OutputFileName() const { return FOutputFileName; }
    void SetOutputFileName(const AnsiString& v) { FOutputFileName = v; }
    // Where the last document went (a printer name or a file).
    const AnsiString& LastOutput() const { return FLastOutput; }

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
    std::unique_ptr<TCanvas> FCanvas;
    bool FPrinting = false;
    bool FAborted = false;
    int FPageNumber = 0;
    int FResolution = 300;
    TPrinterOrientation FOrientation = poPortrait;
    AnsiString FTitle;
    int FCopies = 1;
    int FPrinterIndex = -1;
    AnsiString FOutputFileName;
    AnsiString FLastOutput;
};

TPrinter* Printer();
