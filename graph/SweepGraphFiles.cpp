// The sweep graph's result file, its bitmap, the report preview and Remove All.
#include <cstdio>

#include "components/grid/Ravgrid.h"
#include "graph/GraphPublic.h"
#include "graph/GraphShared.h"
#include "list/DataFile.h"
#include "main/Lcr.h"
#include "platform/chart/Chart.h"
#include "platform/core/DateTime.h"
#include "platform/graphics/Bitmap.h"
#include "platform/core/FileUtils.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Panel.h"
#include "platform/report/Report.h"

namespace {

void FocusPanel()
{
    if (LCRForm->SweepGraphPan->CanFocus())
        LCRForm->SweepGraphPan->SetFocus();
}

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
    Unit = NullField(blank == AnsiString::npos ? AnsiString() : Trim(t.substr(blank)));
}

AnsiString Row(const std::vector<AnsiString>& Fields)
{
    static const std::vector<int> widths = {6, 9, 12, 12, 10, 6, 10, 6, 16, 6, 16, 6};
    return FieldLine(Fields, widths, false) + "\r\n";
}

bool AskOverwrite()
{
    return ShowMessageBox("Overwrite the exists file !", "Warning", MB_OKCANCEL) == IDOK;
}

} // namespace

AnsiString SweepGraphResultText(const AnsiString& FileName)
{
    TRavArodozIdad* g = LCRForm->SweepResultGrid;
    AnsiString text = DataFileHeader(FileName, Now(), CurrentDataFileIdentity());
    text += PadField("**********Sweep_Graph_Result**********", 38) + "\r\n";
    const std::vector<AnsiString> titles = {"Step", "Function", "Freq(kHz)", g->GetCellEx(3, 0), "Primary", "Unit", "Second",
        "Unit", g->GetCellEx(6, 0), "Unit", g->GetCellEx(7, 0), "Unit"};
    text += Row(titles);
    for (int r = 1; r < g->GetRowCountEx(); ++r) {
        std::vector<AnsiString> fields(12);
        for (int c = 0; c < 4; ++c)
            fields[c] = NullField(g->GetCellEx(c, r));
        for (int c = 4; c < 8; ++c)
            SplitValueCell(g->GetCellEx(c, r), fields[4 + 2 * (c - 4)], fields[5 + 2 * (c - 4)]);
        text += Row(fields);
    }
    return text + PadField("**********END**********", 23) + "\r\n";
}

bool WriteSweepGraphResultFile(const AnsiString& FileName)
{
    const AnsiString text = SweepGraphResultText(FileName);
    return SafeSaveFile(FileName, [&](std::FILE* f) { std::fwrite(text.data(), 1, text.size(), f); });
}

void TLCRForm::SweepGraphSaveBtnClick(TObject*)
{
    // The old file stays until the new one is complete.
    const AnsiString name = ChooseSaveFile(SweepGraphSaveDialog, "Save Sweep Graph Result Data",
        SweepGraphResultFolder, "SweepGraphResult");
    if (name.empty()) {
        FocusPanel();
        return;
    }
    WriteSweepGraphResultFile(name);
}

void TLCRForm::SweepGraphSaveGraphBtnClick(TObject*)
{
    TSaveDialog* d = SweepGraphSaveDialog;
    SetUpFileDialog(d, "Save Sweep Graph *.bmp", SweepGraphResultFolder, "(*.bmp)|*.bmp", "bmp");
    if (!d->Execute()) {
        FocusPanel();
        return;
    }
    const AnsiString name = d->FileName();
    if (FileExists(name) && !AskOverwrite()) {
        FocusPanel();
        return;
    }
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    SweepGraphChart->DrawToBitmap(&picture);
    const std::vector<Byte> data = picture.SaveToData();
    SafeSaveFile(name, [&](std::FILE* f) { std::fwrite(data.data(), 1, data.size(), f); });
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
