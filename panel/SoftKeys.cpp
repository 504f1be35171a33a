// The five soft keys: what they show and do for the page and the selected field, the menus of
// the function and the monitors, and the keys of the value fields.
#include <algorithm>
#include <array>
#include <functional>
#include <tuple>

#include "list/ListPublic.h"
#include "main/Public.h"
#include "panel/PanelForm.h"
#include "panel/PanelPictures.h"
#include "panel/PanelPublic.h"
#include "platform/core/IntConvert.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Image.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Panel.h"
#include "platform/forms/Timer.h"

using namespace panel;

namespace {

using TKeyPictures = std::array<AnsiString, 5>;

TImage* KeyImage(int key)
{
    return Form().CurViewIma = Find<TImage>("View" + IntToStr(key) + "Ima");
}

void LoadKeys(const TKeyPictures& pics)
{
    for (int k = 1; k <= 5; ++k)
        LoadPanelPicture(KeyImage(k), pics[k - 1]);
}

TKeyPictures EmptyKeys()
{
    TKeyPictures p;
    p.fill(kEmptyKey);
    return p;
}

// Choice pictures of Words on keys 1.., the key Marked (1-based, 0 none) in its "_R" form.
void Choices(TKeyPictures& pics, std::initializer_list<const char*> words, int marked)
{
    int k = 1;
    for (const char* w : words) {
        pics[k - 1] = ChoicePicture(w, k == marked);
        ++k;
    }
}

// Commits the typed value as Enter does, with the unit that SetUnit chooses; false when it was
// refused and the entry stays open (its unit keys then stay as they are). A refused entry leaves
// the units as they were, so that neither the next entry nor the level's kind takes them over.
bool Commit(const std::function<void()>& SetUnit = {})
{
    auto& f = Form();
    const auto units = [&] {
        return std::tie(f.FreqEntryKHz, f.LevelIsCurrent, f.LevelEntryMilliVolt, f.LevelEntryMicroAmp,
                        f.DelayEntryMs, f.EntryUnit);
    };
    const std::tuple<bool, bool, bool, bool, bool, int> before = units();
    if (SetUnit)
        SetUnit();
    KeypadKey(15);
    if (!Typing())
        return true;
    units() = before;
    return false;
}

bool FunctionField(int page, int field)
{
    return ((page == 1 || page == 2 || page == 4) && field == 1) || (page == 5 && field == 16);
}

// ---- title keys ----

void OpenTab(int tab)
{
    auto& f = Form();
    f.MainViewTab->SetTabVisible(false);
    const bool list = tab != 9;
    f.ListMeasTab->SetTabVisible(list);
    f.ListSetupTab->SetTabVisible(list);
    f.SweepGraphTab->SetTabVisible(!list);
    f.LCRTimer->SetEnabled(false);
    f.LCRPag->SetActivePage(tab == 8 ? f.ListSetupTab : tab == 7 ? f.ListMeasTab : f.SweepGraphTab);
    f.PageId = tab;
    StoreOrRestoreMeasSetup();
    SetListMeasState("Default");
    ShowPage("Send");
}

void GoToPage(int page)
{
    auto& f = Form();
    f.PageId = page;
    ShowPage("Send");
    if (page == 5)
        SetCompMode(f.CompMode, "Send");
}

// Returns false when the call ends early (nothing more is drawn).
bool TitleKeys(int key, TKeyPictures& pics)
{
    auto& f = Form();
    const int page = f.PageId;
    if (page != 1 && page != 2 && page != 4 && page != 5 && page != 6)
        return false;
    if (key == 0) {
        for (int k = 0; k < 4; ++k)
            pics[k] = TitleKeyPicture(page, k + 1);
        return true;
    }
    if (key > 4)
        return false;
    if (page == 1) {
        if (key == 1)
            GoToPage(2);
        else
            OpenTab(key == 2 ? 8 : key == 3 ? 7 : 9);
        return false;
    }
    if (key == 1) {
        if (f.EnlargeMode)
            ShowEnlargedDisplay();
        else
            GoToPage(1);
        return false;
    }
    // Each key leads to the page its picture names.
    static const int targets[7][5] = {{}, {}, {0, 0, 5, 4, 6}, {}, {0, 0, 2, 5, 6}, {0, 0, 2, 4, 6}, {0, 0, 2, 5, 4}};
    GoToPage(targets[page][key]);
    return false;
}

// ---- choice fields ----

struct TChoiceField {
    std::initializer_list<const char*> Words;
    int Current; // the key of the current choice
};

// Frequency presets in the order of the Incr and Decl keys.
constexpr int kFreqOrder[15] = {1, 2, 3, 4, 5, 6, 14, 7, 8, 9, 10, 11, 12, 15, 13};

int FreqOrderIndex(int preset)
{
    for (int i = 0; i < 15; ++i)
        if (kFreqOrder[i] == preset)
            return i;
    return -1;
}

// The next preset in the Incr (+1) or Decl (-1) direction, or 0 at the end. 250 kHz lies on
// the path of the 300 kHz models only.
int StepFrequency(int preset, int direction)
{
    const int top = ModelTopPreset();
    int i = FreqOrderIndex(preset);
    if (i < 0)
        return 0;
    if (direction > 0 && i >= FreqOrderIndex(top))
        return 0;
    do {
        i += direction;
    } while (i >= 0 && i < 15 && kFreqOrder[i] == 15 && top != 13);
    if (i < 0 || i >= 15)
        return 0;
    return kFreqOrder[i];
}

bool FrequencyKeys(int key, TKeyPictures& pics)
{
    auto& f = Form();
    if (Typing()) {
        if (key == 0) {
            pics[0] = UnitKeyPicture("Hz");
            pics[1] = UnitKeyPicture("kHz");
            return true;
        }
        if (key > 2)
            return false;
        Choices(pics, {"Incr", "Decl"}, 0);
        return Commit([&] { f.FreqEntryKHz = key == 2; });
    }
    Choices(pics, {"Incr", "Decl"}, key <= 2 ? key : 0);
    if (key == 0)
        return true;
    if (key > 2 || (key == 2 && f.FreqStep <= 1))
        return false;
    const int next = StepFrequency(f.FreqStep, key == 1 ? 1 : -1);
    if (next == 0)
        return false;
    f.FreqStep = next;
    SetFrequency(next);
    return true;
}

bool LevelKeys(int key, TKeyPictures& pics)
{
    auto& f = Form();
    if (Typing()) {
        if (key == 0) {
            for (int k = 0; k < 4; ++k)
                pics[k] = UnitKeyPicture(k == 0 ? "mV" : k == 1 ? "V" : k == 2 ? "uA" : "mA");
            return true;
        }
        if (key > 4)
            return false; // no unit on key 5
        Choices(pics, {"Incr", "Decl", "AlcOn", "AlcOff"}, 0);
        return Commit([&] {
            if (key <= 2) {
                f.LevelEntryMilliVolt = key == 1;
                f.LevelIsCurrent = false;
            } else {
                f.LevelEntryMicroAmp = key == 3;
                f.LevelIsCurrent = true;
            }
        });
    }
    if (key == 0) {
        Choices(pics, {"Incr", "Decl", "AlcOn", "AlcOff"}, f.AlcOn == 1 ? 3 : 0);
        return true;
    }
    if (key > 4)
        return false;
    Choices(pics, {"Incr", "Decl", "AlcOn", "AlcOff"}, key);
    switch (key) {
    case 1:
        if (f.LevelStep >= (f.LevelIsCurrent ? 6 : 7))
            return false;
        SetLevel(++f.LevelStep, "Send");
        break;
    case 2:
        if (f.LevelStep <= 1)
            return false;
        SetLevel(--f.LevelStep, "Send");
        break;
    case 3: SetLczOrAlc("ALC", 1); break;
    case 4: SetLczOrAlc("ALC", 0); break;
    }
    return true;
}

bool RangeKeys(int key, TKeyPictures& pics)
{
    auto& f = Form();
    Choices(pics, {"AutoRange", "HoldRange", "NominalRange", "Incr", "Decl"}, key);
    if (key == 0)
        return true;
    int code = f.RangeCode;
    const bool modeRemoved = code >= 10;
    code %= 10;
    switch (key) {
    case 1: code += 10; break;
    case 2: code += 30; break;
    case 3: code += 20; break;
    case 4:
        // At the end of the ranges Incr only leaves the mode.
        if (code < 8)
            ++code;
        else if (!modeRemoved)
            return false;
        break;
    case 5:
        if (code > 0)
            --code;
        else if (!modeRemoved)
            return false;
        break;
    }
    f.RangeCode = code;
    SetRange(code, "Send");
    return true;
}

bool BiasKeys(int key, TKeyPictures& pics)
{
    auto& f = Form();
    static const std::initializer_list<const char*> words = {"Off", "2V", "1_5V", "_1_5V", "_2V"};
    if (Typing()) {
        if (key == 0) {
            pics[0] = UnitKeyPicture("V");
            return true;
        }
        if (key != 1)
            return false; // only key 1 carries a unit
        Choices(pics, words, 0);
        return Commit();
    }
    if (key == 0) {
        static const int presets[5] = {0, 200, 150, -150, -200};
        const int* at = std::find(presets, presets + 5, f.Bias);
        const int current = at == presets + 5 ? 0 : int(at - presets) + 1;
        Choices(pics, words, current);
        if (current)
            SetBias(current - 1);
        return true;
    }
    Choices(pics, words, key);
    SetBias(key - 1);
    return true;
}

bool AverageKeys(int key, TKeyPictures& pics)
{
    auto& f = Form();
    if (Typing()) {
        Choices(pics, {"Incr", "Decl"}, 0);
        return key == 0 || ((key == 1 || key == 2) && Commit());
    }
    Choices(pics, {"Incr", "Decl"}, key <= 2 ? key : 0);
    if (key == 0)
        return true;
    if (key == 1) {
        if (f.AverageCount >= 256)
            return false;
        SetAverage(std::min(f.AverageCount * 2, 256));
    } else if (key == 2) {
        if (f.AverageCount <= 1)
            return false;
        SetAverage(f.AverageCount / 2);
    } else {
        return false;
    }
    return true;
}

bool DelayKeys(int key, TKeyPictures& pics)
{
    auto& f = Form();
    if (!Typing())
        return key == 0;
    if (key == 0) {
        pics[0] = UnitKeyPicture("mS");
        pics[1] = UnitKeyPicture("S");
        return true;
    }
    if (key > 2)
        return false;
    return Commit([&] { f.DelayEntryMs = key == 1; });
}

// The unit words the keys of a comparator value offer while it is typed.
std::vector<const char*> CompUnitKeys(int field)
{
    const int fn = Form().MeasFunction;
    const bool nominal = field == 14 || field == 15;
    if (field == 13 || field == 28) {
        if (fn == 1 || fn == 3 || fn == 5 || fn == 7 || fn == 11)
            return {"ohm", "Kohm", "Mohm"};
        if (fn == 13)
            return {"0rr"};
        if (fn == 14)
            return {"0d0"};
        return {};
    }
    if (fn >= 1 && fn <= 4)
        return {"pF", "nF", "uF", "mF"};
    if (fn >= 5 && fn <= 8)
        return {"uH", "mH", "H", "KH"};
    if (fn == 12)
        return nominal ? std::vector<const char*>{"DCRmohm", "ohm", "Kohm"}
                       : std::vector<const char*>{"DCRmohm", "ohm", "Kohm", "Mohm"};
    return {"ohm", "Kohm", "Mohm"};
}

void BinTableKeys(TKeyPictures& pics, int pressed)
{
    pics[0] = ChoicePicture("Delete", pressed == 1);
    pics[2] = ChoicePicture("DeleteLine", pressed == 3);
    pics[4] = ChoicePicture("ClearTable", pressed == 5);
}

bool CompValueKeys(int key, int field, TKeyPictures& pics)
{
    auto& f = Form();
    const bool nominal = field == 14 || field == 15;
    if (Typing()) {
        const auto units = CompUnitKeys(field);
        if (key == 0) {
            for (size_t k = 0; k < units.size(); ++k)
                pics[k] = UnitKeyPicture(units[k]);
            return true;
        }
        if (key > int(units.size()))
            return false; // a key without a unit does nothing
        if (!Commit([&] { f.EntryUnit = key; }))
            return false;
        if (!nominal)
            BinTableKeys(pics, 0);
        return true;
    }
    if (nominal)
        return key == 0;
    BinTableKeys(pics, key);
    switch (key) {
    case 0: return true;
    case 1: EditBinTable("Delete"); return true;
    case 3: EditBinTable("Delete_Line"); return true;
    case 5: EditBinTable("Clear_Table"); return true;
    }
    return false;
}

bool ChoiceKeys(int key, TKeyPictures& pics, std::initializer_list<const char*> words, int current)
{
    if (key > int(words.size()))
        return false;
    Choices(pics, words, key == 0 ? current : key);
    return true;
}

bool LogKeys(int key, TKeyPictures& pics)
{
    auto& f = Form();
    if (key == 0) {
        pics[0] = f.LogRunning ? "ViewStopLog_Y.bmp" : "ViewStartLog.bmp";
        return true;
    }
    if (key != 1)
        return false;
    if (f.LogRunning) {
        pics[0] = "ViewStartLog.bmp";
        f.LogRunning = 0;
        EndLiveLog();
    } else {
        pics[0] = "ViewStopLog_Y.bmp";
        f.LogRunning = 1;
        f.LiveLogRecordCount = 0;
        f.LiveLogPath = "";
        StartLiveLog();
    }
    ShowSetupCaptionColors();
    return true;
}

void PollWhileInt()
{
    auto& f = Form();
    if (f.TrigSource == 1) {
        f.LCRTimer->SetEnabled(true);
        f.ReplyReady = true;
    } else {
        f.LCRTimer->SetEnabled(false);
    }
}

bool CountKeys(int key, TKeyPictures& pics)
{
    auto& f = Form();
    if (key == 0)
        key = f.BinCounts[0] == 1 ? 1 : 2;
    if (key == 5) {
        if (f.BinCounts[0] != 1)
            return false;
        PollWhileInt();
        ShowBinCounts(5);
        return false;
    }
    if (key != 1 && key != 2)
        return false;
    pics[0] = ChoicePicture("CountOn", key == 1);
    pics[1] = ChoicePicture("CountOff", key == 2);
    pics[4] = "ViewResetCount.bmp";
    if (key == 1) {
        PollWhileInt();
        ShowBinCounts(1);
    } else {
        f.LCRTimer->SetEnabled(false);
        ShowBinCounts(2);
    }
    return true;
}

// The handler of the selected field; false when the call ends early.
bool FieldKeys(int key, TKeyPictures& pics)
{
    auto& f = Form();
    const int page = f.PageId;
    const int field = f.CursorField;
    const bool meas = page == 1 || page == 4;
    if (field == 0)
        return TitleKeys(key, pics);
    if ((meas || page == 2) && field == 2)
        return FrequencyKeys(key, pics);
    if ((meas || page == 2) && field == 3)
        return LevelKeys(key, pics);
    if ((meas && field == 5) || (page == 2 && field == 9))
        return RangeKeys(key, pics);
    if ((meas && field == 6) || (page == 2 && field == 10)) {
        if (!ChoiceKeys(key, pics, {"Int", "Man", "Ext", "Bus"}, f.TrigSource))
            return false;
        if (key)
            SetTriggerSource(key);
        return true;
    }
    if ((meas && field == 7) || (page == 2 && field == 11)) {
        if (!ChoiceKeys(key, pics, {"Slow", "Med", "Fast"}, f.Speed))
            return false;
        if (key)
            SetSpeed(key);
        return true;
    }
    if (meas && field == 4)
        return LogKeys(key, pics);
    if (page == 2) {
        switch (field) {
        case 4:
            if (!ChoiceKeys(key, pics, {"30ohm", "50ohm", "100ohm"}, f.SourceRes))
                return false;
            if (key)
                SetSourceResistance(key, "Send");
            return true;
        case 5: return BiasKeys(key, pics);
        case 6:
            if (!ChoiceKeys(key, pics, {"Off", "On"}, f.AutoLcz + 1))
                return false;
            if (key) {
                SetLczOrAlc("LCZ", key - 1);
                if (key == 1)
                    SetFunction(f.MeasFunction);
            }
            return true;
        case 7: return DelayKeys(key, pics);
        case 8:
            if (!ChoiceKeys(key, pics, {"Off", "On"}, f.AlcOn + 1))
                return false;
            if (key) {
                SetLczOrAlc("ALC", key - 1);
                if (f.AlcOn == 0)
                    Choices(pics, {"Off", "On"}, 1);
            }
            return true;
        case 12: return AverageKeys(key, pics);
        case 15: return CompValueKeys(key, field, pics);
        }
        return false;
    }
    if ((page == 5 && field == 1) || (page == 4 && field == 8)) {
        if (!ChoiceKeys(key, pics, {"Off", "On"}, f.CompOn + 1))
            return false;
        if (key)
            SetCompSwitch("COMP", key - 1);
        return true;
    }
    if ((page == 5 && field == 15) || (page == 4 && field == 9)) {
        if (key && f.CompOn == 0)
            return false;
        if (!ChoiceKeys(key, pics, {"Off", "On"}, f.AuxOn + 1))
            return false;
        if (key)
            SetCompSwitch("AUX", key - 1);
        return true;
    }
    if (page == 5) {
        if (field == 2) {
            if (!ChoiceKeys(key, pics, {"AbsW", "PerW", "Seq"}, f.CompMode))
                return false;
            SetCompMode(key ? key : f.CompMode, key ? "Send" : "");
            return true;
        }
        if (field == 17) {
            if (!ChoiceKeys(key, pics, {"Off", "Pass", "Fail"}, f.BeepMode + 1))
                return false;
            SetBeep(key ? key - 1 : f.BeepMode);
            return true;
        }
        if ((field >= 4 && field <= 14) || (field >= 19 && field <= 28))
            return CompValueKeys(key, field, pics);
        return false;
    }
    if (page == 6 && field == 1)
        return CountKeys(key, pics);
    return false;
}

void SoftKeyClick(int key)
{
    auto& f = Form();
    f.PressedSoftKey = key;
    struct TRelease {
        ~TRelease() { Form().PressedSoftKey = 0; }
    } release;
    HandleSoftKey(key);
}

} // namespace

