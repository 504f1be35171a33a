// The comparator: its nominal and limit values with their cells on four pages and their
// lines to the instrument, its switches, mode, beep, open limit, bins, bin table and counts.
#include <algorithm>

#include "components/comm/Sercomm.h"
#include "main/Public.h"
#include "panel/PanelPublic.h"
#include "panel/PanelForm.h"
#include "panel/PanelPictures.h"
#include "panel/PanelRules.h"
#include "platform/core/IntConvert.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/StaticText.h"
#include "platform/win/Timing.h"

using namespace panel;

namespace {

enum TUnitKind { ukNone, ukF, ukH, ukOhm, ukDcr, ukThetaR, ukThetaD, ukPer };

const char* UnitWord(TUnitKind kind, int unit)
{
    static const char* const words[][4] = {
        {"", "", "", ""},
        {"pF", "nF", "uF", "mF"},
        {"uH", "mH", "H", "KH"},
        {"ohm", "Kohm", "Mohm", "Mohm"},
        {"DCRmohm", "ohm", "Kohm", "Mohm"},
        {"0rr", "0rr", "0rr", "0rr"},
        {"0d0", "0d0", "0d0", "0d0"},
        {"Per", "Per", "Per", "Per"},
    };
    return words[kind][std::clamp(unit, 1, 4) - 1];
}

AnsiString UnitPrefix(TUnitKind kind, int unit)
{
    static const char* const prefixes[][4] = {
        {"", "", "", ""}, {"p", "n", "u", "m"}, {"u", "m", "", "k"}, {"", "k", "M", "M"},
        {"m", "", "k", "M"}, {"", "", "", ""}, {"", "", "", ""}, {"", "", "", ""},
    };
    if (unit < 1 || unit > 4)
        return "";
    return prefixes[kind][unit - 1];
}

TUnitKind PrimaryKind(int function)
{
    if (function >= 1 && function <= 4)
        return ukF;
    if (function >= 5 && function <= 8)
        return ukH;
    if (function == 12)
        return ukDcr;
    return function >= 9 && function <= 16 ? ukOhm : ukNone;
}

TUnitKind SecondaryKind(int function)
{
    switch (function) {
    case 1: case 3: case 5: case 7: case 11: return ukOhm;
    case 13: return ukThetaR;
    case 14: return ukThetaD;
    }
    return ukNone; // D, Q, or no secondary parameter (DCR)
}

bool IsNominal(int field)
{
    return field == 14 || field == 15;
}

bool IsSecondary(int field)
{
    return field == 13 || field == 28;
}

bool OnNavyBand(int field)
{
    return (field >= 4 && field <= 6) || (field >= 10 && field <= 12) || (field >= 19 && field <= 21)
        || (field >= 25 && field <= 27);
}

int BinOf(int field)
{
    return field <= 13 ? field - 3 : field - 18;
}

struct TCellPictures {
    AnsiString Setup;      // MEAS SETUP and BIN SETUP cell
    AnsiString Count;      // BIN COUNT cell of a limit; BIN COUNT nominal uses CountNominal
    AnsiString BinMeas;    // nominal on BIN MEAS
    AnsiString CountNominal;
    TUnitKind Kind = ukNone;
};

// The unit pictures of one cell. The limit cells live on the BIN SETUP and BIN COUNT pages,
// so they are drawn alike whatever page is shown when they change.
TCellPictures ChoosePictures(int field, int unit, bool selected)
{
    const auto& f = Form();
    TCellPictures p;
    const int fn = f.MeasFunction;
    if (fn < 1 || fn > 16)
        return p;
    const TUnitKind primary = PrimaryKind(fn);
    if (IsNominal(field)) {
        p.Kind = primary;
        const AnsiString word = UnitWord(primary, unit);
        p.Setup = FieldPicture(word, selected ? "G" : f.DcrLayout && field == 15 ? "BG" : "B");
        p.BinMeas = FieldPicture(word, "BA");
        p.CountNominal = FieldPicture(word, "BW");
        return p;
    }
    if (IsSecondary(field)) {
        const TUnitKind kind = SecondaryKind(fn);
        if (kind == ukNone) {
            p.Setup = p.Count = FieldPicture("BinFrame", "B");
            return p;
        }
        p.Kind = kind;
        const AnsiString word = UnitWord(kind, unit);
        if (selected) {
            p.Setup = FieldPicture(word, "G");
            p.Count = FieldPicture(word, "BW");
        } else if (f.AuxOn == 1) {
            p.Setup = FieldPicture(word, "B");
            p.Count = FieldPicture(word, "BW");
        } else {
            p.Setup = p.Count = FieldPicture(word, "BG");
        }
        return p;
    }
    const bool per = f.CompMode == 2;
    p.Kind = per ? ukPer : primary;
    const AnsiString word = per ? AnsiString("Per") : AnsiString(UnitWord(primary, unit));
    const bool active = BinOf(field) <= f.BinNumber;
    if (selected) {
        p.Setup = FieldPicture(word, "G");
        p.Count = FieldPicture(word, "BW");
    } else if (OnNavyBand(field)) {
        p.Setup = FieldPicture(word, active ? "NG" : "NGray");
        p.Count = FieldPicture(word, active ? "NW" : "NGray");
    } else if (active) {
        p.Setup = FieldPicture(word, "B");
        p.Count = FieldPicture(word, p.Kind == ukOhm || p.Kind == ukDcr ? "NW" : "BW");
    } else {
        p.Setup = p.Count = FieldPicture(word, "BG");
    }
    return p;
}

// Rows of BinLimits by comparator mode: low value, high value, low unit, high unit (-1: none).
struct TModeRows {
    int LowValue = 0, HighValue = 0, LowUnit = -1, HighUnit = -1;
};

bool ModeRows(int mode, TModeRows& r)
{
    switch (mode) {
    case 1: r = {0, 1, 2, 3}; return true;
    case 2: r = {4, 5, -1, -1}; return true;
    case 3: r = {6, 7, 8, 9}; return true;
    }
    return false;
}

// The stored value and unit of a limit field in the current mode (PER: unit 1).
void StoredLimit(int field, Int64& value, int& unit)
{
    const auto& f = Form();
    TModeRows r;
    value = 0;
    unit = 1;
    if (!ModeRows(f.CompMode, r))
        return;
    const int bin = BinOf(field);
    const bool low = field <= 13;
    value = f.BinLimits[low ? r.LowValue : r.HighValue][bin];
    if (r.LowUnit >= 0)
        unit = static_cast<int>(f.BinLimits[low ? r.LowUnit : r.HighUnit][bin]);
}


AnsiString BinRowName(const char* prefix, int bin)
{
    return bin == 10 ? AnsiString(prefix) + "2nd" : AnsiString(prefix) + IntToStr(bin);
}

void ClearLimit(int field)
{
    auto& f = Form();
    TModeRows r;
    if (!ModeRows(f.CompMode, r))
        return;
    const int bin = BinOf(field);
    const bool low = field <= 13;
    f.BinLimits[low ? r.LowValue : r.HighValue][bin] = 0;
    if (r.LowUnit >= 0)
        f.BinLimits[low ? r.LowUnit : r.HighUnit][bin] = 1;
    SetCompValue(0, 1, field, "", "Send");
}

} // namespace

