// The command exchange with the instrument: one line out, one line back, paced by fixed
// waits; settings are read back and sent again while the instrument disagrees.
#include <cmath>

#include "components/comm/Sercomm.h"
#include "components/controls/Voduriz.h"
#include "components/grid/Ravgrid.h"
#include "main/Lcr.h"
#include "main/Public.h"
#include "panel/PanelPublic.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FloatConvert.h"
#include "platform/core/IntConvert.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Label.h"
#include "platform/forms/Image.h"
#include "platform/forms/StaticText.h"
#include "platform/forms/StatusBar.h"
#include "platform/forms/Timer.h"
#include "platform/win/Timing.h"

namespace {

bool LongWaits()
{
    return LCRForm->BaudIndex == 1;
}

void Wait(DWORD Long, DWORD Short)
{
    Sleep(LongWaits() ? Long : Short);
}

bool IsFetchQuery(const AnsiString& Command)
{
    return Command == "FETC?" || Command == "FETC:IMP?" || Command == "FETC:MAIN?" || Command == "FETC:MON1?" ||
        Command == "FETC:MON2?";
}

bool IsSeparateQuery(const AnsiString& Query)
{
    return Query == "DISP:PAGE?" || Query == "TRIG:DLY?" || Query == "SYST:SHAK?" || Query == "SYST:CODE?" ||
        Query == "SYST:RES?";
}

// Writes a line straight to the port, outside SendCommand.
void WriteLine(const AnsiString& Line)
{
    WritePort(Line + "\n");
}

// Brings the polling back when an exchange that paused it ends, however it ends.
struct TPollingResume {
    bool Armed = false;
    ~TPollingResume()
    {
        if (Armed && LCRForm->VerifyBusy) {
            LCRForm->VerifyBusy = false;
            LCRForm->LCRTimer->SetEnabled(true);
            LCRForm->ReplyReady = true;
        }
    }
};

double PrefixFactor(char P)
{
    switch (P) {
    case 'k': return 1e3;
    case 'M': return 1e6;
    case 'G': return 1e9;
    case 'm': return 1e-3;
    case 'u': return 1e-6;
    case 'n': return 1e-9;
    case 'p': return 1e-12;
    case 'f': return 1e-15;
    default: return 0;
    }
}

// A nominal text (number and an optional prefix letter) as a value.
bool NominalValueOf(const AnsiString& Text, double& Value)
{
    AnsiString t = Trim(Text);
    double factor = 1;
    if (!t.empty() && PrefixFactor(t.back()) != 0) {
        factor = PrefixFactor(t.back());
        t.pop_back();
    }
    double v = 0;
    if (!TryStrToFloat(t, v))
        return false;
    Value = v * factor;
    return true;
}

bool ReadBackMatches(const AnsiString& Reply, const AnsiString& Query, const AnsiString& Expected)
{
    if (Reply == Expected)
        return true;
    // The instrument may write the same nominal value with other digits.
    if (Query == "COMP:TOL:NOM?") {
        double a = 0, b = 0;
        if (NominalValueOf(Reply, a) && NominalValueOf(Expected, b))
            return std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b));
    }
    return false;
}

AnsiString NormalizedReply(AnsiString Reply, const AnsiString& Query)
{
    if (Reply.empty())
        return Reply;
    // A reply of the numeric length that holds no number is left as it is: it then simply differs.
    if (Reply.size() == 12 && Query == "FREQ?")
        Reply = NormalizeQueryReply(Reply, "Freq");
    else if ((Reply.size() == 9 || Reply.size() == 10) && (Query == "VOLT?" || Query == "LEV:CURR?"))
        Reply = NormalizeQueryReply(Reply, Query == "LEV:CURR?" ? "Level(mA)" : "Level(V)");
    else if (Reply.size() == 11 && Query == "COMP:TOL:NOM?")
        Reply = NormalizeQueryReply(Reply, "Nominal");
    if (Query != "FUNC?" && Query != "COMP:TOL:NOM?")
        Reply = AnsiUpperCase(Reply);
    return Reply;
}

void ShowOffLine()
{
    TLCRForm* f = LCRForm;
    ShowMessageBox("''" + f->ModelName + "'' ComPort Off_Line !", "Warning", MB_OK | MB_ICONWARNING);
    f->LockCompIma->SetVisible(false);
    f->ALCErrorLab->SetVisible(false);
    f->StatusBar->SetSimpleText(" ComPort Off_Line ");
    f->AlcErrorTicks = 1;
    f->ALCTimer->SetEnabled(false);
}

} // namespace

