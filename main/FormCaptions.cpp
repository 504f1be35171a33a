#include "main/FormCaptions.h"

#include "components/controls/Voduriz.h"
#include "platform/forms/Label.h"

namespace {

// Room between a caption's text and the field below it.
constexpr int CaptionGap = 2;

} // namespace

TLabel* CaptionAbove(TControl* Field, const AnsiString& Text, TLabel* Label)
{
    if (!Label) {
        Label = new TLabel(Field->Owner());
        Label->SetParent(Field->Parent());
    }
    Label->SetCaption(Text);
    Label->SetTransparent(true);
    Label->SetLeft(Field->Left());
    Label->SetTop(Field->Top() - Label->Height() - CaptionGap);
    return Label;
}

void CaptionAbove(TVodUriz* Field, const AnsiString& Text)
{
    Field->SetLabelPosition(lpTopLeft);
    Field->SetLabelMargin(CaptionGap);
    Field->SetLabelTransparent(true);
    Field->SetLabelCaption(Text);
}

TLabel* PanelTitle(TWinControl* Panel, const AnsiString& Text, bool Bar)
{
    auto* title = new TLabel(Panel->Owner());
    title->SetParent(Panel);
    title->SetCaption(Text);
    title->Font()->SetStyle(fsBold);
    if (Bar) {
        title->SetAutoSize(false);
        title->SetBounds(2, 2, Panel->Width() - 4, 24);
        title->SetColor(clNavy);
        title->Font()->SetColor(clWhite);
        title->SetLayout(tlCenter);
        title->SetAlignment(taCenter);
    } else {
        title->SetTransparent(true);
        title->SetLeft(10);
        title->SetTop(8);
    }
    return title;
}