void HandleSoftKey(int Key)
{
    auto& f = Form();
    if (!f.Connected)
        return;
    const int page = f.PageId;
    const int field = f.CursorField;
    if ((page == 1 || page == 4) && field == 0 && f.LogRunning != 0 && Key >= 1 && Key <= 4) {
        ShowMessageBox("Must stop log before switching page !", "Warning", MB_OK | MB_ICONWARNING);
        return;
    }
    if (FunctionField(page, field)) {
        FunctionMenuKey(Key);
        return;
    }
    if (page == 2 && (field == 13 || field == 14)) {
        MonitorMenuKey(Key);
        return;
    }
    if (page == 5 && field == 18) {
        OpenMenuKey(Key);
        return;
    }
    TKeyPictures pics = EmptyKeys();
    if (page == 5 && field == 3) {
        if (Key == 0) {
            pics[0] = "View1Bins_R.bmp";
            LoadKeys(pics);
        }
        return;
    }
    if (FieldKeys(Key, pics))
        LoadKeys(pics);
}

void FunctionMenuKey(int Key)
{
    auto& f = Form();
    int mark = std::clamp(f.MeasFunction, 1, 16);
    bool marked = true;
    int chosen = 0;
    if (Key >= 1 && Key <= 4) {
        if (f.FunctionKeyPage < 1)
            return;
        chosen = 4 * f.FunctionKeyPage - 4 + Key;
        if (chosen == f.MeasFunction)
            return;
        f.MeasFunction = mark = chosen;
    } else if (Key == 5) {
        const int start = f.AutoLcz == 1 ? f.AutoLczFunction : f.MeasFunction;
        const int page = f.FunctionKeyPage >= 4 ? 1 : f.FunctionKeyPage + 1;
        if (start >= 4 * page - 3 && start <= 4 * page) {
            mark = start;
        } else {
            mark = 4 * page - 3;
            marked = false;
        }
    } else if (Key != 0) {
        return;
    }
    const int page = (mark - 1) / 4 + 1;
    f.FunctionKeyPage = page;
    TKeyPictures pics;
    for (int k = 1; k <= 4; ++k) {
        const int code = 4 * page - 4 + k;
        pics[k - 1] = ChoicePicture(kFunctionWords[code - 1], marked && code == mark);
    }
    pics[4] = "ViewMore" + IntToStr(page) + ".bmp";
    LoadKeys(pics);
    if (chosen) {
        if (f.AutoLcz == 1)
            SetLczOrAlc("LCZ", 0);
        SetFunction(chosen);
        if (f.PageId == 4 || f.PageId == 5)
            EditBinTable("Clear_Table_No_Message");
    }
}