void RedrawLimit(int Field, const AnsiString& Highlight, const AnsiString& Mode)
{
    Int64 value;
    int unit;
    StoredLimit(Field, value, unit);
    SetCompValue(value, unit, Field, Highlight, Mode);
}

void SetCompValue(Int64 Value, int Unit, int Field, const AnsiString& Highlight, const AnsiString& Mode)
{
    auto& f = Form();
    const bool nominal = IsNominal(Field);
    const bool limit = (Field >= 4 && Field <= 13) || (Field >= 19 && Field <= 28);
    if (nominal && !(f.PageId == 0 || f.PageId == 1 || f.PageId == 2 || f.PageId == 4 || f.PageId == 5))
        return;
    if (!nominal && !limit)
        return;

    double v = Value * 1e-5;
    const TCellPictures pics = ChoosePictures(Field, Unit, Highlight == "Now");
    const AnsiString display = CompValueText(v);
    AnsiString sendText = display;
    AnsiString prefix = UnitPrefix(pics.Kind, Unit);
    if (IsSend(Mode)) {
        // The largest units go out as thousandfold values of the next smaller one.
        if ((pics.Kind == ukOhm || pics.Kind == ukDcr) && prefix == "M") {
            sendText = CompValueText(v * 1000);
            prefix = "k";
        } else if (pics.Kind == ukH && prefix == "k") {
            sendText = CompValueText(v * 1000);
            prefix = "";
        }
    }

    if (nominal) {
        f.NominalValue = Value;
        f.NominalUnit = Unit;
        LoadPanelPicture(f.MeasSetupNomIma, pics.Setup);
        SetText(f.MeasSetupNomLab, " " + display);
        LoadPanelPicture(f.BinSetupNomIma, pics.Setup);
        SetText(f.BinSetupNomLab, " " + display);
        LoadPanelPicture(f.BinMeasNomIma, pics.BinMeas);
        SetText(f.BinMeasNomLab, " " + display);
        LoadPanelPicture(f.BinCountNomIma, pics.CountNominal);
        SetText(f.BinCountNomLab, " " + display);
        if (IsSend(Mode))
            VerifySetting("nominal", "COMP:TOL:NOM " + sendText + prefix, "COMP:TOL:NOM?", sendText + prefix);
        return;
    }

    const int bin = BinOf(Field);
    const bool low = Field <= 13;
    TModeRows r;
    if (ModeRows(f.CompMode, r)) {
        f.BinLimits[low ? r.LowValue : r.HighValue][bin] = Value;
        if (r.LowUnit >= 0)
            f.BinLimits[low ? r.LowUnit : r.HighUnit][bin] = Unit;
    }
    const char* setupLab = low ? "BinSetupLowLab" : "BinSetupUpLab";
    const char* setupIma = low ? "BinSetupLowUnitIma" : "BinSetupUpUnitIma";
    const char* countLab = low ? "BinCountLowLab" : "BinCountUpLab";
    const char* countIma = low ? "BinCountLowUnitIma" : "BinCountUpUnitIma";
    SetText(Find<TControl>(BinRowName(setupLab, bin)), " " + display);
    LoadPanelPicture(Find<TImage>(BinRowName(setupIma, bin)), pics.Setup);
    SetText(Find<TControl>(BinRowName(countLab, bin)), " " + display);
    LoadPanelPicture(Find<TImage>(BinRowName(countIma, bin)), pics.Count);
    if (IsSend(Mode))
        SendBinLimits(bin);
}

