#include "main/About.h"

#include "components/controls/Owhyperctrls.h"
#include "platform/forms/Button.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/graphics/Picture.h"
#include "platform/win/Paths.h"

TAboutBox* AboutBox = nullptr;

namespace {

template <class T>
T* Add(TAboutBox* Box, const char* Name, int L, int T_, int W, int H)
{
    T* c = new T(Box);
    c->SetName(Name);
    c->SetParent(Box);
    c->SetBounds(L, T_, W, H);
    return c;
}

TLabel* AddText(TAboutBox* Box, const char* Name, int L, int T_, const AnsiString& Caption)
{
    TLabel* l = Add<TLabel>(Box, Name, L, T_, 200, 20);
    l->SetCaption(Caption);
    return l;
}

} // namespace

TAboutBox::TAboutBox(TComponent* AOwner) : TForm(AOwner)
{
    SetName("AboutBox");
    SetCaption("About");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(495);
    SetClientHeight(291);

    QNAboutIma = Add<TImage>(this, "QNAboutIma", 0, 0, 495, 70);
    QNAboutIma->SetStretch(true);
    LCRIma = Add<TImage>(this, "LCRIma", 16, 86, 180, 140);
    ProductNameLab = AddText(this, "ProductNameLab", 216, 96, "Product Name : ");
    ProductLab = AddText(this, "ProductLab", 330, 96, "Zorvane Series");
    VersionLab = AddText(this, "VersionLab", 216, 126, "Version :  2.05");
    VersionDateLab = AddText(this, "VersionDateLab", 216, 156, "Version Date:");
    DateLab = AddText(this, "DateLab", 330, 156, "2021/11/25");
    WebLabel = Add<TOwWebLabel>(this, "WebLabel", 216, 190, 260, 20);
    WebLabel->SetCaption("The maker's web site");
    OKButton = Add<TButton>(this, "OKButton", 206, 250, 84, 28);
    OKButton->SetCaption("OK");
    OKButton->SetDefault(true);
    OKButton->SetModalResult(mrOk);

    QNAboutIma->Picture()->LoadFromFile(MapWindowsPath("C:\\Zorvane\\GraphView\\QN.bmp"));
    LCRIma->Picture()->LoadFromFile(MapWindowsPath("C:\\Zorvane\\GraphView\\Zorvane.bmp"));
    WebLabel->SetURL("https://zorvane.example/");
}
