// The selected field of a page: the arrow keys move it, and it is drawn black on lime.
#include "components/controls/Voduriz.h"
#include "main/Public.h"
#include "panel/PanelForm.h"
#include "panel/PanelPublic.h"
#include "panel/PanelRules.h"
#include "platform/core/IntConvert.h"
#include "platform/forms/Label.h"
#include "platform/forms/Panel.h"
#include "platform/forms/StaticText.h"

using namespace panel;

namespace {

// The title text of a page: the page panel's caption line.
TControl* PageTitle(int page)
{
    auto& f = Form();
    TPanel* panels[7] = {nullptr, f.MeasDispPan, f.MeasSetupPan, nullptr, f.BinMeasPan, f.BinSetupPan, f.BinCountPan};
    return panels[page] ? Find<TControl>(panels[page]->Name() + "Title") : nullptr;
}

// The label of a field that shows the selection, or nullptr for the fields drawn as pictures.
TControl* FieldLabel(int page, int field)
{
    auto& f = Form();
    switch (page) {
    case 1: {
        TControl* l[8] = {PageTitle(page), f.MeasDispFuncLab, f.MeasDispFreqLab, f.MeasDispLevelLab,
                          f.MeasDispLogLab, f.MeasDispRangeLab, f.MeasDispTrigLab, f.MeasDispSpeedLab};
        return field >= 0 && field <= 7 ? l[field] : nullptr;
    }
    case 2: {
        TControl* l[16] = {PageTitle(page), f.MeasSetupFuncLab, f.MeasSetupFreqLab, f.MeasSetupLevelLab, nullptr,
                           f.MeasSetupBiasLab, f.MeasSetupLczLab, f.MeasSetupDelayLab, f.MeasSetupAlcLab,
                           f.MeasSetupRangeLab, f.MeasSetupTrigLab, f.MeasSetupSpeedLab, f.MeasSetupAvgLab,
                           f.MeasSetupMon1Lab, f.MeasSetupMon2Lab, f.MeasSetupNomLab};
        return field >= 0 && field <= 15 ? l[field] : nullptr;
    }
    case 4: {
        TControl* l[10] = {PageTitle(page), f.BinMeasFuncLab, f.BinMeasFreqLab, f.BinMeasLevelLab, f.BinMeasLogLab,
                           f.BinMeasRangeLab, f.BinMeasTrigLab, f.BinMeasSpeedLab, f.BinMeasCompLab, f.BinMeasAuxLab};
        return field >= 0 && field <= 9 ? l[field] : nullptr;
    }
    case 5:
        switch (field) {
        case 0: return PageTitle(page);
        case 1: return f.BinSetupCompLab;
        case 2: return f.BinSetupModeLab;
        case 3: return f.BinSetupBinLab;
        case 14: return f.BinSetupNomLab;
        case 15: return f.BinSetupAuxLab;
        case 16: return f.BinSetupFuncLab;
        case 17: return f.BinSetupBeepLab;
        case 18: return f.BinSetupOpenLab;
        }
        return nullptr;
    case 6:
        return field == 0 ? PageTitle(page) : field == 1 ? static_cast<TControl*>(f.BinCountParaLab) : nullptr;
    }
    return nullptr;
}

bool OnNavyBand(int page, int field)
{
    if (page == 2)
        return (field >= 4 && field <= 6) || (field >= 12 && field <= 14);
    if (page == 5)
        return (field >= 4 && field <= 6) || (field >= 10 && field <= 12) || (field >= 19 && field <= 21)
            || (field >= 25 && field <= 27);
    return false;
}

// A field shows the selection by its background, so its label paints the background.
void Paint(TControl* c, TColor back, TColor text)
{
    if (!c)
        return;
    if (auto* st = dynamic_cast<TStaticText*>(c))
        st->SetTransparent(false);
    else if (auto* label = dynamic_cast<TLabel*>(c))
        label->SetTransparent(false);
    c->SetColor(back);
    c->Font()->SetColor(text);
}

} // namespace

