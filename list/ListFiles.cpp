// The list setup file and the list result file, and the buttons that save and open them.
#include <charconv>
#include <cstdio>
#include <cctype>
#include <string_view>
#include <unordered_map>

#include "components/grid/Ravgrid.h"
#include "list/DataFile.h"
#include "list/ListPublic.h"
#include "list/ListUnits.h"
#include "main/Lcr.h"
#include "main/Public.h"
#include "platform/core/FloatConvert.h"
#include "platform/core/IntConvert.h"
#include "platform/core/SafeSave.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Panel.h"
#include "platform/win/Paths.h"

namespace {

const std::vector<int> SetupWidths{6, 9, 10, 11, 11, 12, 11, 11, 12, 7, 14, 14, 11, 7, 13, 13, 11, 11, 9, 7};
const std::vector<int> ResultWidths{9, 6, 6, 9, 8, 8, 12, 12, 6, 10, 6, 10, 6, 12, 6, 12, 6, 10};
const char* const SetupMarker = "**********List_Setup**********";
const char* const EndMarker = "**********END**********";
constexpr int MaxSteps = 1000;

AnsiString SetupRowLine(int Row)
{
    TLCRForm* f = LCRForm;
    TRavArodozIdad* g = f->ListSetupGrid;
    std::vector<AnsiString> fields;
    fields.reserve(20);
    for (int c = 0; c <= 17; ++c)
        fields.push_back(NullField(g->GetCellEx(c, Row)));
    const AnsiString m1 = g->GetCellEx(16, Row), m2 = g->GetCellEx(17, Row);
    if (m1 == "ABS" || m1 == "REL" || m2 == "ABS" || m2 == "REL") {
        fields.push_back(Trim(FormatSignificant(f->StepNominal[Row] / 10000.0, 7)));
        const auto& units = LimitUnits(NominalKind(g->GetCellEx(1, Row)));
        const int u = f->StepNominalUnit[Row];
        fields.push_back(u >= 0 && u < static_cast<int>(units.size()) ? units[static_cast<size_t>(u)] : units[0]);
    } else {
        fields.push_back("(null)");
        fields.push_back("(null)");
    }
    return FieldLine(fields, SetupWidths, false);
}

// Number and unit of a result cell, as ParseValueText finds them.
struct TCellParts {
    std::string_view Number, Unit;
};

TCellParts SplitCell(std::string_view Cell)
{
    const std::string_view t = TrimView(Cell);
    const size_t blank = t.find(' ');
    if (blank == std::string_view::npos)
        return {t, {}};
    return {t.substr(0, blank), TrimView(t.substr(blank))};
}

// The frequency column in kHz whatever unit the step was typed in. A run repeats a few
// frequencies a million times, so each text is worked out once.
class TKhzTexts {
public:
    std::string_view Of(std::string_view Cell)
    {
        auto it = FKnown.find(Cell);
        if (it == FKnown.end()) {
            if (FKnown.size() >= 4096)
                FKnown.clear();
            const TCellParts p = SplitCell(Cell);
            double hz = 0;
            AnsiString text(p.Number);
            if (p.Unit == "Hz" && TryStrToFloat(text, hz))
                text = FixedText(hz / 1000, 5);
            it = FKnown.emplace(Cell, std::move(text)).first;
        }
        return it->second;
    }

private:
    // Looked up by the cell's view, without a string made for it.
    struct THash {
        using is_transparent = void;
        size_t operator()(std::string_view S) const { return std::hash<std::string_view>()(S); }
    };
    std::unordered_map<AnsiString, AnsiString, THash, std::equal_to<>> FKnown;
};

// One word of the setup section; false at the end of the file.
bool ReadWord(std::FILE* File, AnsiString& Word)
{
    Word.clear();
    int c;
    while ((c = std::fgetc(File)) != EOF && std::isspace(c)) {
    }
    if (c == EOF)
        return false;
    do
        Word += static_cast<char>(c);
    while ((c = std::fgetc(File)) != EOF && !std::isspace(c));
    return true;
}

// The first word of a line that ends the steps: the end marker, or any word longer than a
// step number can be (the marker of a following section among them).
bool EndsTheSteps(const AnsiString& FirstWord)
{
    return FirstWord == EndMarker || FirstWord.size() > 10;
}

int NominalUnitPosition(TFunctionKind Kind, const AnsiString& Word, int Previous)
{
    auto tail = [&Word](size_t n) { return Word.size() > n ? Word.substr(Word.size() - n) : Word; };
    if (Kind == TFunctionKind::Capacitance) {
        const AnsiString t = tail(2);
        return t == "pF" ? 0 : t == "nF" ? 1 : t == "uF" ? 2 : t == "mF" ? 3 : Previous;
    }
    if (Kind == TFunctionKind::Inductance) {
        const AnsiString t = tail(2);
        return t == "uH" ? 0 : t == "mH" ? 1 : Trim(t) == "H" ? 2 : t == "KH" || t == "kH" ? 3 : Previous;
    }
    const AnsiString t = Trim(tail(4));
    return t == "ohm" ? 0 : t == "Kohm" || t == "kohm" ? 1 : t == "Mohm" ? 2 : Previous;
}

} // namespace