void SendBinLimits(int Bin)
{
    auto& f = Form();
    if (Bin < 1 || Bin > 10)
        return;
    const TUnitKind kind = Bin == 10 ? SecondaryKind(f.MeasFunction) : PrimaryKind(f.MeasFunction);
    TModeRows r;
    Int64 values[2] = {0, 0};
    int units[2] = {0, 0};
    if (ModeRows(f.CompMode, r)) {
        values[0] = f.BinLimits[r.LowValue][Bin];
        values[1] = f.BinLimits[r.HighValue][Bin];
        if (r.LowUnit >= 0) {
            units[0] = static_cast<int>(f.BinLimits[r.LowUnit][Bin]);
            units[1] = static_cast<int>(f.BinLimits[r.HighUnit][Bin]);
        }
    }
    AnsiString texts[2];
    for (int i = 0; i < 2; ++i) {
        double v = values[i] * 1e-5;
        int u = units[i];
        if (r.LowUnit >= 0) {
            if ((kind == ukDcr && u == 4) || (kind == ukOhm && u == 3) || (kind == ukH && u == 4)) {
                v *= 1000;
                --u;
            }
        }
        texts[i] = CompValueText(v) + UnitPrefix(kind == ukPer ? ukNone : kind, u);
    }
    const AnsiString line = Bin == 10 ? "COMP:SLIM " + texts[0] + "," + texts[1]
                                      : "COMP:TOL:BIN " + IntToStr(Bin) + "," + texts[0] + "," + texts[1];
    // Limit lines have no read-back: written straight to the port, paced by a fixed wait.
    WritePort(line + "\n");
    Sleep(f.BaudIndex == 1 ? 100 : 50);
}

