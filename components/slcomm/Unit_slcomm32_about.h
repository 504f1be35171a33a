#pragma once
// The serial library's about dialog: the component's name, the library's
// version, and the operating system with its registered user.
#include "platform/forms/Button.h"
#include "platform/forms/Form.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/Shape.h"

class TForm_SLComm32_About : public TForm {
public:
    TForm_SLComm32_About(TComponent* AOwner, const AnsiString& ACaption);

    void LabelHomepageClick(TObject* Sender);
    void LabelEmailClick(TObject* Sender);
    void BnOKClick(TObject* Sender);

    TButton* BnOK;
    TImage* Image1;
    TLabel* LabelCaption;
    TLabel* LabelVersion;
    TLabel* LabelCo;
    TLabel* LabelHomepage;
    TLabel* LabelEmail;
    TBevel* Bevel1;
    TLabel* LabelOSVer;
    TLabel* LabelPmtUser;
    TLabel* LabelPmtOrgn;
    TLabel* LabelUser;
    TLabel* LabelUserOrg;
};

// The dialog's texts 0 to 9 in AppLang's language.
AnsiString SlcommAboutText(int Index);