bool WritePort(const AnsiString& Text)
{
    TLCRForm* f = LCRForm;
    try {
        return f->LCRCom->WriteText(Text);
    } catch (ESerCommError&) {
        // The device is gone. Once off line, there is nobody to tell twice.
        if (!f->Connected)
            return false;
        f->InstrumentOffLine();
        Abort();
    }
}

void SendCommand(const AnsiString& Command)
{
    TLCRForm* f = LCRForm;
    if (Command.empty())
        return;
    const bool fetch = IsFetchQuery(Command);
    bool paused = false;
    if (f->LCRTimer->Enabled() && !fetch) {
        f->LCRTimer->SetEnabled(false);
        paused = true;
    }
    if (!f->LCRCom->Active()) {
        ShowOffLine();
        return;
    }
    f->LCRCom->ReadText();
    f->LastCommand = Command;
    if (Command == "TRIG") {
        // A new reading is on its way: the next fetch may go at once.
        f->TriggeredReadingAwaited = true;
        f->ReplyReady = true;
    }
    WritePort(Command + "\n");
    if (!fetch) {
        if (Command.back() == '?')
            Wait(300, 50);
        else
            Wait(200, 100);
    }
    if (paused && !f->VerifyBusy) {
        f->LCRTimer->SetEnabled(true);
        f->ReplyReady = true;
    }
}

AnsiString ReadReply()
{
    TLCRForm* f = LCRForm;
    f->RxBuffer.clear();
    AnsiString reply = f->LCRCom->ReadText();
    for (int i = 0; i < 4 && (reply.empty() || reply.back() != '\n'); ++i) {
        reply += f->LCRCom->ReadText();
        if (reply.empty())
            break;
    }
    if (!reply.empty() && reply.back() == '\n')
        reply.pop_back();
    // The instrument answers in order: lines in front are late replies to earlier queries
    // (readings of the polling), and the last line answers the query just sent.
    const auto lf = reply.rfind('\n');
    if (lf != AnsiString::npos)
        reply.erase(0, lf + 1);
    return reply;
}

bool SendAndVerify(const AnsiString& Command, const AnsiString& Query, const AnsiString& Expected)
{
    TLCRForm* f = LCRForm;
    // Off line: one notice, then nothing more to try.
    if (!f->LCRCom->Active()) {
        SendCommand(Command);
        return false;
    }
    TPollingResume resume;
    if (f->LCRTimer->Enabled() && !IsFetchQuery(Command)) {
        f->VerifyBusy = true;
        f->LCRTimer->SetEnabled(false);
        resume.Armed = true;
        int extraReads = 0;
        for (int pass = 0; pass < 4 && !f->ReplyReady; ++pass) {
            Sleep(100);
            AnsiString r = ReadReply();
            while (!r.empty() && extraReads < 4) {
                Sleep(100);
                r = ReadReply();
                ++extraReads;
            }
            if (r.empty())
                f->ReplyReady = true;
        }
        f->ReplyReady = false;
    }

    const bool joined = !IsSeparateQuery(Query);
    const AnsiString line = joined ? Command + ";:" + Query : Command;
    SendCommand(line);
    if (!f->LCRCom->Active())
        return false;
    if (joined) {
        if (line == "FUNC Z-thr;:FUNC?")
            Sleep(200);
        else {
            if (Query == "FREQ?")
                WaitMeasureTime();
            Sleep(100);
        }
    }
    const bool systemQuery = Query == "SYST:SHAK?" || Query == "SYST:CODE?" || Query == "SYST:RES?" ||
        Query == "DISP:PAGE?";
    if (systemQuery)
        Wait(800, 400);
    else if (f->DcrSettlePending && line != "FUNC DCR") {
        f->DcrSettlePending = false;
        Wait(800, 400);
    }
    if (!joined)
        SendCommand(Query);
    AnsiString reply = NormalizedReply(ReadReply(), Query);

    for (int attempt = 0; attempt < 4 && !ReadBackMatches(reply, Query, Expected); ++attempt) {
        SendCommand(line);
        if (!f->LCRCom->Active())
            return false;
        if (Query == "FREQ?")
            WaitMeasureTime();
        Wait(400, 200);
        if (!joined)
            SendCommand(Query);
        reply = NormalizedReply(ReadReply(), Query);
    }
    return ReadBackMatches(reply, Query, Expected);
}

