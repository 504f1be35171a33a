#include "components/controls/VodurizQuery.h"

#include <memory>

#include "components/controls/Voduriz.h"
#include "platform/forms/Application.h"
#include "platform/forms/Button.h"
#include "platform/forms/Form.h"
#include "platform/forms/Label.h"

bool RavInputQuery(TVodUrizType EditType, const TQueryParams* Params, const AnsiString& Caption,
                   const AnsiString& Prompt, AnsiString& Value)
{
    // Freed on every way out, with the label, the edit and the buttons it owns.
    auto form = std::make_unique<TForm>(Application);
    TCanvas* c = form->Canvas();
    c->Font()->Assign(form->Font());
    const TSize size = c->TextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int w = size.cx / 52, h = size.cy;
    auto x = [w](int n) { return n * w / 4; };
    auto y = [h](int n) { return n * h / 8; };

    form->SetBorderStyle(bsDialog);
    form->SetCaption(Caption);
    form->SetClientWidth(x(180));
    form->SetClientHeight(y(63));
    form->SetPosition(poScreenCenter);

    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetAutoSize(true);
    label->SetLeft(x(8));
    label->SetTop(y(8));
    label->SetCaption(Prompt);

    auto* edit = new TVodUriz(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(label->Left(), y(19), x(164), edit->Height());
    edit->SetMaxLength(255);
    edit->SetFocusColor(clNone);
    edit->BeginLoading(); // the edit's start-up, as a form's edits get it
    edit->EndLoading();
    edit->SetInDialog(true);
    edit->SetText(Value);
    edit->SelectAll();
    edit->SetEditType(EditType);
    if (Params) {
        edit->SetPrefix(Params->Prefix);
        edit->SetSuffix(Params->Suffix);
        edit->SetPrecision(Params->Precision);
        edit->SetLengthLimit(Params->LengthLimit);
        edit->SetFlat(Params->Flat);
        if (Params->Flat)
            edit->SetHeight(edit->Height() - 4);
    }
    form->SetActiveControl(edit);

    auto button = [&](const char* caption, int left, TModalResult result) {
        auto* b = new TButton(form.get());
        b->SetParent(form.get());
        b->SetCaption(caption);
        b->SetModalResult(result);
        b->SetBounds(x(left), y(41), x(50), y(14));
        b->SetTabStop(true);
        return b;
    };
    button("OK", 38, mrOk)->SetDefault(true);
    button("Cancel", 92, mrCancel)->SetCancel(true);

    if (form->ShowModal() != mrOk)
        return false;
    Value = edit->GetText();
    return true;
}
