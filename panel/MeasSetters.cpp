// The setters of the measurement settings: each stores its value, redraws it on every page
// that shows it (shown or not) and sends it with its read-back.
#include <algorithm>
#include <cmath>

#include "components/comm/Sercomm.h"
#include "main/Public.h"
#include "panel/PanelPublic.h"
#include "panel/PanelForm.h"
#include "panel/PanelPictures.h"
#include "panel/PanelRules.h"
#include "platform/core/IntConvert.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/StaticText.h"
#include "platform/forms/StatusBar.h"
#include "platform/forms/Timer.h"
#include "platform/win/Timing.h"

using namespace panel;

namespace {

struct TFunctionNames {
    const char* Word;
    const char* Primary;
    const char* Secondary;
};
// Codes 1-16, and 17 for the display of automatic LCZ selection.
const TFunctionNames kFunctions[18] = {
    {"", "", ""},          {"Cs-Rs", "Cs", "Rs"}, {"Cs-D", "Cs", "D"},   {"Cp-Rp", "Cp", "Rp"},
    {"Cp-D", "Cp", "D"},   {"Lp-Rp", "Lp", "Rp"}, {"Lp-Q", "Lp", "Q"},   {"Ls-Rs", "Ls", "Rs"},
    {"Ls-Q", "Ls", "Q"},   {"Rs-Q", "Rs", "Q"},   {"Rp-Q", "Rp", "Q"},   {"R-X", "R", "X"},
    {"DCR", "DCR", ""},    {"Z-thr", "Z", ""},    {"Z-thd", "Z", ""},    {"Z-D", "Z", "D"},
    {"Z-Q", "Z", "Q"},     {"AUTO_LCZ", "Lp", "Q"}};

const char* const kMonitorCommandWords[15] = {"OFF", "Z", "D", "Q", "VAC", "IAC", "ABS", "PER",
                                       "THR", "THD", "R", "X", "G", "B", "Y"};

bool MonUsesNominal(int code)
{
    return code == 6 || code == 7;
}

bool AnyMonUsesNominal()
{
    return MonUsesNominal(Form().Monitor1) || MonUsesNominal(Form().Monitor2);
}

const char* SrcWord(int v)
{
    return v == 1 ? "SRC30" : v == 2 ? "SRC50" : "SRC100";
}

const char* MonPictureWord(int code)
{
    switch (code) {
    case 6: return "ABS";
    case 7: return "REL";
    case 8: return "0r";
    case 9: return "0d";
    }
    return "";
}

// The DCR layout moves the primary value down into the room of the secondary line.
constexpr int kDcrShiftMeas = 32;
constexpr int kDcrShiftEnla = 38;

void ShiftPrimary(int sign)
{
    auto& f = Form();
    for (TControl* c : {static_cast<TControl*>(f.MeasDispFunc1ValueSta), static_cast<TControl*>(f.MeasDispFunc1UnitIma)})
        if (c)
            c->SetTop(c->Top() + sign * kDcrShiftMeas);
    for (TControl* c : {static_cast<TControl*>(f.EnlaDispFunc1ValueSta), static_cast<TControl*>(f.EnlaDispFunc1UnitIma)})
        if (c)
            c->SetTop(c->Top() + sign * kDcrShiftEnla);
}

// The labels that do not apply to DCR.
std::vector<TControl*> DcrGreyLabels()
{
    auto& f = Form();
    return {f.MeasDispFreqLab, f.MeasDispLevelLab, f.MeasSetupFreqLab, f.MeasSetupLevelLab, f.MeasSetupBiasLab,
            f.MeasSetupLczLab, f.MeasSetupAlcLab,  f.BinSetupAuxLab,   f.BinSetupOpenLab,   f.BinSetupLab2nd,
            f.BinSetupLowLab2nd, f.BinSetupUpLab2nd, f.BinMeasFreqLab, f.BinMeasLevelLab, f.BinMeasAuxLab};
}

void LayOutDcr()
{
    auto& f = Form();
    const bool already = f.DcrLayout;
    f.DcrLayout = true;
    f.DcrSettlePending = true;
    if (!already)
        ShiftPrimary(+1);
    for (TControl* c : std::initializer_list<TControl*>{
             f.MeasDispFunc2Ima, f.MeasDispFunc2Lab, f.MeasDispFunc2ValueSta, f.MeasDispFunc2UnitIma,
             f.EnlaDispFunc2Ima, f.EnlaDispFunc2Lab, f.EnlaDispFunc2ValueSta, f.EnlaDispFunc2UnitIma,
             f.MeasDispMon1Ima,  f.MeasDispMon1Lab,  f.MeasDispMon1ValueSta,  f.MeasDispMon1UnitIma,
             f.EnlaDispMon1Ima,  f.EnlaDispMon1Lab,  f.EnlDispMon1ValueSta,   f.EnlaDispMon1UnitIma,
             f.MeasDispMon2Ima,  f.MeasDispMon2Lab,  f.MeasDispMon2ValueSta,  f.MeasDispMon2UnitIma,
             f.EnlaDispMon2Ima,  f.EnlaDispMon2Lab,  f.EnlDispMon2ValueSta,   f.EnlaDispMon2UnitIma,
             f.BinMeasFunc2ValueSta, f.BinMeasFunc2UnitIma})
        Show(c, false);
    for (TControl* c : DcrGreyLabels())
        SetFontColor(c, kGrey);
    LoadPanelPicture(f.MeasSetupSRCIma, FieldPicture(SrcWord(f.SourceRes), "BG"));
    const struct {
        int Code;
        TImage* Ima;
        TControl* Lab;
    } mons[] = {{f.Monitor1, f.MeasSetupMon1Ima, f.MeasSetupMon1Lab}, {f.Monitor2, f.MeasSetupMon2Ima, f.MeasSetupMon2Lab}};
    for (const auto& m : mons) {
        if (m.Code >= 6 && m.Code <= 9) {
            Show(m.Ima, true);
            Show(m.Lab, false);
            LoadPanelPicture(m.Ima, FieldPicture(MonPictureWord(m.Code), "BG"));
        } else {
            Show(m.Ima, false);
            Show(m.Lab, true);
            SetFontColor(m.Lab, kGrey);
        }
    }
    if (AnyMonUsesNominal()) {
        SetFontColor(f.MeasSetupNomLab, kGrey);
        static const char* const dcrUnits[5] = {"DCRmohm", "DCRmohm", "ohm", "Kohm", "Mohm"};
        LoadPanelPicture(f.MeasSetupNomIma, FieldPicture(dcrUnits[std::clamp(f.NominalUnit, 1, 4)], "BG"));
    }
}

void LeaveDcr()
{
    auto& f = Form();
    ShiftPrimary(-1);
    f.DcrLayout = false;
    for (TControl* c : std::initializer_list<TControl*>{
             f.MeasDispFunc2ValueSta, f.MeasDispFunc2UnitIma, f.EnlaDispFunc2ValueSta, f.EnlaDispFunc2UnitIma,
             f.MeasDispMon2ValueSta, f.MeasDispMon2UnitIma, f.EnlDispMon2ValueSta, f.EnlaDispMon2UnitIma,
             f.BinMeasFunc2Lab, f.BinMeasFunc2Ima, f.BinMeasFunc2ValueSta, f.BinMeasFunc2UnitIma})
        Show(c, true);
    auto lime = DcrGreyLabels();
    lime.push_back(f.MeasSetupMon1Lab);
    lime.push_back(f.MeasSetupMon2Lab);
    for (TControl* c : lime)
        SetFontColor(c, kLime);
    LoadPanelPicture(f.MeasSetupSRCIma, FieldPicture(SrcWord(f.SourceRes), "B"));
    SetMonitor("Mon1", f.Monitor1);
    SetMonitor("Mon2", f.Monitor2);
}

bool FunctionFieldSelected()
{
    auto& f = Form();
    return ((f.PageId == 1 || f.PageId == 2 || f.PageId == 4) && f.CursorField == 1)
        || (f.PageId == 5 && f.CursorField == 16);
}

// ---- frequency ----

const int kFreqPresets[16] = {0,       1000,     5000,     6000,     10000,    12000,    100000,   1000000,
                              2000000, 4000000,  5000000,  10000000, 20000000, 30000000, 200000,   25000000};

int ModelLetter()
{
    const AnsiString& m = Form().ModelName;
    if (m.size() == 4 && m.compare(0, 3, "ZV-") == 0)
        return m[3];
    if (m.size() == 5 && m.compare(0, 4, "ZV-X") == 0)
        return m[4];
    return 0;
}

int ModelMaxFrequency()
{
    switch (ModelLetter()) {
    case 'A': return 200000;
    case 'B': return 2000000;
    case 'C': return 10000000;
    case 'D': return 20000000;
    }
    return 30000000;
}

} // namespace