AnsiString NormalizeQueryReply(const AnsiString& Reply, const AnsiString& Kind)
{
    const auto e = Reply.rfind('e');
    double mantissa = 0;
    int exponent = 0;
    // Not in the instrument's number form: nothing to normalise, the text stays as it came.
    if (e == AnsiString::npos || !TryStrToFloat(Reply.substr(0, e), mantissa) ||
        !TryStrToInt(Reply.substr(e + 1, 3), exponent))
        return Reply;

    if (Kind == "Freq" || Kind == "Level(V)" || Kind == "Level(mA)") {
        double scale = 1;
        if (exponent >= 0)
            scale = std::pow(10.0, exponent);
        else if (exponent == -1 || exponent == -2)
            scale = std::pow(10.0, exponent + 3);
        else if (exponent == -4 || exponent == -5)
            scale = std::pow(10.0, exponent + 6);
        double value = scale * mantissa;
        if (value >= 1000)
            value *= 0.001;
        else if (Kind == "Level(mA)" && value > 20)
            value *= 0.001;
        if (Kind == "Freq") {
            if (value < 10)
                return FloatToStrF(value, ffFixed, 5, 3);
            if (value >= 100)
                return FloatToStrF(value, ffFixed, 5, 1);
            return FloatToStrF(value, ffFixed, 5, 2);
        }
        if (value < 10)
            return FloatToStrF(value, ffFixed, 4, 2);
        if (value >= 100)
            return FloatToStrF(value, ffFixed, 5, 1);
        return FloatToStrF(value, ffFixed, 5, 2);
    }
    if (Kind != "Nominal")
        return {};

    TLCRForm* f = LCRForm;
    double value = mantissa;
    const auto inside = [](double v) { return (v > 0 && v < 1) || (v < 0 && v > -1); };
    if (exponent >= 0) {
        if (exponent == 1 || exponent == 2) { value /= std::pow(10.0, 3 - exponent); exponent = 3; }
        else if (exponent == 4 || exponent == 5) { value /= std::pow(10.0, 6 - exponent); exponent = 6; }
        else if (exponent == 7 || exponent == 8) { value /= std::pow(10.0, 9 - exponent); exponent = 9; }
        else if (exponent >= 10) value = 0;
        if (exponent > 0 && inside(value)) { value *= 1000; exponent -= 3; }
    } else {
        for (int base : {-3, -6, -9, -12, -15})
            if (exponent == base + 2 || exponent == base + 1) {
                value *= std::pow(10.0, exponent - base);
                exponent = base;
                break;
            }
        if (exponent < 0 && inside(value)) { value *= 0.001; exponent += 3; }
    }
    AnsiString prefix = PrefixOfPower(exponent);
    int function = f->MeasFunction;
    if (f->SweepIsActiveTest)
        function = FunctionIndex(f->SweepGraphFunBox->Text());
    else if (f->PageId >= 7 && f->PageId <= 9)
        function = FunctionIndex(f->ListSetupGrid->GetCellEx(1, f->ListStep));
    if (function >= 1 && function <= 4) {
        if (prefix == "f") { prefix = "p"; value *= 0.001; }
    } else if (function >= 5 && function <= 8) {
        if (prefix == "k") { prefix = ""; value *= 1000; }
    } else if (function >= 9) {
        const bool dcrRangeField = f->MeasFunction == 12 &&
            ((f->PageId == 2 && f->CursorField == 15) || (f->PageId == 5 && f->CursorField == 14));
        if (prefix == "G") { prefix = "M"; value *= 1000; }
        else if (prefix == "M" && dcrRangeField) { prefix = "k"; value *= 1000; }
        else if (prefix == "m" && f->MeasFunction != 12) { prefix = ""; value *= 0.001; }
        else if (prefix == "n") { prefix = "m"; value *= 0.000001; }
    }
    return Trim(FormatSignificant(value, 7)) + prefix;
}

void WaitMeasureTime()
{
    TLCRForm* f = LCRForm;
    int frequency = f->Frequency;
    int speed = f->Speed;
    if (f->PageId >= 7 && f->PageId <= 9) {
        speed = 2;
        AnsiString cell;
        // A list step's frequency is in the unit its own row names.
        double scale = 100000;
        if (f->PageId == 7 || f->ListMeasRunning) {
            cell = f->ListSetupGrid->GetCellEx(3, f->ListStep);
            if (f->ListSetupGrid->GetCellEx(2, f->ListStep) == "Freq(Hz)")
                scale = 100;
        } else if (f->PageId == 9 || f->SweepRunning) {
            cell = f->SweepResultGrid->GetCellEx(2, f->SweepPoint);
        }
        // A cell that holds no number gives no band: no measuring time to wait.
        frequency = static_cast<int>(std::lround(StrToFloatDef(Trim(cell), 0) * scale));
    }
    int base = 0;
    const int col = speed == 1 ? 0 : speed == 2 ? 1 : speed == 3 ? 2 : -1;
    static const int table[4][3] = {{500, 235, 67}, {580, 225, 160}, {580, 260, 180}, {820, 440, 270}};
    int band = -1;
    if (frequency >= 1000000 && frequency <= 20000000)
        band = 0;
    else if (frequency >= 12000 && frequency <= 999999)
        band = 1;
    else if (frequency >= 10000 && frequency <= 11999)
        band = 2;
    else if (frequency >= 1000 && frequency <= 9999)
        band = 3;
    if (band >= 0 && col >= 0)
        base = table[band][col];
    const long long ms = static_cast<long long>(f->AverageCount) * base + f->TrigDelay;
    if (ms > 0)
        Sleep(static_cast<DWORD>(ms));
}

