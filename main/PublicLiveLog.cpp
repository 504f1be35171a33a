// The live log: every complete reading of the measurement pages as one numbered record.
// The file is opened and closed for each record, so an abrupt end keeps what was written.
#include <cstdio>

#include "main/Lcr.h"
#include "main/Public.h"
#include "platform/core/DateTime.h"
#include "platform/core/FileUtils.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Label.h"
#include "platform/forms/StaticText.h"
#include "platform/win/Paths.h"

namespace {

// Right-aligned in Width; a longer text is written whole.
AnsiString Pad(const AnsiString& Text, size_t Width)
{
    return Text.size() >= Width ? Text : AnsiString(Width - Text.size(), ' ') + Text;
}

void WriteLine(std::FILE* File, const AnsiString& Line)
{
    const AnsiString bytes = Line + "\r\n";
    std::fwrite(bytes.data(), 1, bytes.size(), File);
}

std::FILE* OpenFile(const AnsiString& WindowsPath, const char* Mode)
{
    const AnsiString path = MapWindowsPath(WindowsPath);
    ForceDirectories(ExtractFileDir(path));
    for (int attempt = 0; attempt < 3; ++attempt)
        if (std::FILE* file = std::fopen(path.c_str(), Mode))
            return file;
    return nullptr;
}

// The enlarged display shows the measurement display's readings: it logs in that layout.
int LogLayout()
{
    const int page = LCRForm->PageId;
    if (page == 1 || page == 3)
        return 1;
    return page == 4 ? 4 : 0;
}

const char* const RangeNames[9] = {"100 kohm", "30 kohm", "10 kohm", "3 kohm", "1 kohm", "300 ohm", "100 ohm",
    "30 ohm", "10 ohm"};

// The range in force, from its code: the page's range label is hidden while a fixed range
// shows its picture, and then keeps an old text. AUTO and NOM read as that label reads, and
// only on a page that has one.
AnsiString RangeText(int Code, bool PageLabels)
{
    const int n = Code % 10;
    const int kind = Code / 10;
    if (Code < 0 || n > 8 || kind > 3)
        return {};
    if (kind == 0 || kind == 3)
        return "[" + std::to_string(n) + "]" + RangeNames[n];
    if (!PageLabels)
        return {};
    return " [" + std::to_string(n) + "]  " + (kind == 1 ? "AUTO" : "NOM");
}

AnsiString MonitorText(int Code, TLabel* Caption)
{
    switch (Code) {
    case 6: return " ABS";
    case 7: return " REL";
    case 8: return " Theta_r";
    case 9: return " Theta_d";
    default: return Caption->Caption();
    }
}

void ValueAndUnit(const AnsiString& Text, AnsiString& Value, AnsiString& Unit)
{
    const AnsiString left = TrimLeft(Text);
    const AnsiString t = Trim(Text);
    if (Text.empty() || t.empty() || t == "OVERLOAD") {
        Value = t == "OVERLOAD" ? "OVERLOAD" : "(null)";
        Unit = "(null)";
        return;
    }
    const auto blank = left.find(' ');
    Value = left.substr(0, blank);
    Unit = blank == AnsiString::npos ? AnsiString() : Trim(left.substr(blank));
}

} // namespace

void StartLiveLog()
{
    TLCRForm* f = LCRForm;
    // Name and header come from the same moment.
    const TDateTime now = Now();
    const AnsiString time = FormatDateTime("HH:mm:ss", now);
    const AnsiString date = FormatDateTime("yyyy/MM/dd", now);
    const AnsiString yy = date.substr(2, 2), mm = date.substr(5, 2), dd = date.substr(8, 2);
    const AnsiString name = yy + mm + dd + "-" + time.substr(0, 2) + time.substr(3, 2) + time.substr(6, 2) +
        "-LiveMeasResult.txt";
    const AnsiString path = f->LiveLogFolder + "\\" + name;
    if (FileExists(MapWindowsPath(path))) {
        // Readings go on while the user reads the question: they start no second log.
        if (f->LiveLogQuestionOpen)
            return;
        f->LiveLogQuestionOpen = true;
        const int answer = ShowMessageBox("Overwrite the exists file !", "Warning", MB_OKCANCEL);
        f->LiveLogQuestionOpen = false;
        if (answer != IDOK)
            return;
        DeleteFile(MapWindowsPath(path));
    }
    f->LiveLogPath = path;
    f->LiveLogFile = OpenFile(path, "wb+");
    if (!f->LiveLogFile)
        return;
    std::FILE* file = f->LiveLogFile;
    WriteLine(file, Pad("Date:" + yy + "/" + mm + "/" + dd, 13));
    WriteLine(file, Pad("Time:" + time, 13));
    WriteLine(file, "File_Name:" + Pad(path, 20));
    WriteLine(file, Pad(f->ProgramVersionText, 12));
    WriteLine(file, Pad(f->ProgramDateText, 23));
    WriteLine(file, Pad("Exe_DateTime:", 13) + Pad(f->ExeDateTimeText, 19));
    WriteLine(file, Pad("Serial_No:", 10) + Pad(f->SerialNumber, 10));

    const int layout = LogLayout();
    if (layout == 1)
        WriteLine(file, "**********Meas_Display_Setup**********");
    else if (layout == 4)
        WriteLine(file, "**********Bin_Meas_Setup**********");
    const bool meas = layout == 1, bin = layout == 4;
    auto caption = [&](TStaticText* m, TStaticText* b) {
        return meas ? m->Caption() : bin ? b->Caption() : AnsiString();
    };
    AnsiString func = caption(f->MeasDispFuncLab, f->BinMeasFuncLab);
    if (f->MeasFunction == 13)
        func = "Z_theta_r";
    else if (f->MeasFunction == 14)
        func = "Z_theta_d";
    const AnsiString range = RangeText(f->RangeCode, meas || bin);
    WriteLine(file, "FUNC:" + Pad(func, 12));
    WriteLine(file, "FREQ:" + Pad(caption(f->MeasDispFreqLab, f->BinMeasFreqLab), 12));
    WriteLine(file, "LEVEL:" + Pad(caption(f->MeasDispLevelLab, f->BinMeasLevelLab), 12));
    WriteLine(file, "RANGE:" + Pad(range, 12));
    WriteLine(file, "TRIG:" + Pad(caption(f->MeasDispTrigLab, f->BinMeasTrigLab), 12));
    WriteLine(file, "SPEED:" + Pad(caption(f->MeasDispSpeedLab, f->BinMeasSpeedLab), 12));
    WriteLine(file, "MON1:" + Pad(MonitorText(f->Monitor1, f->MeasDispMon1Lab), 12));
    WriteLine(file, "MON2:" + Pad(MonitorText(f->Monitor2, f->MeasDispMon2Lab), 12));
    if (bin) {
        WriteLine(file, "COMP:" + Pad(f->BinMeasCompLab->Caption(), 12));
        WriteLine(file, "AUX:" + Pad(f->BinMeasAuxLab->Caption(), 12));
    }
    if (meas) {
        WriteLine(file, "**********Live_Meas_Display_Result**********");
        WriteLine(file, Pad("Record_No", 10) + " " + Pad("Primary", 15) + " " + Pad("Unit", 6) + " " +
            Pad("Second", 15) + " " + Pad("Unit", 6) + " " + Pad("Monitor(1)", 16) + " " + Pad("Unit", 6) + " " +
            Pad("Monitor(2)", 16) + " " + Pad("Unit", 6));
    } else if (bin) {
        WriteLine(file, "**********Live_Bin_Meas_Result**********");
        WriteLine(file, Pad("Record_No", 10) + " " + Pad("Primary", 15) + " " + Pad("Unit", 6) + " " +
            Pad("Second", 15) + " " + Pad("Unit", 6));
    }
    CloseLiveLog();
}

