// The copied front panel follows the page model: panel shown, instrument page set,
// polling on or off, soft-key pictures loaded.
#include "panel/PanelPictures.h"
#include "main/Lcr.h"
#include "main/Public.h"
#include "panel/PanelPublic.h"
#include "platform/forms/Image.h"
#include "platform/forms/Panel.h"
#include "platform/forms/Timer.h"
#include "platform/graphics/Picture.h"
#include "platform/win/Paths.h"

namespace {

void PollingOn()
{
    TLCRForm* f = LCRForm;
    if (f->TrigSource == 1) {
        f->LCRTimer->SetEnabled(true);
        f->ReplyReady = true;
    } else {
        f->LCRTimer->SetEnabled(false);
    }
}

} // namespace

const char* TitleKeyPicture(int Page, int Key)
{
    // Every title key that leads somewhere shows where: the BIN keys of the setup and bin
    // pages name their pages as the MEAS SETUP and LIST SETUP keys do.
    static const char* const titles[7][4] = {
        {},
        {"ViewMeasSetup.bmp", "ViewListSetup.bmp", "ViewListMeas.bmp", "ViewSweepGraph.bmp"},
        {"ViewMeasDisplay.bmp", "ViewBinSetup.bmp", "ViewBinMeas.bmp", "ViewBinCount.bmp"},
        {},
        {"ViewMeasDisplay.bmp", "ViewMeasSetup.bmp", "ViewBinSetup.bmp", "ViewBinCount.bmp"},
        {"ViewMeasDisplay.bmp", "ViewMeasSetup.bmp", "ViewBinMeas.bmp", "ViewBinCount.bmp"},
        {"ViewMeasDisplay.bmp", "ViewMeasSetup.bmp", "ViewBinSetup.bmp", "ViewBinMeas.bmp"},
    };
    if (Page < 1 || Page > 6 || Key < 1 || Key > 4 || !titles[Page][0])
        return "ViewParaFrame.bmp";
    return titles[Page][Key - 1];
}

void ShowPage(const AnsiString& Mode)
{
    TLCRForm* f = LCRForm;
    if (f->CursorField != 0) {
        f->CursorField = 0;
        HighlightField("Before");
        HighlightField("Now");
    }
    f->CursorField = 0;
    f->PrevCursorField = 0;

    if (Mode == "Send") {
        static const struct { int Page; TPanel* TLCRForm::*Panel; const char* Word; bool StopFirst; } pages[] = {
            {1, &TLCRForm::MeasDispPan, "MEAS", false}, {2, &TLCRForm::MeasSetupPan, "MSET", true},
            {4, &TLCRForm::BinMeasPan, "BINM", false}, {5, &TLCRForm::BinSetupPan, "BSET", true},
            {6, &TLCRForm::BinCountPan, "BCO", true}};
        for (const auto& p : pages) {
            if (p.Page != f->PageId)
                continue;
            for (const auto& q : pages)
                (f->*q.Panel)->SetVisible(q.Page == p.Page);
            if (p.StopFirst)
                f->LCRTimer->SetEnabled(false);
            SendAndVerify(AnsiString("DISP:PAGE ") + p.Word, "DISP:PAGE?", p.Word);
            if (p.Page == 1 || p.Page == 4)
                PollingOn();
            else if (p.Page == 6) {
                if (f->BinCounts[0] == 1) {
                    PollingOn();
                    ShowBinCounts(1);
                } else {
                    ShowBinCounts(2);
                }
            }
        }
    }

    // Pages 0 and 3 have no soft-key set of their own here; the tabs keep the MEAS DISPLAY keys.
    const int page = f->PageId >= 7 ? 1 : f->PageId;
    if (page != 1 && page != 2 && page != 4 && page != 5 && page != 6)
        return;
    const char* const names[6] = {TitleKeyPicture(page, 1), TitleKeyPicture(page, 2), TitleKeyPicture(page, 3),
        TitleKeyPicture(page, 4), "ViewParaFrame.bmp", page == 1 ? "Enlarge.bmp" : "X_AxisBlank.bmp"};
    static const int keys[6] = {1, 2, 3, 4, 5, 8};
    for (int i = 0; i < 6; ++i) {
        f->CurViewIma = dynamic_cast<TImage*>(f->FindComponent("View" + std::to_string(keys[i]) + "Ima"));
        if (f->CurViewIma)
            LoadPanelPicture(f->CurViewIma, names[i]);
    }
}
