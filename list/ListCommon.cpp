#include "list/ListCommon.h"

#include <cmath>
#include <cstdio>

#include "components/controls/Voduriz.h"
#include "main/Lcr.h"
#include "main/Public.h"
#include "platform/core/DateTime.h"
#include "platform/core/FileUtils.h"
#include "platform/core/FloatConvert.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Dialogs.h"

AnsiString RightAlign(const AnsiString& Text, size_t Width)
{
    return Text.size() >= Width ? Text : AnsiString(Width - Text.size(), ' ') + Text;
}

AnsiString DataFileHeader(const AnsiString& FileName)
{
    const TLCRForm* f = LCRForm;
    const TDateTime now = Now();
    const AnsiString exe = f->ExeDateTimeText;
    return RightAlign("Date:" + FormatDateTime("yyyy'/'MM'/'DD", now), 15) + "\r\n" +
        RightAlign("Time:" + FormatDateTime("HH':'mm':'ss", now), 13) + "\r\n" +
        RightAlign("File_Name:" + FileName, 20) + "\r\n" + RightAlign(f->ProgramVersionText, 12) + "\r\n" +
        RightAlign(f->ProgramDateText, 23) + "\r\n" + "Exe_DateTime:" + RightAlign(exe, 19) + "\r\n" +
        "Serial_No:" + RightAlign(f->SerialNumber, 10) + "\r\n";
}

bool SaveFileSafely(const AnsiString& FileName, const std::function<bool(const AnsiString& TempName)>& Write)
{
    const AnsiString temp = FileName + ".saving";
    bool ok = false;
    try {
        ok = Write(temp) && RenameFile(temp, FileName);
    } catch (const Exception&) {
        ok = false;
    }
    if (!ok) {
        DeleteFile(temp);
        ShowMessageBox("''" + FileName + "'' cannot be written !", "Warning", MB_OK | MB_ICONWARNING);
    }
    return ok;
}

bool SaveTextFileSafely(const AnsiString& FileName, const AnsiString& Content)
{
    return SaveFileSafely(FileName, [&](const AnsiString& temp) {
        std::FILE* file = std::fopen(temp.c_str(), "wb");
        if (!file)
            return false;
        const bool written = std::fwrite(Content.data(), 1, Content.size(), file) == Content.size();
        const bool flushed = std::fflush(file) == 0;
        return std::fclose(file) == 0 && written && flushed;
    });
}

namespace {
// Unit list and prefix list of a function's kind (1-4 capacitance, 5-8 inductance, others).
const char* const* UnitList(int Function, int& Count)
{
    static const char* const c[] = {"pF", "nF", "uF", "mF"};
    static const char* const l[] = {"uH", "mH", " H", "kH"};
    static const char* const r[] = {" ohm", "kohm", "Mohm"};
    if (Function >= 1 && Function <= 4) {
        Count = 4;
        return c;
    }
    if (Function >= 5 && Function <= 8) {
        Count = 4;
        return l;
    }
    Count = 3;
    return r;
}
} // namespace

void FillNominalUnitBox(const AnsiString& FunctionName, const AnsiString& Selector)
{
    TComboBox* box = Selector == "ListSweep" ? LCRForm->SweepNomUnitBox
        : Selector == "SweepGraph"          ? LCRForm->SweepGraphNomUnitBox
                                            : nullptr;
    if (!box)
        return;
    // An unknown name gives the capacitance list.
    const int kind = FunctionIndex(FunctionName);
    int n = 0;
    const char* const* units = UnitList(kind, n);
    box->Items()->Clear();
    for (int i = 0; i < n; ++i)
        box->Items()->Add(units[i]);
    box->SetItemIndex(0);
}

AnsiString NominalText(int Function, double Value, int UnitPos)
{
    int n = 0;
    const char* const* units = UnitList(Function, n);
    if (UnitPos < 0 || UnitPos >= n)
        UnitPos = 0;
    AnsiString prefix = AnsiString(1, units[UnitPos][0]);
    if ((Function >= 5 && Function <= 8 && prefix == "k") || (Function >= 9 && prefix == "M")) {
        --UnitPos;
        Value *= 1000;
        prefix = AnsiString(1, units[UnitPos][0]);
    }
    if (prefix == " ")
        prefix.clear();
    return Trim(FormatSignificant(Value, 7)) + prefix;
}

double SweepPointValue(double Start, double End, int N, int K)
{
    if (N <= 1 || K <= 1)
        return Start;
    if (K >= N)
        return End;
    const double v = Start + (K - 1) * (End - Start) / (N - 1);
    return End >= Start ? std::min(v, End) : std::max(v, End);
}

bool ParseValueText(const AnsiString& Text, double& Number, AnsiString& Prefix, AnsiString& Unit)
{
    Number = 0;
    Prefix.clear();
    Unit.clear();
    const size_t start = Text.find_first_not_of(' ');
    if (start == AnsiString::npos)
        return false;
    const AnsiString t = Text.substr(start);
    const size_t blank = t.find(' ');
    const AnsiString number = t.substr(0, blank);
    if (number == "OVERLOAD" || number == "OVERLOA") {
        Unit = Trim(blank == AnsiString::npos ? AnsiString() : t.substr(blank));
        return false;
    }
    Number = StrToFloat(number);
    if (blank == AnsiString::npos)
        return true;
    // One blank separates the number; then the prefix letter or a blank, then the unit.
    const AnsiString rest = t.substr(blank + 1);
    if (!rest.empty() && rest[0] != ' ' && AnsiString("pnumkMG").find(rest[0]) != AnsiString::npos) {
        Prefix = rest.substr(0, 1);
        Unit = Trim(rest.substr(1));
    } else {
        Unit = Trim(rest);
    }
    return true;
}