int ModelTopPreset()
{
    switch (ModelLetter()) {
    case 'A': return 14;
    case 'B': return 8;
    case 'C': return 11;
    case 'D': return 12;
    }
    return 13;
}

namespace {

// A preset above what the model reaches makes the kHz display find the preset again.
bool PresetAboveModel(int arg)
{
    switch (ModelLetter()) {
    case 'A': return arg > 6;
    case 'B': return arg > 8 && arg != 14;
    case 'C': return arg > 11 && arg != 14;
    case 'D': return arg > 12 && arg != 14;
    case 'E': return arg > 13 && arg != 14 && arg != 15;
    }
    return false;
}

int KHzStep(double x, int old)
{
    if (x >= 250) return 13;
    if (x >= 200) return 15;
    if (x >= 100) return 11;
    if (x >= 50) return 10;
    if (x >= 40) return 9;
    if (x >= 20) return 8;
    if (x >= 10) return 7;
    if (x >= 2) return 14;
    if (x >= 1) return 6;
    return old;
}

int HzStep(double x)
{
    return x < 50 ? 1 : x < 60 ? 2 : x < 100 ? 3 : x < 120 ? 4 : 5;
}

void ApplyFrequency(int v, bool isValue, int arg)
{
    auto& f = Form();
    f.Frequency = v;
    AnsiString command;
    AnsiString label;
    AnsiString number;
    if (v < 100000) {
        const double x = v / 100.0;
        number = FixedText(x, 5, x < 10 ? 3 : x < 100 ? 2 : 1);
        if (isValue)
            f.FreqStep = HzStep(x);
        command = "FREQ " + number;
        label = " " + number + "  Hz";
    } else {
        const double x = v / 100000.0;
        number = FixedText(x, 5, x < 10 ? 3 : x < 100 ? 2 : 1);
        if (isValue || PresetAboveModel(arg))
            f.FreqStep = KHzStep(x, f.FreqStep);
        command = "FREQ " + number + "k";
        label = " " + number + " kHz";
    }
    SetText(f.MeasDispFreqLab, label);
    SetText(f.MeasSetupFreqLab, label);
    SetText(f.BinMeasFreqLab, label);
    VerifySetting("frequency", command, "FREQ?", number);
}

// ---- level ----

const int kVoltPresets[8] = {0, 1000, 10000, 30000, 50000, 100000, 150000, 200000};
const int kCurrentPresets[7] = {0, 10000000, 50000000, 100, 500, 1000, 2000};

void ApplyLevel(int v, bool isValue, const AnsiString& mode)
{
    auto& f = Form();
    f.Level = v;
    AnsiString label;
    if (f.LevelIsCurrent) {
        AnsiString text;
        AnsiString unit = " mA";
        double mA = 0;
        if (v >= 10000000 && v <= 2000000000) {
            const double uA = v / 100000.0;
            mA = uA / 1000;
            if (uA >= 1000) {
                text = FixedText(mA, 5, 2);
            } else {
                text = FixedText(uA, 5, 1);
                unit = " uA";
            }
        } else if (v >= 1 && v <= 2000) {
            mA = v / 100.0;
            if (mA < 1) {
                text = FixedText(mA * 1000, 5, 1);
                unit = " uA";
            } else {
                text = FixedText(mA, 5, 2);
            }
        }
        if (isValue && unit == " uA") {
            const double uA = mA * 1000;
            if (uA >= 100 && uA < 1000)
                f.LevelStep = uA < 500 ? 1 : 2;
        } else if (isValue && !text.empty()) {
            f.LevelStep = mA < 5 ? 3 : mA < 10 ? 4 : mA < 20 ? 5 : 6;
        }
        label = " " + text + unit;
        if (IsSend(mode)) {
            const AnsiString number = FixedText(mA, 5, 2);
            VerifySetting("test current", "LEV:CURR " + number + "m", "LEV:CURR?", number);
        }
    } else {
        AnsiString text;
        AnsiString command;
        if (v >= 100000) {
            const double x = v / 100000.0;
            text = FixedText(x, 4, 2);
            label = " " + text + " V";
            command = "LEV:VOLT " + text;
            f.LevelStep = x < 1.5 ? 5 : x < 2 ? 6 : 7;
        } else {
            const double x = v / 100.0;
            text = FixedText(x, 4, x >= 100 ? 1 : 2);
            label = " " + text + " mV";
            command = "LEV:VOLT " + text + "m";
            if (isValue)
                f.LevelStep = x < 100 ? 1 : x < 300 ? 2 : x < 500 ? 3 : 4;
        }
        if (IsSend(mode))
            VerifySetting("test voltage", command, "VOLT?", text);
    }
    if (f.AlcOn == 1) {
        label += "*";
        SendCommand("DISP:LINE?");
        Show(f.ALCErrorLab, ReadReply() != "NULL");
    } else {
        Show(f.ALCErrorLab, false);
    }
    SetText(f.MeasDispLevelLab, label);
    SetText(f.MeasSetupLevelLab, label);
    SetText(f.BinMeasLevelLab, label);
}

// ---- range ----

const char* RangeWord(int n, bool dcr)
{
    static const char* const words[9] = {"Range100K", "Range30K", "Range10K", "Range3K", "Range1K",
                                         "Range300",  "Range100", "Range30",  "Range10"};
    if (dcr && n == 7)
        return "RangeDCR10";
    if (dcr && n == 8)
        return "Range1";
    return words[std::clamp(n, 0, 8)];
}

} // namespace