void HighlightField(const AnsiString& State)
{
    auto& f = Form();
    const bool now = State == "Now";
    const int field = now ? f.CursorField : f.PrevCursorField;
    const int page = f.PageId;
    if (page != 1 && page != 2 && page != 4 && page != 5 && page != 6)
        return;
    if (field == 0) {
        Paint(FieldLabel(page, 0), now ? kWhite : kBlack, now ? kBlack : kWhite);
        if (now)
            ShowPage("NO_Send");
        return;
    }
    const TColor back = now ? kLime : OnNavyBand(page, field) ? kNavy : kBlack;
    const TColor text = now ? kBlack : kLime;
    const bool functionField = ((page == 1 || page == 2 || page == 4) && field == 1) || (page == 5 && field == 16);
    if (functionField) {
        if (f.MeasFunction == 13 || f.MeasFunction == 14)
            SetFunction(f.MeasFunction);
        else
            Paint(FieldLabel(page, field), back, text);
        return;
    }
    if (((page == 1 || page == 4) && field == 5) || (page == 2 && field == 9)) {
        Paint(FieldLabel(page, field), back, text);
        SetRange(f.RangeCode, "No_Send");
        return;
    }
    if (page == 2 && field == 4) {
        SetSourceResistance(f.SourceRes, "No_Send");
        return;
    }
    if (page == 2 && (field == 13 || field == 14)) {
        const int code = field == 13 ? f.Monitor1 : f.Monitor2;
        if (code >= 6 && code <= 9)
            SetMonitor(field == 13 ? "Mon1" : "Mon2", code);
        Paint(FieldLabel(page, field), back, text);
        return;
    }
    if ((page == 2 && field == 15) || (page == 5 && field == 14)) {
        Paint(FieldLabel(page, field), back, text);
        SetCompValue(f.NominalValue, f.NominalUnit, field, State, "");
        return;
    }
    if (page == 5 && ((field >= 4 && field <= 13) || (field >= 19 && field <= 28))) {
        const bool low = field <= 13;
        const int n = low ? field - 3 : field - 18;
        const AnsiString suffix = n == 10 ? AnsiString("2nd") : IntToStr(n);
        Paint(Find<TControl>((low ? "BinSetupLowLab" : "BinSetupUpLab") + suffix), back, text);
        // The BIN COUNT copy keeps its band whatever the state.
        TControl* copy = Find<TControl>((low ? "BinCountLowLab" : "BinCountUpLab") + suffix);
        if (n == 10)
            SetFontColor(copy, kWhite);
        else
            Paint(copy, (n <= 3 || n >= 7) ? kNavy : kBlack, kWhite);
        RedrawLimit(field, State, "");
        return;
    }
    Paint(FieldLabel(page, field), back, text);
}

void MoveCursor(int Direction)
{
    auto& f = Form();
    if (!f.PowerOn)
        return;
    if (Typing()) {
        // An arrow key drops the typed entry, even when the selection cannot move.
        f.InputValuePan->SetVisible(false);
        f.EntryNegative = false;
        f.EntryText = "";
        f.InputValueEdit->SetText("");
    }
    TCursorContext c;
    c.Log = f.LogRunning != 0;
    c.Dcr = f.MeasFunction == 12;
    c.Mon = f.Monitor1 == 6 || f.Monitor1 == 7 || f.Monitor2 == 6 || f.Monitor2 == 7;
    c.Aux = f.AuxOn != 0;
    c.Bins = f.BinNumber;
    const int next = NextCursorField(f.PageId, f.CursorField, Direction, c);
    if (next < 0)
        return;
    f.CursorField = next;
    HighlightField("Before");
    HighlightField("Now");
    f.PrevCursorField = f.CursorField;
    HandleSoftKey(0);
}

bool panel::Typing()
{
    return Form().InputValuePan && Form().InputValuePan->Visible();
}

void TLCRForm::UpBtnClick(TObject*)
{
    MoveCursor(cdUp);
}

void TLCRForm::DownBtnClick(TObject*)
{
    MoveCursor(cdDown);
}

void TLCRForm::LeftBtnClick(TObject*)
{
    MoveCursor(cdLeft);
}

void TLCRForm::RightBtnClick(TObject*)
{
    MoveCursor(cdRight);
}
