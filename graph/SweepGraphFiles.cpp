// The sweep graph's result file, its bitmap, the report preview and Remove All.
#include <functional>
#include <string_view>

#include "components/grid/Ravgrid.h"
#include "graph/GraphPublic.h"
#include "graph/GraphShared.h"
#include "list/DataFile.h"
#include "main/Lcr.h"
#include "platform/chart/Chart.h"
#include "platform/core/DateTime.h"
#include "platform/graphics/Bitmap.h"
#include "platform/core/FileUtils.h"
#include "platform/core/SafeSave.h"
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

// A value cell as the file's value and unit fields ("" stands for "(null)").
void SplitValueCell(std::string_view Cell, std::string_view& Value, std::string_view& Unit)
{
    const std::string_view t = TrimLeftView(Cell);
    Value = Unit = {};
    if (t.empty())
        return;
    if (TrimView(Cell) == "OVERLOAD") {
        Value = "OVERLOAD";
        return;
    }
    const size_t blank = t.find(' ');
    Value = t.substr(0, blank);
    if (blank != std::string_view::npos)
        Unit = TrimView(t.substr(blank));
}

constexpr size_t kWidths[12] = {6, 9, 12, 12, 10, 6, 10, 6, 16, 6, 16, 6};

// One line of the file; in a record line an empty field is "(null)".
void AppendRow(AnsiString& Text, const std::string_view (&Fields)[12], bool Record = true)
{
    for (size_t i = 0; i < 12; ++i) {
        if (i > 0)
            Text += ' ';
        AppendField(Text, Record && Fields[i].empty() ? std::string_view("(null)") : Fields[i], kWidths[i]);
    }
    Text += "\r\n";
}

bool AskOverwrite()
{
    return ShowMessageBox("Overwrite the exists file !", "Warning", MB_OKCANCEL) == IDOK;
}

} // namespace

namespace {

// The file's text, handed out a line at a time, so that a save writes it without making
// all of it first.
void PutSweepGraphResultText(const AnsiString& FileName, const std::function<void(std::string_view)>& Put)
{
    TRavArodozIdad* g = LCRForm->SweepResultGrid;
    AnsiString text = DataFileHeader(FileName, Now(), CurrentDataFileIdentity());
    text += PadField("**********Sweep_Graph_Result**********", 38) + "\r\n";
    const AnsiString mon1 = g->GetCellEx(3, 0), mon2 = g->GetCellEx(6, 0), mon3 = g->GetCellEx(7, 0);
    AppendRow(text,
        {"Step", "Function", "Freq(kHz)", mon1, "Primary", "Unit", "Second", "Unit", mon2, "Unit", mon3, "Unit"}, false);
    const int rows = g->GetRowCountEx();
    std::string_view cells[8];
    AnsiString bufs[8];
    std::string_view fields[12];
    for (int r = 1; r < rows; ++r) {
        g->GetRowEx(r, cells, bufs);
        for (int c = 0; c < 4; ++c)
            fields[c] = cells[c];
        for (int c = 4; c < 8; ++c)
            SplitValueCell(cells[c], fields[4 + 2 * (c - 4)], fields[5 + 2 * (c - 4)]);
        AppendRow(text, fields);
        Put(text); // the save gathers the lines itself
        text.clear();
    }
    text += PadField("**********END**********", 23) + "\r\n";
    Put(text);
}

} // namespace

AnsiString SweepGraphResultText(const AnsiString& FileName)
{
    AnsiString text;
    PutSweepGraphResultText(FileName, [&text](std::string_view Piece) { text += Piece; });
    return text;
}

bool WriteSweepGraphResultFile(const AnsiString& FileName)
{
    return SafeSaveFile(FileName, [&](TSafeSave& f) {
        PutSweepGraphResultText(FileName, [&f](std::string_view Piece) { f.Write(Piece); });
    });
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
    SafeSaveFile(name, [&](TSafeSave& f) {
        f.Write(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
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