void VerifySetting(const AnsiString& Setting, const AnsiString& Command, const AnsiString& Query,
                   const AnsiString& Expected)
{
    if (!SendAndVerify(Command, Query, Expected) && Form().StatusBar)
        Form().StatusBar->SetSimpleText(" The instrument did not confirm the " + Setting + " (" + Command + ") ");
}

void SetFunction(int Code)
{
    auto& f = Form();
    if (Code < 1 || Code > 17)
        return;
    if (Code == 12)
        LayOutDcr();
    else if (f.DcrLayout)
        LeaveDcr();

    const bool theta = Code == 13 || Code == 14;
    const bool namePicture = theta && f.AutoLcz != 1;
    for (TControl* c : std::initializer_list<TControl*>{f.MeasDispFunc2Ima, f.EnlaDispFunc2Ima, f.BinMeasFunc2Ima})
        Show(c, theta);
    for (TControl* c : std::initializer_list<TControl*>{f.MeasDispFunc2Lab, f.EnlaDispFunc2Lab, f.BinMeasFunc2Lab})
        Show(c, !theta);
    for (TControl* c : std::initializer_list<TControl*>{f.MeasDispFuncIma, f.MeasSetupFuncIma, f.BinMeasFuncIma,
                                                        f.BinCountFuncIma})
        Show(c, namePicture);
    for (TControl* c : std::initializer_list<TControl*>{f.MeasDispFuncLab, f.MeasSetupFuncLab, f.BinMeasFuncLab,
                                                        f.BinCountFuncLab})
        Show(c, !namePicture);
    Show(f.BinSetupFuncIma, theta);
    Show(f.BinSetupFuncLab, !theta);

    const TFunctionNames& names = kFunctions[Code];
    if (theta) {
        for (TControl* c : std::initializer_list<TControl*>{f.MeasDispFunc1Lab, f.EnlaDispFunc1Lab, f.BinMeasFunc1Lab})
            SetText(c, "Z");
        for (TImage* c : {f.MeasDispFunc2Ima, f.EnlaDispFunc2Ima, f.BinMeasFunc2Ima})
            LoadPanelPicture(c, "MeasDispFunc8.bmp");
        const AnsiString word = Code == 13 ? "Z_0r" : "Z_0d";
        if (f.AutoLcz != 1) {
            const AnsiString pic = FieldPicture(word, FunctionFieldSelected() ? "G" : "B");
            for (TImage* c : {f.MeasDispFuncIma, f.MeasSetupFuncIma, f.BinMeasFuncIma, f.BinSetupFuncIma})
                LoadPanelPicture(c, pic);
            LoadPanelPicture(f.BinCountFuncIma, FieldPicture(word, "WB"));
        }
    } else {
        if (Code == 17)
            f.AutoLczFunction = 6;
        for (TControl* c : std::initializer_list<TControl*>{f.MeasDispFunc1Lab, f.EnlaDispFunc1Lab, f.BinMeasFunc1Lab})
            SetText(c, names.Primary);
        for (TControl* c : std::initializer_list<TControl*>{f.MeasDispFunc2Lab, f.EnlaDispFunc2Lab, f.BinMeasFunc2Lab})
            SetText(c, names.Secondary);
        SetText(f.BinSetupFuncLab, AnsiString(" ") + names.Word);
        SetText(f.BinCountFuncLab, AnsiString(" ") + names.Word);
        if (f.AutoLcz != 1)
            for (TControl* c : std::initializer_list<TControl*>{f.MeasDispFuncLab, f.MeasSetupFuncLab, f.BinMeasFuncLab})
                SetText(c, AnsiString(" ") + names.Word);
    }

    if (Code != 17 && f.AutoLcz != 1)
        VerifySetting("function", AnsiString("FUNC ") + names.Word, "FUNC?", names.Word);

    // The nominal's unit list follows the function: it is drawn and sent again, once.
    if (Code != 12 && AnyMonUsesNominal())
        SetFontColor(f.MeasSetupNomLab, kLime);
    if (f.AutoLcz == 1)
        return;
    if (Code != 12 && f.PageId == 2) {
        SetCompValue(f.NominalValue, f.NominalUnit, 15, "", "Send");
        SetCompValue(f.NominalValue, f.NominalUnit, 14, "", "");
    } else {
        SetCompValue(f.NominalValue, f.NominalUnit, 15, "", "");
        SetCompValue(f.NominalValue, f.NominalUnit, 14, "", "Send");
    }
    // So do the unit pictures of the shown limits (bin 1 and the secondary parameter) on BIN SETUP
    // and BIN COUNT, whichever page the function was chosen on; nothing is sent.
    for (int field : {4, 19, 13, 28})
        RedrawLimit(field, f.PageId == 5 && f.CursorField == field ? "Now" : "", "");
}

