// The fixed keys of the panel: POWER, MEAS, SETUP, enlarge/normal and TRIG; the power-on
// defaults; and the measurement setup kept while the list and sweep pages are used.
#include "components/controls/Owdesign.h"
#include "components/controls/Voduriz.h"
#include "main/Public.h"
#include "panel/PanelForm.h"
#include "panel/PanelPictures.h"
#include "panel/PanelPublic.h"
#include "platform/core/IntConvert.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/Panel.h"
#include "platform/forms/StaticText.h"
#include "platform/forms/Timer.h"

using namespace panel;

namespace {

void ShowOnly(TPanel* shown)
{
    auto& f = Form();
    for (TPanel* p : {f.MeasDispPan, f.MeasSetupPan, f.EnlargeDispPan, f.BinMeasPan, f.BinSetupPan, f.BinCountPan})
        Show(p, p == shown);
}

void RefuseWhileLogging()
{
    ShowMessageBox("Must stop log before switching page !", "Warning", MB_OK | MB_ICONWARNING);
}

} // namespace

// The enlarged display, entered from the measurement display, a page's title key or MEAS.
void ShowEnlargedDisplay()
{
    auto& f = Form();
    ShowPage("NO_Send");
    SendAndVerify("DISP:PAGE ENLA", "DISP:PAGE?", "ENLA");
    f.PageId = 3;
    f.EnlargeMode = true;
    ShowOnly(f.EnlargeDispPan);
    LoadPanelPicture(f.View8Ima, "Normal.bmp");
    if (f.TrigSource == 1) {
        f.LCRTimer->SetEnabled(true);
        f.ReplyReady = true;
    } else {
        f.LCRTimer->SetEnabled(false);
    }
}

void TLCRForm::PowerBtnClick(TObject*)
{
    ALCErrorLab->SetVisible(false);
    AlcErrorTicks = 1;
    ALCTimer->SetEnabled(false);
    const bool start = !PowerOn && Connected;
    const char* picture = start ? "Power_Green.bmp" : "Power_White.bmp";
    PowerOn = start;
    if (start) {
        SendAndVerify("DISP:PAGE MEAS", "DISP:PAGE?", "MEAS");
        LockCompIma->SetVisible(true);
        EnlargeMode = false;
        ShowOnly(MeasDispPan);
        PresetDefaults();
        PageId = 1;
    } else {
        if (Typing()) {
            InputValuePan->SetVisible(false);
            EntryNegative = false;
            EntryText = "";
            InputValueEdit->SetText("");
        }
        LockCompIma->SetVisible(false);
        EnlargeMode = false;
        ShowOnly(nullptr);
        PageId = 0;
        // The page command drains a fetch still under way before polling stops, so that its
        // reply is not taken for the page's read-back.
        SendAndVerify("DISP:PAGE MEAS", "DISP:PAGE?", "MEAS");
        LCRTimer->SetEnabled(false);
        SendCommand("SYST:KEYLOCK OFF");
    }
    LoadPanelGlyph(PowerBtn, picture);
    for (int n = 1; n <= 8; ++n) {
        CurViewIma = Find<TImage>("View" + IntToStr(n) + "Ima");
        panel::Show(CurViewIma, PowerOn);
    }
    if (PowerOn) {
        PageId = 1;
        ShowPage("Send");
    }
}

void TLCRForm::MeasBtnClick(TObject*)
{
    if (!PowerOn || Typing())
        return;
    if (EnlargeMode) {
        if (!EnlargeDispPan->Visible())
            ShowEnlargedDisplay();
        return;
    }
    if (PageId == 2 || PageId == 4 || PageId == 5 || PageId == 6) {
        ShowPage("NO_Send");
        PageId = 1;
        ShowPage("Send");
    } else if (CursorField != 0) {
        ShowPage("Send");
    }
}

void TLCRForm::SetupbtnClick(TObject*)
{
    if (!PowerOn || Typing())
        return;
    if ((PageId == 1 || PageId == 4) && LogRunning != 0) {
        RefuseWhileLogging();
        return;
    }
    if (PageId == 3) {
        EnlargeDispPan->SetVisible(false);
        PageId = 2;
    } else if (PageId == 1 || PageId == 4 || PageId == 5 || PageId == 6) {
        ShowPage("NO_Send");
        PageId = 2;
    } else if (CursorField == 0) {
        return;
    }
    ShowPage("Send");
}

void TLCRForm::View8BtnClick(TObject*)
{
    PressedSoftKey = 8;
    if (PageId == 1) {
        ShowPage("NO_Send");
        SendAndVerify("DISP:PAGE ENLA", "DISP:PAGE?", "ENLA");
        PageId = 3;
        EnlargeMode = true;
        ShowOnly(EnlargeDispPan);
        LoadPanelPicture(View8Ima, "Normal.bmp");
    } else if (PageId == 3) {
        PageId = 1;
        ShowPage("Send");
        EnlargeMode = false;
        ShowOnly(MeasDispPan);
        LoadPanelPicture(View8Ima, "Enlarge.bmp");
    }
    PressedSoftKey = 0;
}