void SetCompSwitch(const AnsiString& Selector, int Value)
{
    auto& f = Form();
    const AnsiString state = Value == 1 ? "ON" : "OFF";
    if (Selector == "AUX") {
        const TColor c = Value == 1 ? kWhite : kGrey;
        SetFontColor(f.BinSetupLab2nd, c);
        SetFontColor(f.BinSetupLowLab2nd, Value == 1 ? kLime : kGrey);
        SetFontColor(f.BinSetupUpLab2nd, Value == 1 ? kLime : kGrey);
        for (TControl* x : std::initializer_list<TControl*>{f.BinCountLab2nd, f.BinCountLowLab2nd, f.BinCountUpLab2nd,
                                                            f.BinCountAuxViewLab, f.BinCountAuxLab})
            SetFontColor(x, c);
        // The AUX cell shows the count while counting is on.
        if (Value != 1)
            SetText(f.BinCountAuxLab, " OFF");
        else if (f.BinCounts[0] == 1)
            SetText(f.BinCountAuxLab, " " + IntToStr(f.BinCounts[10]));
        else
            SetText(f.BinCountAuxLab, " ---");
        SetText(f.BinMeasAuxLab, " " + state);
        SetText(f.BinSetupAuxLab, " " + state);
        f.AuxOn = Value;
        RedrawLimit(13, "", "");
        RedrawLimit(28, "", "");
        VerifySetting("AUX bin", "COMP:AUX " + state, "COMP:AUX?", state);
        return;
    }
    if (Selector != "COMP")
        return;
    SetText(f.BinMeasMessage1, "");
    SetText(f.BinMeasMessage3, "");
    SetText(f.EnlaPassFailLab, "");
    if (Value == 1) {
        SetFontColor(f.BinMeasMessage2, kLime);
        SetText(f.BinMeasMessage2, "");
    } else {
        SetFontColor(f.BinMeasMessage2, kOrange);
        SetText(f.BinMeasMessage2, "OFF");
    }
    Show(f.EnlaPassFailLab, Value == 1);
    SetText(f.BinMeasCompLab, " " + state);
    SetText(f.BinSetupCompLab, " " + state);
    f.CompOn = Value;
    VerifySetting("comparator", "COMP:STAT " + state, "COMP:STAT?", state);
}

void SetCompMode(int Mode, const AnsiString& SendMode)
{
    auto& f = Form();
    static const char* const words[4] = {"", "ABS", "PER", "SEQ"};
    const AnsiString word = Mode >= 1 && Mode <= 3 ? words[Mode] : "";
    if (IsSend(SendMode))
        VerifySetting("comparator mode", "COMP:MODE " + word, "COMP:MODE?", word);
    SetText(f.BinSetupModeLab, " " + word);
    f.CompMode = Mode;
    for (int field : {4, 19, 13, 28})
        RedrawLimit(field, "", SendMode);
}

void SetBeep(int Value)
{
    auto& f = Form();
    static const char* const words[3] = {"OFF", "PASS", "FAIL"};
    const AnsiString word = Value >= 0 && Value <= 2 ? words[Value] : "";
    f.BeepMode = Value;
    SetText(f.BinSetupBeepLab, " " + word);
    VerifySetting("beep", "COMP:BEEP " + word, "COMP:BEEP?", word);
}