void SetFrequency(int Arg)
{
    auto& f = Form();
    if (Arg >= 1 && Arg <= 15) {
        ApplyFrequency(kFreqPresets[Arg], false, Arg);
        return;
    }
    if (Arg <= 0) {
        // A typed entry out of range.
        ApplyFrequency(f.FreqEntryKHz ? ModelMaxFrequency() : 1000, true, Arg);
        return;
    }
    SetFrequencyValue(Arg);
}

void SetFrequencyValue(double Value)
{
    const double v = std::clamp(Value, 1000.0, double(ModelMaxFrequency()));
    ApplyFrequency(static_cast<int>(v), true, 16);
}

void SetLevel(int Arg, const AnsiString& Mode)
{
    auto& f = Form();
    if (Arg >= 1 && Arg <= 7) {
        const int v = Arg == 7 ? 200000 : f.LevelIsCurrent ? kCurrentPresets[Arg] : kVoltPresets[Arg];
        ApplyLevel(v, false, Mode);
        return;
    }
    SetLevelValue(Arg, Mode);
}

void SetLevelValue(double Value, const AnsiString& Mode)
{
    auto& f = Form();
    double v = Value;
    if (f.LevelIsCurrent) {
        // 100 uA .. 20 mA, in either encoding; nothing below 100 uA, nothing between the two.
        if (v > 2000000000.0)
            v = 2000000000.0;
        else if (v > 2000 && v < 10000000)
            v = f.LevelEntryMicroAmp ? 10000000 : 2000;
        else if (v < 10)
            v = 10000000;
    } else {
        v = std::clamp(v, 1000.0, 200000.0);
    }
    ApplyLevel(static_cast<int>(v), true, Mode);
}

