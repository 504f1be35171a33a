#include "components/slcomm/Unit_slcomm32_about.h"

#include <cstdio>

#include "baselib/sl_lang.h"
#include "baselib/sl_sysinfo.h"
#include "platform/forms/Shell.h"

namespace {

const TLangText kTexts[] = {
    {0, "About ", "关于 ", "關於 "},
    {1, "...", "……", "……"},
    {2, "User:", "用户:", "用戶:"},
    {3, "Orgn:", "单位:", "單位:"},
    {4, "Version: 1.3.3.3", "版本: 1.3.3.3", "版本: 1.3.3.3"},
    {5, "Serial library of the Zorvane program", "Zorvane 程序的串口库", "Zorvane 程式的串列埠庫"},
    {6, "https://zorvane.invalid/serial", "https://zorvane.invalid/serial", "https://zorvane.invalid/serial"},
    {7, "serial@zorvane.invalid", "serial@zorvane.invalid", "serial@zorvane.invalid"},
    {8, "mailto:serial@zorvane.invalid", "mailto:serial@zorvane.invalid", "mailto:serial@zorvane.invalid"},
    {9, "OK", "确定", "確定"},
};

TLabel* MakeLabel(TForm* Form, int Left, int Top, const AnsiString& Caption)
{
    auto* l = new TLabel(Form);
    l->SetParent(Form);
    l->SetLeft(Left);
    l->SetTop(Top);
    l->SetCaption(Caption);
    return l;
}

} // namespace

AnsiString SlcommAboutText(int Index)
{
    const TLangText* t = FindLangText(kTexts, Index);
    return t ? LangText(*t) : AnsiString();
}

TForm_SLComm32_About::TForm_SLComm32_About(TComponent* AOwner, const AnsiString& ACaption) : TForm(AOwner)
{
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(266);
    SetClientHeight(132);
    Font()->SetName(AppLang.FontName());
    Font()->SetCharset(AppLang.Charset());
    Font()->SetSize(AppLang.FontSize());

    BnOK = new TButton(this);
    BnOK->SetParent(this);
    BnOK->SetBounds(184, 102, 75, 25);
    BnOK->SetDefault(true);
    BnOK->SetCursor(crHandPoint);
    BnOK->OnClick = [this](TObject* s) { BnOKClick(s); };
    Image1 = new TImage(this);
    Image1->SetParent(this);
    Image1->SetBounds(16, 32, 32, 32);
    LabelCaption = MakeLabel(this, 72, 8, ACaption);
    LabelCaption->SetParentFont(false);
    LabelCaption->Font()->SetName(AppLang.FontName());
    LabelCaption->Font()->SetCharset(AppLang.Charset());
    LabelCaption->Font()->SetSize(12);
    LabelVersion = MakeLabel(this, 184, 16, SlcommAboutText(4));
    LabelCo = MakeLabel(this, 80, 32, SlcommAboutText(5));
    LabelHomepage = MakeLabel(this, 80, 46, SlcommAboutText(6));
    LabelHomepage->SetHint(SlcommAboutText(6));
    LabelEmail = MakeLabel(this, 80, 60, SlcommAboutText(7));
    LabelEmail->SetHint(SlcommAboutText(8));
    for (TLabel* link : {LabelHomepage, LabelEmail}) {
        link->SetParentFont(false);
        link->Font()->Assign(Font());
        link->Font()->SetColor(static_cast<TColor>(0xFF0000));
        link->Font()->SetStyle(fsUnderline);
        link->SetCursor(crHandPoint);
    }
    LabelHomepage->OnClick = [this](TObject* s) { LabelHomepageClick(s); };
    LabelEmail->OnClick = [this](TObject* s) { LabelEmailClick(s); };
    Bevel1 = new TBevel(this);
    Bevel1->SetParent(this);
    Bevel1->SetBounds(0, 80, 266, 2);

    SetCaption(SlcommAboutText(0) + ACaption + SlcommAboutText(1));
    LabelPmtUser = MakeLabel(this, 8, 100, SlcommAboutText(2));
    LabelPmtOrgn = MakeLabel(this, 8, 114, SlcommAboutText(3));
    BnOK->SetCaption(SlcommAboutText(9));

    TSysInfo info;
    const TSysInfo& os = info.OsInfo();
    char line[600];  // the two texts are cut to fit
    std::snprintf(line, sizeof line, "%.255s %u.%02u.%04u %.255s", os.OsName, os.MajorVersion, os.MinorVersion,
                  os.BuildNumber, os.CSDVersion);
    LabelOSVer = MakeLabel(this, 8, 86, line);
    LabelUser = MakeLabel(this, 40, 100, os.RegisteredOwner);
    LabelUserOrg = MakeLabel(this, 40, 114, os.RegisteredOrganization);
}

void TForm_SLComm32_About::LabelHomepageClick(TObject*) { ShellOpenAddress(SlcommAboutText(6)); }

void TForm_SLComm32_About::LabelEmailClick(TObject*) { ShellOpenAddress(SlcommAboutText(8)); }

void TForm_SLComm32_About::BnOKClick(TObject*) { SetModalResult(mrOk); }
