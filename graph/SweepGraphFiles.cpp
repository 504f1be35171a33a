// The sweep graph's result file, its bitmap, the report preview and Remove All.
#include <cstdio>

#include "components/grid/Ravgrid.h"
#include "graph/GraphPublic.h"
#include "graph/GraphShared.h"
#include "list/ListCommon.h"
#include "main/Lcr.h"
#include "platform/chart/Chart.h"
#include "platform/core/FileUtils.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Panel.h"
#include "platform/report/Report.h"
#include "platform/win/Paths.h"

namespace {

void FocusPanel()
{
    if (LCRForm->SweepGraphPan->CanFocus())
        LCRForm->SweepGraphPan->SetFocus();
}

AnsiString OrNull(const AnsiString& s) { return s.empty() ? AnsiString("(null)") : s; }

// A value cell as the file's value and unit fields.
void SplitValueCell(const AnsiString& Cell, AnsiString& Value, AnsiString& Unit)
{
    const AnsiString t = TrimLeft(Cell);
    if (t.empty()) {
        Value = Unit = "(null)";
        return;
    }
    if (Trim(Cell) == "OVERLOAD") {
        Value = "OVERLOAD";
        Unit = "(null)";
        return;
    }
    const size_t blank = t.find(' ');
    Value = t.substr(0, blank);
    Unit = OrNull(blank == AnsiString::npos ? AnsiString() : Trim(t.substr(blank)));
}

AnsiString Row(const AnsiString (&Fields)[12])
{
    static const size_t widths[12] = {6, 9, 12, 12, 10, 6, 10, 6, 16, 6, 16, 6};
    AnsiString line;
    for (int i = 0; i < 12; ++i)
        line += (i ? " " : "") + RightAlign(Fields[i], widths[i]);
    return line + "\r\n";
}

bool AskOverwrite()
{
    return ShowMessageBox("Overwrite the exists file !", "Warning", MB_OKCANCEL) == IDOK;
}

bool EndsWith(const AnsiString& s, const AnsiString& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

AnsiString SweepGraphResultName(const AnsiString& Chosen)
{
    const AnsiString marker = "SweepGraphResult";
    if (EndsWith(Chosen, ".txt")) {
        const AnsiString stem = Chosen.substr(0, Chosen.size() - 4);
        return EndsWith(stem, marker) ? Chosen : stem + "_SweepGraphResult.txt";
    }
    return EndsWith(Chosen, marker) ? Chosen : Chosen + "_SweepGraphResult.txt";
}

AnsiString SweepGraphResultText(const AnsiString& FileName)
{
    TRavArodozIdad* g = LCRForm->SweepResultGrid;
    AnsiString text = DataFileHeader(FileName);
    text += RightAlign("**********Sweep_Graph_Result**********", 38) + "\r\n";
    const AnsiString titles[12] = {"Step", "Function", "Freq(kHz)", g->GetCellEx(3, 0), "Primary", "Unit", "Second",
        "Unit", g->GetCellEx(6, 0), "Unit", g->GetCellEx(7, 0), "Unit"};
    text += Row(titles);
    for (int r = 1; r < g->GetRowCountEx(); ++r) {
        AnsiString fields[12];
        for (int c = 0; c < 4; ++c)
            fields[c] = OrNull(g->GetCellEx(c, r));
        for (int c = 4; c < 8; ++c)
            SplitValueCell(g->GetCellEx(c, r), fields[4 + 2 * (c - 4)], fields[5 + 2 * (c - 4)]);
        text += Row(fields);
    }
    return text + RightAlign("**********END**********", 23) + "\r\n";
}

bool WriteSweepGraphResultFile(const AnsiString& FileName)
{
    return SaveTextFileSafely(FileName, SweepGraphResultText(FileName));
}

void TLCRForm::SweepGraphSaveBtnClick(TObject*)
{
    TSaveDialog* d = SweepGraphSaveDialog;
    d->SetTitle("Save Sweep Graph Result Data");
    d->SetInitialDir(MapWindowsPath(SweepGraphResultFolder));
    d->SetFilter("Text(*.txt)|*.txt");
    d->SetDefaultExt("txt");
    d->SetFileName("");
    if (!d->Execute()) {
        FocusPanel();
        return;
    }
    const AnsiString name = SweepGraphResultName(d->FileName());
    // The old file stays until the new one is complete.
    if (FileExists(name) && !AskOverwrite()) {
        FocusPanel();
        return;
    }
    WriteSweepGraphResultFile(name);
}

void TLCRForm::SweepGraphSaveGraphBtnClick(TObject*)
{
    TSaveDialog* d = SweepGraphSaveDialog;
    d->SetTitle("Save Sweep Graph *.bmp");
    d->SetInitialDir(MapWindowsPath(SweepGraphResultFolder));
    d->SetFilter("(*.bmp)|*.bmp");
    d->SetDefaultExt("bmp");
    d->SetFileName("");
    if (!d->Execute()) {
        FocusPanel();
        return;
    }
    const AnsiString name = d->FileName();
    if (FileExists(name) && !AskOverwrite()) {
        FocusPanel();
        return;
    }
    SaveFileSafely(name, [this](const AnsiString& temp) {
        SweepGraphChart->SaveToBitmapFile(temp);
        return true;
    });
    FocusPanel();
}

void TLCRForm::SweepGraphPreviewBtnClick(TObject*)
{
    SweepGraphReport->Preview();
}

void TLCRForm::SweepGraphRemoveBtnClick(TObject*)
{
    if (ShowMessageBox("Sure you remove all ''Sweep Result'' ?", "Warning", MB_OKCANCEL) != IDOK)
        return;
    const int n = SweepResultGrid->GetRowCountEx() - 1;
    for (auto& pass : SweepValueText)
        for (auto& trace : pass)
            for (int j = 0; j <= n && j <= 1000; ++j)
                trace[j].clear();
    SweepResultGrid->ClearRect(0, 1, 7, n);
    SweepResultGrid->SetRowCountEx(2);
    ComparePass = 2;
    ResetSweepGraphSeries();
    ComparePass = 1;
    ResetSweepGraphSeries();
    SweepGraphChart->Repaint();
}