void SetRange(int Code, const AnsiString& Mode)
{
    auto& f = Form();
    const int n = Code % 10;
    const int kind = Code / 10; // 0 fixed, 1 AUTO, 2 NOM, 3 HOLD
    TControl* labels[3] = {f.MeasDispRangeLab, f.MeasSetupRangeLab, f.BinMeasRangeLab};
    TImage* pictures[3] = {f.MeasDispRangeIma, f.MeasSetupRangeIma, f.BinMeasRangeIma};
    AnsiString command;
    AnsiString query = "FUNC:RANG:AUTO?";
    AnsiString expected;
    if (kind == 0 || kind == 3) {
        const bool dcr = f.MeasFunction == 12;
        const int pages[3] = {1, 2, 4};
        const bool selected = f.CursorField == 5 || f.CursorField == 9;
        for (int i = 0; i < 3; ++i) {
            Show(labels[i], false);
            Show(pictures[i], true);
            // Every page keeps its picture up to date; the shown page's may be the selected one.
            LoadPanelPicture(pictures[i], FieldPicture(RangeWord(n, dcr), f.PageId == pages[i] && selected ? "G" : "B"));
        }
        if (kind == 0) {
            command = (dcr ? "FUNC:DCR:RANG " : "FUNC:IMP:RANG ") + IntToStr(n);
            query = dcr ? "FUNC:DCR:RANG?" : "FUNC:IMP:RANG?";
            expected = IntToStr(n);
        } else {
            command = "FUNC:IMP:RANG:AUTO HOLD";
            expected = "HOLD";
        }
    } else {
        expected = kind == 1 ? "AUTO" : "NOM";
        const AnsiString label = " [" + IntToStr(n) + "]  " + expected;
        for (int i = 0; i < 3; ++i) {
            Show(labels[i], true);
            SetText(labels[i], label);
            Show(pictures[i], false);
        }
        command = "FUNC:IMP:RANG:AUTO " + expected;
    }
    if (IsSend(Mode))
        VerifySetting("range", command, query, expected);
}

