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

    // Pages 0 and 3 have no soft-key set of their own here.
    const char* const* names = nullptr;
    static const char* const measNames[6] = {"ViewMeasSetup.bmp", "ViewListSetup.bmp", "ViewListMeas.bmp",
        "ViewSweepGraph.bmp", "ViewParaFrame.bmp", "Enlarge.bmp"};
    static const char* const setupNames[6] = {"ViewMeasDisplay.bmp", "ViewBinSetup.bmp", "ViewParaFrame.bmp",
        "ViewParaFrame.bmp", "ViewParaFrame.bmp", "X_AxisBlank.bmp"};
    static const char* const binNames[6] = {"ViewMeasDisplay.bmp", "ViewMeasSetup.bmp", "ViewParaFrame.bmp",
        "ViewParaFrame.bmp", "ViewParaFrame.bmp", "X_AxisBlank.bmp"};
    switch (f->PageId) {
    case 1: case 7: case 8: case 9: names = measNames; break;
    case 2: names = setupNames; break;
    case 4: case 5: case 6: names = binNames; break;
    default: return;
    }
    static const int keys[6] = {1, 2, 3, 4, 5, 8};
    for (int i = 0; i < 6; ++i) {
        f->CurViewIma = dynamic_cast<TImage*>(f->FindComponent("View" + std::to_string(keys[i]) + "Ima"));
        if (f->CurViewIma)
            LoadPanelPicture(f->CurViewIma, names[i]);
    }
}
