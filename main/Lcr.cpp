#include "main/Lcr.h"

#include "platform/forms/StatusBar.h"

TLCRForm* LCRForm = nullptr;

TLCRForm::TLCRForm(TComponent* AOwner) : TForm(AOwner)
{
    SetName("LCRForm");
    SetCaption("Zorvane Series");
    SetBorderIcons(biSystemMenu | biMinimize);
    SetScaled(false);
    SetBounds(0, 0, 1101, 621);

    StatusBar = new TStatusBar(this);
    StatusBar->SetName("StatusBar");
    StatusBar->SetParent(this);
    StatusBar->SetSimplePanel(true);
}
