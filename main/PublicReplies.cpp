// Fetch replies: their number fields shown with units on the instrument pages or written
// into the result tables of a run, and the comparator result with its bin counts.
#include "components/controls/Voduriz.h"
#include "components/grid/Ravgrid.h"
#include "graph/GraphPublic.h"
#include "list/ListPublic.h"
#include "panel/PanelPictures.h"
#include "main/Lcr.h"
#include "main/Public.h"
#include "platform/core/Exceptions.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/StaticText.h"
#include "platform/graphics/Picture.h"
#include "platform/win/Paths.h"

bool IsNumericReply(const AnsiString& Text)
{
    for (char c : Text)
        if (!((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e'))
            return false;
    return true;
}

bool ReplyInDcrForm()
{
    TLCRForm* f = LCRForm;
    const bool runPage = f->PageId >= 7 && f->PageId <= 9;
    if (!runPage && f->MeasFunction == 12)
        return true;
    if ((f->PageId == 7 || f->ListMeasRunning) && f->ListSetupGrid->GetCellEx(1, f->ListStep) == "DCR")
        return true;
    return (f->PageId == 9 || f->SweepRunning) && f->SweepGraphFunBox->Text() == "DCR";
}

namespace {

// A unit picture that cannot be read leaves the picture empty; the reading goes on.
void LoadUnitPicture(TImage* Image, const AnsiString& File)
{
    if (File.empty())
        Image->Picture()->Assign(nullptr);
    else
        LoadPanelPicture(Image, File);
}

void ShowNumber(TStaticText* Label, const AnsiString& Number, int Normal, int Small, bool SmallAlso = false)
{
    const bool small = Number == "OVERLOAD" || (SmallAlso && Number == "--------");
    Label->Font()->SetSize(small ? Small : Normal);
    Label->SetCaption(Number);
}

// A number field that is not a number of the instrument's form.
bool BadField(const AnsiString& Field)
{
    double m = 0;
    int e = 0;
    return Field.size() != 12 || !IsNumericReply(Field) || !ParseReplyField(Field, m, e);
}

void ShowOnInstrumentPages(int Entry, int F, int Code, const TValueUnit& u)
{
    TLCRForm* f = LCRForm;
    switch (Entry) {
    case 0:
        for (TImage* i : {f->MeasDispFunc1UnitIma, f->EnlaDispFunc1UnitIma, f->BinMeasFunc1UnitIma})
            LoadUnitPicture(i, u.Picture);
        ShowNumber(f->MeasDispFunc1ValueSta, u.Number, 40, 26);
        ShowNumber(f->EnlaDispFunc1ValueSta, u.Number, 52, 34);
        ShowNumber(f->BinMeasFunc1ValueSta, u.Number, 28, 18);
        break;
    case 1: {
        const bool unit = F == 1 || F == 3 || F == 5 || F == 7 || F == 11 || F == 13 || F == 14;
        for (TImage* i : {f->MeasDispFunc2UnitIma, f->EnlaDispFunc2UnitIma, f->BinMeasFunc2UnitIma}) {
            i->SetVisible(unit);
            if (unit)
                LoadUnitPicture(i, u.Picture);
        }
        for (TStaticText* s : {f->MeasDispFunc2ValueSta, f->EnlaDispFunc2ValueSta, f->BinMeasFunc2ValueSta})
            s->SetVisible(F != 12);
        if (F != 12) {
            ShowNumber(f->MeasDispFunc2ValueSta, u.Number, 40, 26);
            ShowNumber(f->EnlaDispFunc2ValueSta, u.Number, 52, 34);
            ShowNumber(f->BinMeasFunc2ValueSta, u.Number, 28, 18);
        }
        break;
    }
    default: {
        const bool first = Entry == 2;
        TImage* units[2] = {first ? f->MeasDispMon1UnitIma : f->MeasDispMon2UnitIma,
            first ? f->EnlaDispMon1UnitIma : f->EnlaDispMon2UnitIma};
        TStaticText* labels[2] = {first ? f->MeasDispMon1ValueSta : f->MeasDispMon2ValueSta,
            first ? f->EnlDispMon1ValueSta : f->EnlDispMon2ValueSta};
        const bool unit = Code != 0 && Code != 2 && Code != 3 && F != 12;
        for (TImage* i : units) {
            i->SetVisible(unit);
            if (unit)
                LoadUnitPicture(i, u.Picture);
        }
        for (TStaticText* s : labels)
            s->SetVisible(Code != 0);
        if (Code != 0) {
            ShowNumber(labels[0], u.Number, 19, 10, true);
            ShowNumber(labels[1], u.Number, 32, 18, true);
        }
        break;
    }
    }
}

void WriteResultCell(int Entry)
{
    TLCRForm* f = LCRForm;
    const AnsiString& text = f->MeasValueText[Entry];
    if (!f->SweepIsActiveTest) {
        f->ListMeasGrid->SetCellEx(7 + Entry, f->ListRecordNo, text);
        return;
    }
    int row = 0;
    if (f->ComparePass == 1)
        row = f->SweepPoint;
    else if (f->ComparePass == 2)
        row = f->SweepPoint + f->SweepPointCount;
    if (row > 0)
        f->SweepResultGrid->SetCellEx(4 + Entry, row, text);
}

} // namespace

void ProcessFetchReply(const AnsiString& Reply)
{
    TLCRForm* f = LCRForm;
    const AnsiString cmd = f->LastCommand;
    const bool runPage = f->PageId >= 7 && f->PageId <= 9;
    const bool dcr = ReplyInDcrForm();
    const bool sweep = f->SweepIsActiveTest;
    auto listCell = [f](int col) { return f->ListSetupGrid->GetCellEx(col, f->ListStep); };

    int F = f->MeasFunction;
    if (runPage) {
        if (f->AlcOn == 1 && f->AlcRetriggers < 2)
            return;
        F = FunctionIndex(sweep ? f->SweepGraphFunBox->Text() : listCell(1));
    } else {
        if (f->TrigSource != 1 && f->AutoLcz == 1)
            QueryFunction();
        F = f->MeasFunction;
    }
    int C1 = f->Monitor1, C2 = f->Monitor2;
    if (runPage || f->PageId == 4) {
        C1 = MonitorIndex(sweep ? f->SweepGraphMon1Box->Text() : listCell(16));
        C2 = MonitorIndex(sweep ? f->SweepGraphMon2Box->Text() : listCell(17));
    }
    const bool judged = !sweep && (f->PageId == 7 || f->ListMeasRunning) && listCell(6) != "OFF";

    auto field = [&Reply](size_t column, size_t length = 12) {
        return column - 1 < Reply.size() ? Reply.substr(column - 1, length) : AnsiString();
    };
    int N = 0;
    int firstEntry = 0;
    if (cmd == "FETC?" || cmd == "FETC:IMP?") {
        N = cmd == "FETC?" ? 2 : 4;
        const AnsiString primary = field(1);
        if (BadField(primary)) {
            f->DiscardReply = true;
            return;
        }
        f->MeasValueText[0] = FormatReplyValue(primary, 7);
        if (!dcr) {
            const AnsiString secondary = field(14);
            if (BadField(secondary)) {
                f->DiscardReply = true;
                return;
            }
            f->MeasValueText[1] = FormatReplyValue(secondary, 7);
        }
        if (f->CompOn == 1) {
            f->MeasValueText[4] = dcr ? field(14, 7) : field(cmd == "FETC?" ? 27 : 53, 14);
            ShowBinResult(f->MeasValueText[4]);
        }
        bool monitors = cmd == "FETC:IMP?" && f->PageId != 4 && f->MeasFunction != 12;
        if (runPage)
            monitors = cmd == "FETC:IMP?" && F != 12;
        if (monitors) {
            const int codes[2] = {C1, C2};
            for (int k = 0; k < 2; ++k) {
                if (codes[k] <= 0)
                    continue;
                const AnsiString value = field(k == 0 ? 27 : 40);
                if (BadField(value)) {
                    f->DiscardReply = true;
                    return;
                }
                f->MeasValueText[2 + k] = FormatReplyValue(value, 6);
            }
        }
    } else if (cmd == "FETC:MON1?" || cmd == "FETC:MON2?") {
        N = 1;
        firstEntry = cmd == "FETC:MON1?" ? 2 : 3;
        const AnsiString value = field(1);
        if (BadField(value)) {
            f->DiscardReply = true;
            return;
        }
        f->MeasValueText[firstEntry] = FormatReplyValue(value, 6);
    } else {
        // Nothing asks for the main values alone; such a reply changes nothing shown.
        return;
    }

    static TVodUriz* TLCRForm::*const edits[4] = {&TLCRForm::PrimaryEdit, &TLCRForm::SecondEdit, &TLCRForm::Mon1Edit,
        &TLCRForm::Mon2Edit};
    for (int slot = 0; slot < N; ++slot) {
        const int entry = firstEntry + slot;
        const int code = entry == 2 ? C1 : entry == 3 ? C2 : 0;
        if (N == 4 && entry >= 2 && code == 0)
            continue;
        if (entry == 1 && dcr) {
            if (runPage && judged)
                CompareListStep(f->ListStep);
            return;
        }
        const TValueKind kind = entry == 0 ? TValueKind::Primary
            : entry == 1                    ? TValueKind::Secondary
                                            : TValueKind::Monitor;
        const TValueUnit u = ApplyValueUnit(kind, F, code, f->MeasValueText[entry]);
        f->MeasValueText[entry] = u.Text;
        if (!runPage)
            ShowOnInstrumentPages(entry, F, code, u);
        else {
            WriteResultCell(entry);
            if (entry == 1 && judged)
                CompareListStep(f->ListStep);
        }
        (f->*edits[entry])->SetText(u.Text);
    }
}

// ---- Comparator result ----

void ShowBinResult(const AnsiString& Field)
{
    TLCRForm* f = LCRForm;
    const bool full = Field.size() == 14;
    const AnsiString bin = Field.substr(0, 4);
    const AnsiString aux = full ? Field.substr(5, 6) : AnsiString();
    const AnsiString judgement = full ? (Field.size() > 12 ? Field.substr(12, 2) : AnsiString())
                                      : (Field.size() > 5 ? Field.substr(5, 2) : AnsiString());
    const bool open = bin == "OPEN";
    const bool rejected = bin == "OUT " || (open && f->OpenLimit != 0);
    constexpr TColor red = TColorOf(0x0000FF);
    constexpr TColor green = TColorOf(0x00FF00);
    constexpr TColor orange = TColorOf(0x4080FF);
    TStaticText* m1 = f->BinMeasMessage1;
    TStaticText* m2 = f->BinMeasMessage2;
    TStaticText* m3 = f->BinMeasMessage3;
    TStaticText* pf = f->EnlaPassFailLab;
    auto set = [](TStaticText* s, TColor c, const AnsiString& t) {
        s->Font()->SetColor(c);
        s->SetCaption(t);
    };
    const bool single = f->BinNumber == 1;
    // Without an AUX text (the DCR field) the result is judged by its bin alone.
    const bool auxJudged = f->AuxOn != 0 && (aux == "AUX-OK" || aux == "AUX-NG" || rejected);

    if (!auxJudged && rejected) {
        set(m1, open ? orange : red, bin);
        set(m2, green, "");
        set(m3, red, open ? "" : judgement);
        if (single)
            set(pf, red, "FAIL");
        else
            pf->SetCaption("");
    } else if (!auxJudged) {
        set(m1, green, bin);
        set(m3, green, judgement);
        m2->SetCaption("");
        set(pf, green, single ? "PASS" : "");
    } else if (rejected) {
        set(m1, open ? orange : red, bin);
        set(m3, red, open ? "" : judgement);
        if (aux == "AUX-NG")
            set(m2, orange, "AUX");
        else
            set(m2, green, "");
        if (single)
            set(pf, red, "FAIL");
        else
            set(pf, green, "");
    } else {
        set(m1, green, bin);
        if (aux == "AUX-OK") {
            set(m2, green, "");
            m3->Font()->SetColor(green);
            pf->Font()->SetColor(green);
        } else {
            set(m2, orange, "AUX");
            m3->Font()->SetColor(red);
            pf->Font()->SetColor(red);
        }
        m3->SetCaption(judgement);
        pf->SetCaption(single ? (aux == "AUX-OK" ? "PASS" : "FAIL") : "");
    }

    if (f->BinCounts[0] != 1)
        return;
    int counted = 0;
    if (bin.size() == 4 && bin.compare(0, 3, "BIN") == 0 && bin[3] >= '1' && bin[3] <= '9' && aux != "AUX-NG") {
        counted = bin[3] - '0';
        ++f->BinCounts[counted];
        f->CurBinCountResultLab =
            dynamic_cast<TStaticText*>(f->FindComponent("BinCountResultLab" + std::to_string(counted)));
        if (f->CurBinCountResultLab)
            f->CurBinCountResultLab->SetCaption(" " + std::to_string(f->BinCounts[counted]));
    } else if (bin == "OUT ") {
        counted = 11;
        ++f->BinCounts[11];
        f->BinCountOutLab->SetCaption(" " + std::to_string(f->BinCounts[11]));
    } else if (aux == "AUX-NG" && f->AuxOn == 1) {
        counted = 10;
        ++f->BinCounts[10];
        f->BinCountAuxLab->SetCaption(" " + std::to_string(f->BinCounts[10]));
    }
    if (counted == 0 || f->BinCounts[counted] != 100000)
        return;
    // The counts start again together, and every label shows it.
    for (int i = 1; i <= 11; ++i)
        f->BinCounts[i] = 0;
    for (int i = 1; i <= 9; ++i)
        if (auto* lab = dynamic_cast<TStaticText*>(f->FindComponent("BinCountResultLab" + std::to_string(i))))
            lab->SetCaption(" 0");
    f->BinCountAuxLab->SetCaption(" 0");
    f->BinCountOutLab->SetCaption(" 0");
}