void SetTriggerSource(int Source)
{
    auto& f = Form();
    static const char* const words[5] = {"", "INT", "MAN", "EXT", "BUS"};
    const AnsiString word = Source >= 1 && Source <= 4 ? words[Source] : "";
    for (TControl* c : std::initializer_list<TControl*>{f.MeasDispTrigLab, f.MeasSetupTrigLab, f.BinMeasTrigLab})
        SetText(c, " " + word);
    f.ALCTimer->SetEnabled(false);
    f.AlcErrorTicks = 1;
    VerifySetting("trigger source", "TRIG:SOUR " + word, "TRIG:SOUR?", word);
    f.TrigSource = Source;
    if (Source == 1) {
        if (f.PageId != 2) {
            f.LCRTimer->SetEnabled(true);
            f.ReplyReady = true;
        }
        return;
    }
    if (f.ALCErrorLab->Visible() && !f.ALCTimer->Enabled())
        f.ALCTimer->SetEnabled(true);
    f.LCRTimer->SetEnabled(false);
    SetFontColor(f.BinMeasMessage1, kLime);
    SetFontColor(f.BinMeasMessage3, kLime);
    SetFontColor(f.BinMeasMessage2, kOrange);
    for (TControl* c : std::initializer_list<TControl*>{f.BinMeasMessage1, f.BinMeasMessage2, f.BinMeasMessage3})
        SetText(c, "");

    // The readings are blanked; the unit pictures show the bare units of the function.
    const int fn = f.MeasFunction;
    f.MeasValueText[0] = "";
    const char* primary = fn <= 4 ? "FuncUnitF.bmp" : fn <= 8 ? "FuncUnitL_H.bmp" : "FuncUnitohm_ohm.bmp";
    for (TImage* c : {f.MeasDispFunc1UnitIma, f.EnlaDispFunc1UnitIma, f.BinMeasFunc1UnitIma})
        LoadPanelPicture(c, primary);
    for (TControl* c : std::initializer_list<TControl*>{f.MeasDispFunc1ValueSta, f.EnlaDispFunc1ValueSta, f.BinMeasFunc1ValueSta})
        SetText(c, "");
    f.MeasValueText[1] = "";
    const char* secondary = nullptr;
    if (fn == 1 || fn == 3 || fn == 5 || fn == 7 || fn == 11)
        secondary = "FuncUnitohm_ohm.bmp";
    else if (fn == 13)
        secondary = "FuncUnit8r_r.bmp";
    else if (fn == 14)
        secondary = "FuncUnit8d_0.bmp";
    for (TImage* c : {f.MeasDispFunc2UnitIma, f.EnlaDispFunc2UnitIma, f.BinMeasFunc2UnitIma}) {
        if (secondary)
            LoadPanelPicture(c, secondary);
        Show(c, secondary != nullptr);
    }
    for (TControl* c : std::initializer_list<TControl*>{f.MeasDispFunc2ValueSta, f.EnlaDispFunc2ValueSta, f.BinMeasFunc2ValueSta})
        SetText(c, "");

    const struct {
        int Code;
        int Entry;
        TImage* Units[2];
        TControl* Values[2];
    } mons[] = {{f.Monitor1, 2, {f.MeasDispMon1UnitIma, f.EnlaDispMon1UnitIma}, {f.MeasDispMon1ValueSta, f.EnlDispMon1ValueSta}},
                {f.Monitor2, 3, {f.MeasDispMon2UnitIma, f.EnlaDispMon2UnitIma}, {f.MeasDispMon2ValueSta, f.EnlDispMon2ValueSta}}};
    for (const auto& m : mons) {
        f.MeasValueText[m.Entry] = "";
        AnsiString unit;
        switch (m.Code) {
        case 1: case 10: case 11: unit = "MonUnitohm_ohm.bmp"; break;
        case 4: unit = "MonUnitVac_V.bmp"; break;
        case 5: unit = "MonUnitIac_A.bmp"; break;
        case 6: unit = fn <= 4 ? "MonUnitC_F.bmp" : fn <= 8 ? "MonUnitL_H.bmp" : "MonUnitohm_ohm.bmp"; break;
        case 7: unit = "MonUnitREL.bmp"; break;
        case 8: unit = "MonUnit8r_r.bmp"; break;
        case 9: unit = "MonUnit8d_0.bmp"; break;
        case 12: case 13: case 14: unit = "MonUnitBG_S.bmp"; break;
        }
        const bool showUnit = m.Code != 0 && m.Code != 2 && m.Code != 3 && fn != 12;
        for (TImage* c : m.Units) {
            if (showUnit)
                LoadPanelPicture(c, unit);
            Show(c, showUnit);
        }
        for (TControl* c : m.Values) {
            if (m.Code != 0)
                SetText(c, "");
            else
                Show(c, false);
        }
    }
}