AnsiString ListSetupSectionText()
{
    TRavArodozIdad* g = LCRForm->ListSetupGrid;
    AnsiString text = PadField(SetupMarker, 30) + "\r\n";
    text += FieldLine({"Step", "Function", "Freq_Type", "Freq_Value", "Level_Type", "Level_Value",
        "Limit_Type", "Limit_Mode", "(null)", "Unit", "Primary_Lower", "Primary_Upper", "(null)", "Unit",
        "Second_Lower", "Second_Upper", "Monitor(1)", "Monitor(2)", "Nominal", "Unit"}, SetupWidths, false) + "\r\n";
    const int rows = g->GetRowCountEx();
    for (int r = 1; r < rows; ++r)
        text += SetupRowLine(r) + "\r\n";
    return text;
}

void WriteListSetupFile(const AnsiString& Path)
{
    const AnsiString header = DataFileHeader(Path, Now(), CurrentDataFileIdentity());
    SafeSaveFile(Path, [&](TSafeSave& file) {
        file.Write(header);
        file.Write(ListSetupSectionText());
        WriteFileLine(file, PadField(EndMarker, 23));
    });
}

void ReadListSetupFile(const AnsiString& Path)
{
    TLCRForm* f = LCRForm;
    TRavArodozIdad* g = f->ListSetupGrid;
    std::FILE* file = std::fopen(MapWindowsPath(Path).c_str(), "rb");
    if (!file) {
        ShowMessageBox("The file " + Path + " cannot be read !", "Warning", MB_OK | MB_ICONWARNING);
        return;
    }
    // Read everything first: a bad file leaves the list as it was.
    std::vector<std::vector<AnsiString>> steps;
    AnsiString word, problem;
    bool marker = false, ended = false;
    while (!marker && ReadWord(file, word))
        marker = word == SetupMarker;
    std::vector<AnsiString> group;
    bool names = true;
    // Steps beyond the list's 1000 are read over, and the first 1000 taken.
    bool tooMany = false;
    while (marker && !ended && ReadWord(file, word)) {
        if (group.empty() && EndsTheSteps(word)) {
            ended = true;
            break;
        }
        group.push_back(word);
        if (group.size() < 20)
            continue;
        if (!names) {
            if (steps.size() == MaxSteps)
                tooMany = true;
            else
                steps.push_back(group);
        }
        names = false;
        group.clear();
    }
    std::fclose(file);
    if (problem.empty() && (!marker || !ended || !group.empty()))
        problem = "The file is not complete !";
    if (problem.empty() && steps.empty())
        problem = "The file holds no step !";
    for (size_t q = 0; problem.empty() && q < steps.size(); ++q) {
        double v = 0;
        const AnsiString n = steps[q][18] == "(null)" ? AnsiString("0") : steps[q][18];
        if (!TryStrToFloat(n, v) || !NominalStorable(v))
            problem = "Step" + IntToStr(static_cast<int>(q) + 1) + " nominal is no number !";
    }
    if (!problem.empty()) {
        ShowMessageBox(problem + " " + Path, "Warning", MB_OK | MB_ICONWARNING);
        return;
    }

    g->ClearRect(1, 1, 17, g->GetRowCountEx() - 1);
    const int count = static_cast<int>(steps.size());
    g->SetRowCountEx(count + 1);
    for (int q = 1; q <= count; ++q) {
        const auto& w = steps[static_cast<size_t>(q - 1)];
        for (int c = 0; c <= 17; ++c) {
            AnsiString t = w[static_cast<size_t>(c)] == "(null)" ? AnsiString() : w[static_cast<size_t>(c)];
            if (t == "H")
                t = " H";
            else if (t == "ohm")
                t = " ohm";
            g->SetCellEx(c, q, t);
        }
        const AnsiString n = w[18] == "(null)" ? AnsiString("0") : w[18];
        f->StepNominal[q] = StoreNominal(StrToFloat(n));
        const AnsiString u = w[19] == "(null)" ? AnsiString() : w[19];
        // An unknown unit gives the first position of the function's list.
        const int unit = u.empty() ? 0 : NominalUnitPosition(NominalKind(g->GetCellEx(1, q)), u, 0);
        f->StepNominalUnit[q] = unit;
    }
    // The Step column holds the row numbers, whatever words the file had there.
    g->AutoNumberCol(0);
    f->ListStepCount = count;
    g->Refresh();
    if (tooMany)
        ShowMessageBox(AnsiString(" 1 <= Step Count <= 1000 ") + " " + Path, "Warning", MB_OK | MB_ICONWARNING);
}