void TLCRForm::TrigBtnClick(TObject*)
{
    if (!PowerOn || Typing())
        return;
    switch (TrigSource) {
    case 2:
    case 3:
        // The instrument takes a bus trigger only with the source BUS.
        SendCommand("TRIG:SOUR BUS");
        SendCommand("TRIG");
        SendCommand(TrigSource == 2 ? "TRIG:SOUR MAN" : "TRIG:SOUR EXT");
        break;
    case 4: SendCommand("TRIG"); break;
    default: return;
    }
    WaitMeasureTime();
    SingleShot = true;
    FetchStage = 1;
    LCRTimer->SetEnabled(true);
    ReplyReady = true;
}

void PresetDefaults()
{
    auto& f = Form();
    f.LevelIsCurrent = false;
    f.LevelEntryMilliVolt = false;
    f.LevelEntryMicroAmp = false;
    f.MeasFunction = 2;
    f.Frequency = 6;
    f.Level = 5;
    f.SourceRes = 3;
    f.Bias = 0;
    f.AutoLcz = 0;
    f.TrigDelay = 0;
    f.AlcOn = 0;
    f.RangeCode = 15;
    f.TrigSource = 1;
    f.Speed = 1;
    f.AverageCount = 1;
    f.Monitor1 = 0;
    f.Monitor2 = 0;
    f.NominalValue = 1000000;
    f.NominalUnit = 1;
    f.FreqStep = 6;
    f.LevelStep = 5;

    SetTriggerSource(4);
    SetFrequency(f.Frequency);
    SetLczOrAlc("LCZ", f.AutoLcz);
    SetLczOrAlc("ALC", f.AlcOn);
    SetFunction(f.MeasFunction);
    SetLevel(f.Level, "Send");
    SetRange(f.RangeCode, "Send");
    SetSpeed(f.Speed);
    SetSourceResistance(f.SourceRes, "Send");
    SetBias(f.Bias);
    SetTriggerDelay(f.TrigDelay);
    SetAverage(f.AverageCount);
    SetMonitor("Mon1", f.Monitor1);
    SetMonitor("Mon2", f.Monitor2);
    SetCompValue(f.NominalValue, f.NominalUnit, 15, "", "Send");

    f.CompOn = 1;
    f.CompMode = 1;
    f.BinNumber = 1;
    f.AuxOn = 1;
    f.BeepMode = 0;
    f.OpenLimit = 0;
    SetCompSwitch("COMP", f.CompOn);
    SetCompMode(f.CompMode, "Send");
    SetBinNumber(f.BinNumber);
    SetCompSwitch("AUX", f.AuxOn);
    SetBeep(f.BeepMode);
    // The open limit is a default like the others: drawn and sent.
    SetOpenLimit(f.OpenLimit);
    SetTriggerSource(1);

    SetFontColor(f.BinMeasMessage1, kLime);
    SetFontColor(f.BinMeasMessage3, kLime);
    SetFontColor(f.BinMeasMessage2, kOrange);
    for (TControl* c : std::initializer_list<TControl*>{f.BinMeasMessage1, f.BinMeasMessage2, f.BinMeasMessage3})
        SetText(c, "");
    ShowBinCounts(2);
}

void StoreOrRestoreMeasSetup()
{
    auto& f = Form();
    // Without an instrument there is nothing to send, and no off-line notice for every setting.
    const bool link = f.Connected;
    if (f.PageId != 1) {
        if (link)
            SendCommand("TRIG:SOUR BUS");
        for (int i = 0; i < TLCRForm::MeasSetupFieldCount; ++i)
            f.SavedMeasSetup[i] = f.MeasSetupField(i);
        if (link)
            for (const char* line : {"FUNC Cs-Rs", "FUNC:MON1 OFF", "FUNC:MON2 OFF", "FUNC:IMP:RANG:AUTO AUTO"})
                SendCommand(line);
        f.ListMeasRunning = false;
        f.SweepRunning = false;
        return;
    }
    f.ListMeasRunning = false;
    f.SweepRunning = false;
    if (!link)
        return;
    const auto saved = [&](int i) { return static_cast<int>(f.SavedMeasSetup[i]); };
    if (saved(6) == 1) {
        // Automatic LCZ is switched off on return, so that the saved function is sent.
        f.SavedMeasSetup[6] = 0;
        f.AutoLcz = 0;
        SetLczOrAlc("LCZ", 0);
    }
    f.MeasFunction = saved(1);
    SetFunction(f.MeasFunction);
    if (saved(1) != 12) {
        SetMonitor("Mon1", saved(13));
        SetMonitor("Mon2", saved(14));
        SetFrequency(saved(2));
        SetLevel(saved(3), "Send");
        SetLczOrAlc("ALC", saved(8));
    }
    f.RangeCode = saved(9);
    SetRange(f.RangeCode, "Send");
    SetSpeed(saved(11));
    SetTriggerSource(saved(10));
}