void SetOpenLimit(int Value)
{
    auto& f = Form();
    static const char* const shown[6] = {" OFF", " 2 %", " 5 %", " 10 %", " 20 %", " 50 %"};
    static const char* const sent[6] = {"OFF", "2", "5", "10", "20", "50"};
    const bool known = Value >= 0 && Value <= 5;
    SetText(f.BinSetupOpenLab, known ? shown[Value] : "");
    const AnsiString word = known ? sent[Value] : "";
    VerifySetting("open limit", "COMP:OPEN " + word, "COMP:OPEN?", word);
}

void OpenMenuKey(int Key)
{
    auto& f = Form();
    int cur = f.OpenLimit;
    if (f.OpenKeyPage == 2 && (Key == 3 || Key == 4))
        return;
    bool mark = true;
    if (Key >= 1 && Key <= 4) {
        const int chosen = (std::max(f.OpenKeyPage, 1) - 1) * 4 + Key - 1;
        if (chosen == cur || chosen > 5)
            return;
        f.OpenLimit = cur = chosen;
    } else if (Key == 5) {
        const int page = f.OpenKeyPage == 2 ? 1 : f.OpenKeyPage + 1;
        const bool onPage = page == 1 ? cur <= 3 : cur >= 4;
        if (!onPage) {
            cur = page == 1 ? 0 : 4;
            mark = false;
        }
    } else if (Key != 0) {
        return;
    }
    const int page = cur <= 3 ? 1 : 2;
    f.OpenKeyPage = page;
    for (int key = 1; key <= 5; ++key) {
        AnsiString pic;
        const int value = (page - 1) * 4 + key - 1;
        if (key == 5)
            pic = "ViewMore" + IntToStr(page) + ".bmp";
        else if (value > 5)
            pic = kEmptyKey;
        else
            pic = ChoicePicture(kOpenWords[value], mark && value == cur);
        LoadPanelPicture(Find<TImage>("View" + IntToStr(key) + "Ima"), pic);
    }
    if (Key >= 1 && Key <= 4)
        SetOpenLimit(cur);
}

void SetBinNumber(int Bins)
{
    auto& f = Form();
    const AnsiString caption = Bins >= 1 && Bins <= 9 ? IntToStr(Bins) + "-BINS" : "";
    VerifySetting("number of bins", "COMP:BINS " + IntToStr(Bins), "COMP:BINS?", IntToStr(Bins));
    SetText(f.BinSetupBinLab, caption);
    for (int i = 1; i <= 9; ++i) {
        const AnsiString n = IntToStr(i);
        f.CurBinSetupBinLab = Find<TLabel>("BinSetupBinLab" + n);
        f.CurBinSetupLowLab = Find<TStaticText>("BinSetupLowLab" + n);
        f.CurBinSetupUpLab = Find<TStaticText>("BinSetupUpLab" + n);
        f.CurBinCountBinLab = Find<TLabel>("BinCountBinLab" + n);
        f.CurBinCountLowLab = Find<TStaticText>("BinCountLowLab" + n);
        f.CurBinCountUpLab = Find<TStaticText>("BinCountUpLab" + n);
        if (i >= 2) {
            // Only bin 1 and the secondary parameter are shown.
            f.CurBinSetupLowUnitIma = Find<TImage>("BinSetupLowUnitIma" + n);
            f.CurBinSetupUpUnitIma = Find<TImage>("BinSetupUpUnitIma" + n);
            f.CurBinCountLowUnitIma = Find<TImage>("BinCountLowUnitIma" + n);
            f.CurBinCountUpUnitIma = Find<TImage>("BinCountUpUnitIma" + n);
            for (TControl* c : std::initializer_list<TControl*>{
                     f.CurBinSetupBinLab, f.CurBinSetupLowLab, f.CurBinSetupLowUnitIma, f.CurBinSetupUpLab,
                     f.CurBinSetupUpUnitIma, f.CurBinCountBinLab, f.CurBinCountLowLab, f.CurBinCountLowUnitIma,
                     f.CurBinCountUpLab, f.CurBinCountUpUnitIma})
                Show(c, false);
            continue;
        }
        const bool used = Bins >= 1;
        SetFontColor(f.CurBinSetupBinLab, used ? kWhite : kGrey);
        SetFontColor(f.CurBinSetupLowLab, used ? kLime : kGrey);
        SetFontColor(f.CurBinSetupUpLab, used ? kLime : kGrey);
        for (TControl* c : std::initializer_list<TControl*>{f.CurBinCountBinLab, f.CurBinCountLowLab, f.CurBinCountUpLab})
            SetFontColor(c, used ? kWhite : kGrey);
        RedrawLimit(4, "", "");
        RedrawLimit(19, "", "");
    }
}