void MonitorMenuKey(int Key)
{
    auto& f = Form();
    const bool first = f.CursorField == 13;
    int& monitor = first ? f.Monitor1 : f.Monitor2;
    int& keyPage = first ? f.Monitor1KeyPage : f.Monitor2KeyPage;
    int mark = std::clamp(monitor, 0, 14);
    bool marked = true;
    int chosen = -1;
    if (Key >= 1 && Key <= 4) {
        if (keyPage < 1 || (keyPage == 4 && Key == 4))
            return;
        chosen = 4 * keyPage + Key - 5;
        if (chosen == monitor)
            return;
        monitor = mark = chosen;
    } else if (Key == 5) {
        const int page = keyPage >= 4 ? 1 : keyPage + 1;
        if (monitor >= 4 * page - 4 && monitor <= 4 * page - 1) {
            mark = monitor;
        } else {
            mark = 4 * page - 4;
            marked = false;
        }
    } else if (Key != 0) {
        return;
    }
    const int page = mark / 4 + 1;
    keyPage = page;
    TKeyPictures pics;
    for (int k = 1; k <= 4; ++k) {
        const int code = 4 * page - 5 + k;
        pics[k - 1] = code > 14 ? AnsiString(kEmptyKey) : ChoicePicture(kMonitorWords[code], marked && code == mark);
    }
    pics[4] = "ViewMore" + IntToStr(page) + ".bmp";
    LoadKeys(pics);
    if (chosen >= 0)
        SetMonitor(first ? "Mon1" : "Mon2", chosen);
}

void TLCRForm::View1BtnClick(TObject*) { SoftKeyClick(1); }
void TLCRForm::View2BtnClick(TObject*) { SoftKeyClick(2); }
void TLCRForm::View3BtnClick(TObject*) { SoftKeyClick(3); }
void TLCRForm::View4BtnClick(TObject*) { SoftKeyClick(4); }
void TLCRForm::View5BtnClick(TObject*) { SoftKeyClick(5); }