void QueryRange()
{
    TLCRForm* f = LCRForm;
    const AnsiString query = f->MeasFunction == 12 ? "FUNC:DCR:RANG?" : "FUNC:IMP:RANG?";
    AnsiString reply;
    for (int attempt = 0; attempt < 5; ++attempt) {
        f->LCRCom->ReadText();
        WriteLine(query);
        Wait(100, 50);
        reply = ReadReply();
        if (reply.size() <= 1)
            break;
    }
    if (reply.size() != 1 || reply[0] < '0' || reply[0] > '8')
        return;
    f->RangeCode = (reply[0] - '0') + 10;
    const AnsiString caption = " [" + reply + "]" + "  AUTO";
    if (f->MeasDispRangeLab->Caption() != caption) {
        f->MeasDispRangeLab->SetCaption(caption);
        f->MeasSetupRangeLab->SetCaption(caption);
        f->BinMeasRangeLab->SetCaption(caption);
    }
}

void QueryFunction()
{
    TLCRForm* f = LCRForm;
    WriteLine("FUNC?");
    Wait(100, 50);
    AnsiString reply = ReadReply();
    for (int i = 0; i < 3 && reply.empty(); ++i) {
        WriteLine("FUNC?");
        Wait(200, 100);
        reply = ReadReply();
    }
    if (reply.empty())
        return;
    const int code = FunctionIndex(reply);
    f->MeasFunction = code;
    f->AutoLczFunction = code;
    SetFunction(code);
}

bool IdentifyInstrument()
{
    TLCRForm* f = LCRForm;
    AnsiString reply;
    for (int attempt = 0; attempt < 5 && reply.empty(); ++attempt) {
        SendCommand("*IDN?");
        if (attempt == 0)
            Wait(300, 100);
        else
            Wait(400, 200);
        reply = ReadReply();
    }
    if (reply.empty()) {
        ShowMessageBox("''" + f->ModelName + "'' ComPort Off_Line !", "Warning", MB_OK | MB_ICONWARNING);
        f->LockCompIma->SetVisible(false);
        f->StatusBar->SetSimpleText(" ComPort Off_Line ");
        return false;
    }
    // Fields count only when the comma after them is there.
    std::vector<AnsiString> fields;
    size_t start = 0;
    for (size_t comma = reply.find(','); comma != AnsiString::npos && fields.size() < 3;
         comma = reply.find(',', start)) {
        fields.push_back(reply.substr(start, comma - start));
        start = comma + 1;
    }
    AnsiString model = fields.size() > 0 ? fields[0] : AnsiString();
    if (model.size() == 3 && model.compare(0, 2, "ZV") == 0 && model[2] >= 'A' && model[2] <= 'E')
        model = "ZV-" + model.substr(2);
    static const struct { const char* Name; const char* KHz; } models[] = {{"ZV-A", "2"}, {"ZV-B", "20"},
        {"ZV-C", "100"}, {"ZV-D", "200"}, {"ZV-E", "300"}, {"ZV-XA", "2"}, {"ZV-XB", "20"}, {"ZV-XC", "100"},
        {"ZV-XD", "200"}, {"ZV-XE", "300"}};
    const char* kHz = nullptr;
    for (const auto& m : models)
        if (model == m.Name)
            kHz = m.KHz;
    if (!kHz) {
        ShowMessageBox("The ''Model''  error !", "Warning", MB_OK | MB_ICONWARNING);
        f->LockCompIma->SetVisible(false);
        f->StatusBar->SetSimpleText(" The ''Model''  error ! ");
        return false;
    }
    f->ModelName = model;
    f->TypeLab->SetCaption(model);
    f->FirmwareVersion = fields.size() > 1 ? fields[1] : AnsiString();
    f->SerialNumber = fields.size() > 2 ? fields[2] : AnsiString();
    SendAndVerify("SYST:SHAK OFF", "SYST:SHAK?", "OFF");
    SendAndVerify("SYST:CODE OFF", "SYST:CODE?", "OFF");
    SendAndVerify("SYST:RES fetch", "SYST:RES?", "FETCH");
    f->SweepEndEdit->SetText(kHz);
    f->SweepGraphEndEdit->SetText(kHz);
    f->FreqTypeLab->SetCaption(AnsiString("  10 Hz - ") + kHz + " kHz");
    return true;
}