void EditBinTable(const AnsiString& Action)
{
    auto& f = Form();
    const int field = f.CursorField;
    const bool limitField = (field >= 4 && field <= 13) || (field >= 19 && field <= 28);
    if (Action == "Delete") {
        if (limitField)
            ClearLimit(field);
        return;
    }
    if (Action == "Delete_Line") {
        if (!limitField)
            return;
        const int bin = BinOf(field);
        ClearLimit(bin + 3);
        ClearLimit(bin + 18);
        return;
    }
    if (Action == "Clear_Table") {
        if (ShowMessageBox("Sure you clear all table date ? ", "Warning", MB_YESNO | MB_ICONWARNING) != IDYES)
            return;
    } else if (Action != "Clear_Table_No_Message") {
        return;
    }
    TModeRows r;
    if (ModeRows(f.CompMode, r)) {
        for (int bin = 1; bin <= 10; ++bin) {
            f.BinLimits[r.LowValue][bin] = 0;
            f.BinLimits[r.HighValue][bin] = 0;
            if (r.LowUnit >= 0) {
                f.BinLimits[r.LowUnit][bin] = 1;
                f.BinLimits[r.HighUnit][bin] = 1;
            }
        }
    }
    SetCompMode(f.CompMode, "Send");
}

void ShowBinCounts(int Action)
{
    auto& f = Form();
    const auto cell = [&](int i) -> TControl* {
        if (i <= 9)
            return f.CurBinCountResultLab = Find<TStaticText>("BinCountResultLab" + IntToStr(i));
        return i == 10 ? static_cast<TControl*>(f.BinCountAuxLab) : static_cast<TControl*>(f.BinCountOutLab);
    };
    switch (Action) {
    case 1:
        SetText(f.BinCountParaLab, " ON");
        f.BinCounts[0] = 1;
        for (int i = 1; i <= 11; ++i)
            if (i != 10 || f.AuxOn == 1)
                SetText(cell(i), " " + IntToStr(f.BinCounts[i]));
        break;
    case 2:
        SetText(f.BinCountParaLab, " OFF");
        f.BinCounts[0] = 0;
        for (int i = 1; i <= 11; ++i)
            SetText(cell(i), " ---");
        break;
    case 5:
        if (ShowMessageBox("Sure you want to reset count ? ", "Warning", MB_YESNO | MB_ICONWARNING) != IDYES)
            return;
        for (int i = 1; i <= 11; ++i) {
            f.BinCounts[i] = 0;
            if (i != 10 || f.AuxOn == 1)
                SetText(cell(i), " 0");
        }
        break;
    }
}

void CommitCompEntry(double Value)
{
    auto& f = Form();
    const TCompEntry e = ConvertCompEntry(Value, f.EntryUnit, f.MeasFunction, f.CursorField, f.CompMode, f.PageId);
    SetCompValue(e.Value, e.Unit, f.CursorField, "Now", "Send");
    f.EntryUnit = 1;
}