void WriteListMeasResultFile(const AnsiString& Path)
{
    TRavArodozIdad* g = LCRForm->ListMeasGrid;
    const AnsiString header = DataFileHeader(Path, Now(), CurrentDataFileIdentity());
    SafeSaveFile(Path, [&](TSafeSave& file) {
        // The setup the records were measured with; the current one before any run.
        const AnsiString& measured = LCRForm->MeasuredSetupSection;
        const AnsiString setup = measured.empty() ? ListSetupSectionText() : measured;
        file.Write(header);
        file.Write(setup);
        WriteFileLine(file, PadField("**********List_Meas_Result**********", 36));
        WriteFileLine(file, FieldLine({"Record_No", "Loop", "Step", "Function", "Mon(1)", "Mon(2)", "Freq(kHz)",
            "Level", "Unit", "Primary", "Unit", "Second", "Unit", "Monitor(1)", "Unit", "Monitor(2)", "Unit",
            "CMP(P/S)"}, ResultWidths, true));
        // A million records: one line buffer, the cells read in one pass a row, no copies.
        const int rows = g->GetRowCountEx();
        TKhzTexts khz;
        AnsiString line;
        std::string_view cells[12];
        AnsiString bufs[12];
        auto field = [&line](size_t Index, std::string_view Text) {
            line += ' ';
            AppendField(line, Text.empty() ? std::string_view("(null)") : Text,
                static_cast<size_t>(ResultWidths[Index]));
        };
        for (int r = 1; r < rows; ++r) {
            line.clear();
            g->GetRowEx(r, cells, bufs);
            char number[16];
            field(0, std::string_view(number, static_cast<size_t>(std::to_chars(number, number + sizeof number, r).ptr - number)));
            for (size_t c = 0; c <= 4; ++c)
                field(c + 1, cells[c]);
            field(6, khz.Of(cells[5]));
            for (size_t c = 6; c <= 10; ++c) {
                const TCellParts parts = SplitCell(cells[c]);
                field(2 * c - 5, parts.Number);
                field(2 * c - 4, parts.Unit);
            }
            field(17, TrimLeftView(cells[11]));
            line += "\r\n";
            file.Write(line);
        }
        WriteFileLine(file, PadField(EndMarker, 23));
    });
}

void TLCRForm::ListSetupOpenBtnClick(TObject*)
{
    if (InputError)
        return;
    SetUpFileDialog(ListSetupOpenDialog, "Open List Setup Procedure Data", ListSetupFolder, "Text(*.txt)|*.txt",
        "txt");
    if (!ListSetupOpenDialog->Execute())
        return;
    const AnsiString path = ListSetupOpenDialog->FileName();
    if (!HasNameMarker(path, "ListSetup")) {
        ShowMessageBox("File name format Error !", "Warning", MB_OK | MB_ICONWARNING);
        return;
    }
    ReadListSetupFile(path);
    if (ListSetupPan->CanFocus())
        ListSetupPan->SetFocus();
}

void TLCRForm::ListSetupSaveBtnClick(TObject*)
{
    if (InputError || ListSetupGrid->GetCellEx(0, 1).empty())
        return;
    const AnsiString path = ChooseSaveFile(ListSetupSaveDialog, "Save List Setup Data", ListSetupFolder,
        "ListSetup");
    if (!path.empty())
        WriteListSetupFile(path);
    if (ListSetupPan->CanFocus())
        ListSetupPan->SetFocus();
}

void TLCRForm::ListMeasResultSaveBtnClick(TObject*)
{
    const AnsiString path = ChooseSaveFile(ListMeasSaveDialog, "Save List Meas Result Data", ListMeasResultFolder,
        "ListMeasResult");
    if (!path.empty())
        WriteListMeasResultFile(path);
    if (ListMeasPan->CanFocus())
        ListMeasPan->SetFocus();
}
