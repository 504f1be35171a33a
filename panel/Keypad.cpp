// The numeric keypad: typing a value into the selected field and committing it with its unit.
#include <algorithm>
#include <cmath>

#include "components/controls/Voduriz.h"
#include "main/Public.h"
#include "panel/PanelForm.h"
#include "panel/PanelPublic.h"
#include "panel/PanelRules.h"
#include "platform/core/FloatConvert.h"
#include "platform/forms/Panel.h"
#include "platform/forms/Timer.h"
#include "platform/win/Beep.h"

using namespace panel;

namespace {

enum { kPoint = 11, kSign = 12, kEsc = 13, kEnter = 15 };

bool IsCompField(int page, int field)
{
    return (page == 2 && field == 15) || (page == 5 && ((field >= 4 && field <= 14) || (field >= 19 && field <= 28)));
}

bool TakesEntry(int page, int field)
{
    switch (page) {
    case 1:
    case 4: return field == 2 || field == 3;
    case 2: return field == 2 || field == 3 || field == 5 || field == 7 || field == 12 || field == 15;
    case 5: return (field >= 4 && field <= 14) || (field >= 19 && field <= 28);
    case 6: return field == 1;
    }
    return false;
}

bool HasUnitKeys(int page, int field)
{
    if (page == 2)
        return field == 2 || field == 3 || field == 5 || field == 7 || field == 15;
    return (page == 1 || page == 4 || page == 5) && TakesEntry(page, field);
}

void CloseEntry()
{
    auto& f = Form();
    f.InputValuePan->SetVisible(false);
    f.EntryNegative = false;
    f.EntryText = "";
    f.InputValueEdit->SetText("");
}

} // namespace

void KeypadKey(int Key)
{
    auto& f = Form();
    if (!f.PowerOn)
        return;
    const int page = f.PageId;
    const int field = f.CursorField;
    const bool finish = Key == kEsc || Key == kEnter;
    if (finish && field == 0)
        return;
    if (page == 6 && field != 1)
        return;
    // Pages without typed fields (the enlarged display) take no digits either.
    if (!finish && !TakesEntry(page, field))
        return;
    const bool open = Typing();
    if (!open && !finish) {
        f.EntryText = "";
        f.InputValueEdit->SetText("");
        f.InputValuePan->SetVisible(true);
        if (HasUnitKeys(page, field))
            HandleSoftKey(0);
    }
    if (finish) {
        if (open) {
            if (Key == kEnter && page != 6 && !CommitEntry()) {
                // No number: refused with a beep, the entry stays open to be corrected.
                MessageBeep(0);
                return;
            }
            CloseEntry();
            if ((page == 1 || page == 2 || page == 4 || page == 5) && (f.PressedSoftKey < 1 || f.PressedSoftKey > 4))
                HandleSoftKey(0);
        } else if (Key == kEsc && field != 0) {
            ShowPage("NO_Send");
        }
        return;
    }
    AnsiString part;
    if (Key >= 1 && Key <= 9) {
        part = AnsiString(1, char('0' + Key));
    } else if (Key == 10) {
        part = "0";
    } else if (Key == kPoint) {
        if (f.EntryText.empty() || f.EntryText == "-")
            part = "0.";
        else if (f.EntryText.find('.') == AnsiString::npos)
            part = ".";
    } else if (Key == kSign) {
        if (f.EntryText.empty() && !f.EntryNegative && f.MeasFunction != 12) {
            f.EntryNegative = true;
            part = "-";
        } else {
            if (f.EntryText == "-")
                f.EntryNegative = false;
            if (!f.EntryText.empty())
                f.EntryText.pop_back();
        }
    } else {
        return;
    }
    if (f.EntryText.size() + part.size() > 12)
        return;
    f.EntryText += part;
    f.InputValueEdit->SetText(f.EntryText);
}

bool CommitEntry()
{
    auto& f = Form();
    double number = 0;
    if (!TryStrToFloat(f.EntryText, number))
        return false;
    if (!f.Connected)
        return true;
    const int field = f.CursorField;
    if (IsCompField(f.PageId, field)) {
        CommitCompEntry(number);
        return true;
    }
    // Typed values are values, never presets: each goes to its setter's value path, limited
    // in floating point before any integer is made of it.
    switch (field) {
    case 2:
        SetFrequencyValue(std::floor(number * (f.FreqEntryKHz ? 100000.0 : 100.0) + 0.5));
        f.FreqEntryKHz = false;
        break;
    case 3:
        if (!f.LevelIsCurrent) {
            SetLevelValue(std::floor(number * (f.LevelEntryMilliVolt ? 100.0 : 100000.0) + 0.5), "Send");
            f.LevelEntryMilliVolt = false;
        } else {
            const double scaled = number * (f.LevelEntryMicroAmp ? 100000.0 : 100.0);
            const double half = !f.LevelEntryMicroAmp && scaled < 100 ? 0.005 : 0.5;
            SetLevelValue(std::floor(std::clamp(scaled, -1.0, 3e9) + half), "Send");
            f.LevelEntryMicroAmp = false;
        }
        break;
    case 5:
        SetBiasValue(static_cast<int>(RoundHalfAway(std::clamp(number, -2.5, 2.5) * 100)));
        break;
    case 7: {
        // Scaled first, then rounded to whole milliseconds.
        const double ms = number * (f.DelayEntryMs ? 1.0 : 1000.0);
        SetTriggerDelay(static_cast<int>(std::floor(std::clamp(ms, 0.0, 60000.0) + 0.5)));
        f.DelayEntryMs = false;
        break;
    }
    case 12:
        f.AverageCount = static_cast<int>(std::floor(std::clamp(number, 1.0, 256.0) + 0.5));
        SetAverage(f.AverageCount);
        break;
    }
    return true;
}

void TLCRForm::OneBtnClick(TObject*) { KeypadKey(1); }
void TLCRForm::TwoBtnClick(TObject*) { KeypadKey(2); }
void TLCRForm::ThreeBtnClick(TObject*) { KeypadKey(3); }
void TLCRForm::FourBtnClick(TObject*) { KeypadKey(4); }
void TLCRForm::FiveBtnClick(TObject*) { KeypadKey(5); }
void TLCRForm::SixBtnClick(TObject*) { KeypadKey(6); }
void TLCRForm::SevenBtnClick(TObject*) { KeypadKey(7); }
void TLCRForm::EightBtnClick(TObject*) { KeypadKey(8); }
void TLCRForm::NineBtnClick(TObject*) { KeypadKey(9); }
void TLCRForm::ZeroBtnClick(TObject*) { KeypadKey(10); }
void TLCRForm::DotBtnClick(TObject*) { KeypadKey(kPoint); }
void TLCRForm::PlusMinusLeftBtnClick(TObject*) { KeypadKey(kSign); }
void TLCRForm::EscBtnClick(TObject*) { KeypadKey(kEsc); }

void TLCRForm::EnterBtnClick(TObject*)
{
    // No fetch goes out while the entry is committed; polling resumes however the key ends.
    const bool polling = LCRTimer->Enabled();
    if (polling)
        LCRTimer->SetEnabled(false);
    struct TResume {
        TLCRForm* F;
        bool On;
        ~TResume()
        {
            if (On) {
                F->LCRTimer->SetEnabled(true);
                F->ReplyReady = true;
            }
        }
    } resume{this, polling};
    KeypadKey(kEnter);
}