bool OpenLiveLog()
{
    TLCRForm* f = LCRForm;
    if (f->LiveLogPath.empty() || !FileExists(MapWindowsPath(f->LiveLogPath)))
        StartLiveLog();
    if (f->LiveLogPath.empty())
        return false;
    CloseLiveLog();
    f->LiveLogFile = OpenFile(f->LiveLogPath, "ab+");
    return f->LiveLogFile != nullptr;
}

void CloseLiveLog()
{
    TLCRForm* f = LCRForm;
    if (f && f->LiveLogFile) {
        std::fclose(f->LiveLogFile);
        f->LiveLogFile = nullptr;
    }
}

void AppendLiveLogRecord()
{
    TLCRForm* f = LCRForm;
    const int layout = LogLayout();
    // A reading the log has no layout for is not counted either: no count without a line.
    if (layout == 0)
        return;
    if (!OpenLiveLog())
        return;
    ++f->LiveLogRecordCount;
    const AnsiString number = std::to_string(f->LiveLogRecordCount);
    AnsiString line = Pad(number, 10);
    AnsiString value, unit;
    ValueAndUnit(f->MeasValueText[0], value, unit);
    line += " " + Pad(value, 15) + " " + Pad(unit, 6);
    ValueAndUnit(f->MeasFunction == 12 ? AnsiString() : f->MeasValueText[1], value, unit);
    line += " " + Pad(value, 15) + " " + Pad(unit, 6);
    if (layout == 1) {
        f->MeasDispLogLab->SetCaption(number);
        ValueAndUnit(f->Monitor1 != 0 ? f->MeasValueText[2] : AnsiString(), value, unit);
        line += " " + Pad(value, 16) + " " + Pad(unit, 6);
        ValueAndUnit(f->Monitor2 != 0 ? f->MeasValueText[3] : AnsiString(), value, unit);
        line += " " + Pad(value, 16) + " " + Pad(unit, 6);
    } else {
        f->BinMeasLogLab->SetCaption(number);
    }
    WriteLine(f->LiveLogFile, line);
    CloseLiveLog();
}

void EndLiveLog()
{
    TLCRForm* f = LCRForm;
    if (!OpenLiveLog())
        return;
    WriteLine(f->LiveLogFile, "**********END**********");
    CloseLiveLog();
    const int layout = LogLayout();
    if (layout == 1)
        f->MeasDispLogLab->SetCaption(" OFF");
    else if (layout == 4)
        f->BinMeasLogLab->SetCaption(" OFF");
}

void ShowSetupCaptionColors()
{
    TLCRForm* f = LCRForm;
    TStaticText* labs[3] = {nullptr, nullptr, nullptr};
    if (f->PageId == 1) {
        labs[0] = f->MeasDispFuncLab;
        labs[1] = f->MeasDispFreqLab;
        labs[2] = f->MeasDispLevelLab;
    } else if (f->PageId == 4) {
        labs[0] = f->BinMeasFuncLab;
        labs[1] = f->BinMeasFreqLab;
        labs[2] = f->BinMeasLevelLab;
    } else {
        return;
    }
    constexpr TColor green = TColorOf(0x00FF00);
    constexpr TColor grey = TColorOf(0x808080);
    if (f->MeasFunction == 12) {
        labs[0]->Font()->SetColor(green);
        labs[1]->Font()->SetColor(grey);
        labs[2]->Font()->SetColor(grey);
        return;
    }
    for (TStaticText* l : labs)
        l->Font()->SetColor(f->LogRunning ? grey : green);
}