void SetSpeed(int Speed)
{
    auto& f = Form();
    static const char* const words[4] = {"", "SLOW", "MED", "FAST"};
    const AnsiString word = Speed >= 1 && Speed <= 3 ? words[Speed] : "";
    for (TControl* c : std::initializer_list<TControl*>{f.MeasDispSpeedLab, f.MeasSetupSpeedLab, f.BinMeasSpeedLab})
        SetText(c, " " + word);
    VerifySetting("speed", "APER " + word, "APER:RATE?", word);
    f.Speed = Speed;
    const Cardinal interval = Speed == 1 ? 200 : Speed == 2 ? 150 : 100;
    if (f.TrigSource == 1 && (f.PageId == 1 || f.PageId == 4)) {
        f.LCRTimer->SetEnabled(false);
        f.LCRTimer->SetInterval(interval);
        WaitMeasureTime();
        f.LCRTimer->SetEnabled(true);
    } else {
        f.LCRTimer->SetInterval(interval);
    }
}

void SetSourceResistance(int Value, const AnsiString& Mode)
{
    auto& f = Form();
    const int v = std::clamp(Value, 1, 3);
    const AnsiString text = v == 1 ? "30" : v == 2 ? "50" : "100";
    const char* variant = f.DcrLayout ? "BG" : f.PageId == 2 && f.CursorField == 4 ? "G" : "B";
    if (IsSend(Mode))
        VerifySetting("source resistance", "VOLT:SRES " + text, "LEV:SRES?", text);
    LoadPanelPicture(f.MeasSetupSRCIma, FieldPicture(SrcWord(v), variant));
    f.SourceRes = v;
}

void SetBias(int Arg)
{
    static const int presets[5] = {0, 200, 150, -150, -200};
    SetBiasValue(Arg >= 0 && Arg <= 4 ? presets[Arg] : Arg);
}

void SetBiasValue(int Value)
{
    auto& f = Form();
    f.Bias = Value;
    AnsiString label = " OFF";
    AnsiString expected = "OFF";
    if (Value != 0) {
        const AnsiString number = FixedText(Value / 100.0, 5, 2);
        expected = Value > 0 ? "+" + number : number;
        label = " " + number + "V";
    }
    SetText(f.MeasSetupBiasLab, label);
    VerifySetting("bias", "BIAS" + label, "BIAS?", expected);
}

void SetLczOrAlc(const AnsiString& Selector, int Value)
{
    auto& f = Form();
    const AnsiString word = Value == 1 ? "ON" : "OFF";
    if (Selector == "LCZ") {
        if (Value == 1)
            SetFunction(17);
        SetText(f.MeasSetupLczLab, " " + word);
        f.AutoLcz = Value;
        VerifySetting("automatic LCZ selection", "FUNC:IMP:AUTO " + word, "FUNC:IMP:AUTO?", word);
        if (f.AutoLcz == 1)
            QueryFunction();
        return;
    }
    if (Selector != "ALC")
        return;
    if (Value == 0) {
        VerifySetting("ALC", "LEV:ALC 0", "LEV:ALC?", "OFF");
    } else {
        // Switching ALC on has its own read-back: nothing is stored unless the instrument agrees.
        SendCommand("LEV:ALC " + IntToStr(Value));
        SendCommand("LEV:ALC?");
        AnsiString reply = UpperCase(ReadReply());
        for (int repeat = 0; reply != "ON"; ++repeat) {
            if (repeat == 4) {
                if (f.StatusBar)
                    f.StatusBar->SetSimpleText(" The instrument did not confirm the ALC (LEV:ALC ON) ");
                return;
            }
            SendCommand("LEV:ALC ON");
            Sleep(f.BaudIndex == 1 ? 400 : 200);
            SendCommand("LEV:ALC?");
            reply = UpperCase(ReadReply());
        }
    }
    SetText(f.MeasSetupAlcLab, " " + word);
    f.AlcOn = Value;
    SetLevel(f.Level, "");
}

void SetTriggerDelay(int Ms)
{
    auto& f = Form();
    const double s = std::clamp(Ms / 1000.0, 0.0, 60.0);
    const AnsiString seconds = FixedText(s, s < 10 ? 5 : 6, 3);
    // Below a second the delay reads in whole milliseconds, whatever unit it was typed in.
    const AnsiString label = Ms < 1000 ? " " + IntToStr(std::max(Ms, 0)) + " mS" : " " + seconds + " S";
    f.TrigDelay = Ms;
    SetText(f.MeasSetupDelayLab, label);
    VerifySetting("trigger delay", "TRIG:DLY " + seconds, "TRIG:DLY?", seconds + "S");
}

void SetAverage(int Count)
{
    auto& f = Form();
    const AnsiString text = IntToStr(Count);
    f.AverageCount = Count;
    SetText(f.MeasSetupAvgLab, " " + text);
    VerifySetting("averaging", "APER " + text, "APER:AVG?", text);
}

void SetMonitor(const AnsiString& Selector, int Code)
{
    auto& f = Form();
    const bool first = Selector == "Mon1";
    if (Code < 0 || Code > 14)
        return;
    TImage* dispIma = first ? f.MeasDispMon1Ima : f.MeasDispMon2Ima;
    TImage* setupIma = first ? f.MeasSetupMon1Ima : f.MeasSetupMon2Ima;
    TImage* enlaIma = first ? f.EnlaDispMon1Ima : f.EnlaDispMon2Ima;
    TControl* dispLab = first ? f.MeasDispMon1Lab : f.MeasDispMon2Lab;
    TControl* setupLab = first ? f.MeasSetupMon1Lab : f.MeasSetupMon2Lab;
    TControl* enlaLab = first ? f.EnlaDispMon1Lab : f.EnlaDispMon2Lab;
    TControl* dispValue = first ? f.MeasDispMon1ValueSta : f.MeasDispMon2ValueSta;
    TControl* dispUnit = first ? f.MeasDispMon1UnitIma : f.MeasDispMon2UnitIma;
    TControl* enlaValue = first ? f.EnlDispMon1ValueSta : f.EnlDispMon2ValueSta;
    TControl* enlaUnit = first ? f.EnlaDispMon1UnitIma : f.EnlaDispMon2UnitIma;
    const bool picture = Code >= 6 && Code <= 9;
    if (Code == 0) {
        for (TControl* c : {static_cast<TControl*>(dispIma), dispLab, dispValue, dispUnit, static_cast<TControl*>(enlaIma),
                            enlaLab, enlaValue, enlaUnit})
            Show(c, false);
        Show(setupIma, false);
        Show(setupLab, true);
    } else {
        for (TControl* c : {static_cast<TControl*>(dispIma), static_cast<TControl*>(setupIma), static_cast<TControl*>(enlaIma)})
            Show(c, picture);
        for (TControl* c : {dispLab, setupLab, enlaLab})
            Show(c, !picture);
        for (TControl* c : {dispValue, dispUnit, enlaValue, enlaUnit})
            Show(c, true);
    }
    const AnsiString word = kMonitorCommandWords[Code];
    const AnsiString prefix = first ? "FUNC:MON1 " : "FUNC:MON2 ";
    if (picture) {
        const bool selected = f.PageId == 2 && f.CursorField == (first ? 13 : 14);
        LoadPanelPicture(setupIma, FieldPicture(MonPictureWord(Code), f.DcrLayout ? "BG" : selected ? "G" : "B"));
        static const char* const disp[4] = {"MeasDispMonABS.bmp", "MeasDispMonREL.bmp", "MeasDispFunc8.bmp",
                                            "MeasDispFunc8.bmp"};
        static const char* const enla[4] = {"EnlaDispMonABS.bmp", "EnlaDispMonREL.bmp", "BinEnlaDispFunc8.bmp",
                                            "BinEnlaDispFunc8.bmp"};
        LoadPanelPicture(dispIma, disp[Code - 6]);
        LoadPanelPicture(enlaIma, enla[Code - 6]);
    } else {
        const AnsiString text = Code == 4 ? "Vac" : Code == 5 ? "Iac" : word;
        for (TControl* c : {setupLab, dispLab, enlaLab})
            SetText(c, " " + text);
    }
    VerifySetting(first ? "monitor 1" : "monitor 2", prefix + word, first ? "FUNC:MON1?" : "FUNC:MON2?", word);
    (first ? f.Monitor1 : f.Monitor2) = Code;

    if (AnyMonUsesNominal()) {
        if (!f.MeasSetupNomLab1->Visible())
            for (TControl* c : std::initializer_list<TControl*>{f.MeasSetupNomLab1, f.MeasSetupNomLab, f.MeasSetupNomIma})
                Show(c, true);
        SetCompValue(f.NominalValue, f.NominalUnit, 15, "", "");
        SetFontColor(f.MeasSetupNomLab, f.DcrLayout ? kGrey : kLime);
    } else {
        for (TControl* c : std::initializer_list<TControl*>{f.MeasSetupNomLab1, f.MeasSetupNomLab, f.MeasSetupNomIma})
            Show(c, false);
    }
}
