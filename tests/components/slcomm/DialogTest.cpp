#include <filesystem>

#include <gtest/gtest.h>

#include "baselib/sl_lang.h"
#include "components/slcomm/Slcomm32.h"
#include "components/slcomm/Slcommdevice.h"
#include "components/slcomm/Unit_slcomm32_about.h"
#include "components/slcomm/Unit_slcomm32_settings.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ModalScript.h"
#include "platform/forms/Render.h"
#include "platform/forms/Shell.h"
#include "platform/forms/TestInput.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/serial/SerialDevice.h"
#include "platform/serial/SerialMemoryLine.h"
#include "platform/serial/SerialPorts.h"
#include "tests/support/TestOutput.h"

using namespace CorlanComm32;

namespace {

struct SettingsDialog : ::testing::Test {
    void SetUp() override
    {
        FWas = AppLang.LangType();
        AppLang.SetLangType(TAppLang::ltAnsi);
        std::filesystem::remove_all(SerialLinkDir().c_str());
        // Listed as a port by its link; opened, it is the in-memory line.
        LinkSerialPort(5, "/dev/null");
        Line = TSerialMemoryLine::Create(5);
        Comm.SetPortNo(5);
        ModalScript::ClearLog();
    }
    void TearDown() override
    {
        AppLang.SetLangType(FWas);
        ModalScript::ClearAnswers();
    }
    // Puts Text into Edit as typed by the user.
    static void Type(TWinControl* Edit, const AnsiString& Text)
    {
        Edit->SetText("");
        TestInput::Click(Edit);
        TestInput::TypeText(Edit, Text);
    }
    // Clicks OK expecting the error box with Text; the dialog stays open.
    static void ExpectRefused(TSlCommSettingsForm& F, int Text)
    {
        ModalScript::AnswerButton(IDOK);
        TestInput::Click(F.BnOK);
        EXPECT_EQ(ModalScript::LastRequest().Text, SlcommSettingsText(Text));
        EXPECT_EQ(ModalScript::LastRequest().Caption, "COM port Setup");
        EXPECT_EQ(F.ModalResult(), mrNone);
    }

    TAppLang::TLangType FWas = TAppLang::ltAnsi;
    std::shared_ptr<TSerialMemoryLine> Line;
    TSLComm32 Comm{nullptr};
};

} // namespace

TEST_F(SettingsDialog, ShowsTheSettingsAndHidesDesignButtons)
{
    TForm_SLComm32_Settings f(nullptr, false, &Comm);
    f.Show();
    EXPECT_EQ(f.Caption(), "COM port Setup");
    EXPECT_EQ(f.CbPort->Text(), "COM5");
    EXPECT_EQ(f.CbBaud->Text(), "115200");
    EXPECT_EQ(f.CbByteSize->ItemIndex(), 3);
    ASSERT_EQ(f.CbParity->Items()->Count(), 5);
    EXPECT_EQ(f.CbParity->Items()->Strings(0), "No parity");
    EXPECT_EQ(f.CbParity->Items()->Strings(4), "Space Parity");
    EXPECT_EQ(f.CbFlow->Items()->Strings(3), "RTS/CTS & Xon/Xoff");
    EXPECT_EQ(f.EditInBufSize->Text(), "8192");
    EXPECT_FALSE(f.BnAbout->Visible());
    EXPECT_FALSE(f.BnDefault->Visible());
    EXPECT_EQ(f.BnOK->Left(), (393 - 75) / 2 - 60);
    EXPECT_EQ(f.BnCancel->Left(), (393 - 75) / 2 + 60);
    SaveControlToPng(&f, TestOutputPath("slcomm_settings.png"));

    Comm.SetDesigning(true);
    TForm_SLComm32_Settings design(nullptr, false, &Comm);
    design.Show();
    EXPECT_TRUE(design.BnAbout->Visible());
    EXPECT_TRUE(design.BnDefault->Visible());
    EXPECT_EQ(design.BnOK->Left(), 232);
    SaveControlToPng(&design, TestOutputPath("slcomm_settings_design.png"));
    design.CbFlow->SetItemIndex(2);
    design.EditAutoAns->SetText("9");
    TestInput::Click(design.BnDefault);
    EXPECT_EQ(design.CbFlow->ItemIndex(), 0);
    EXPECT_EQ(design.EditAutoAns->Text(), "0");
    EXPECT_EQ(design.CbBaud->Text(), "115200");
    TModalAnswer about;
    about.Action = [](TCustomForm* a) {
        EXPECT_EQ(a->Caption(), "About TSLComm32...");
        TestInput::Click(static_cast<TForm_SLComm32_About*>(a)->BnOK);
    };
    ModalScript::Answer(about);
    TestInput::Click(design.BnAbout);
    EXPECT_EQ(ModalScript::LastRequest().Kind, TModalKind::Form);
}

TEST_F(SettingsDialog, EnterWalksTheFieldsThenApplies)
{
    TForm_SLComm32_Settings f(nullptr, false, &Comm);
    f.Show();
    f.CbPort->SetFocus();
    TestInput::PressKeyOnForm(&f, VK_RETURN);
    EXPECT_EQ(f.ActiveControl(), f.CbBaud);
    EXPECT_EQ(f.ModalResult(), mrNone);
    EXPECT_TRUE(ModalScript::Log().empty());
    Type(f.CbBaud, "9600 ");
    f.EditOutBufSize->SetFocus();
    TestInput::PressKeyOnForm(&f, VK_RETURN);
    EXPECT_EQ(f.ModalResult(), mrOk);
    EXPECT_EQ(Comm.Baud(), 9600);
    EXPECT_FALSE(Comm.Active());  // closed and not asked to open
}

TEST_F(SettingsDialog, RefusesBadFields)
{
    TForm_SLComm32_Settings f(nullptr, false, &Comm);
    f.Show();
    struct Case { TWinControl* Field; const char* Text; int Message; };
    const Case cases[] = {
        {f.CbBaud, "", 18},        {f.CbBaud, "96x0", 19},        {f.CbBaud, "0", 19},
        {f.CbBaud, "-9600", 19},   {f.EditAutoAns, "256", 32},    {f.EditAutoAns, "-1", 32},
        {f.EditInBufSize, "4095", 33}, {f.EditOutBufSize, "4095", 34}, {f.EditOutBufSize, "", 34},
    };
    for (const Case& c : cases) {
        AnsiString before = c.Field->Text();
        Type(c.Field, c.Text);
        ExpectRefused(f, c.Message);
        EXPECT_EQ(f.ActiveControl(), c.Field) << c.Text;
        c.Field->SetText(before);
    }
    EXPECT_EQ(Comm.Baud(), 115200);  // nothing applied
    Type(f.EditInBufSize, "4096");
    TestInput::Click(f.BnOK);
    EXPECT_EQ(f.ModalResult(), mrOk);
    EXPECT_EQ(Comm.InBufSize(), 4096);
}

TEST_F(SettingsDialog, PortMustBeChosenAndOpensWhenAsked)
{
    Comm.SetPortNo(77);  // not among the system's ports
    TForm_SLComm32_Settings f(nullptr, true, &Comm);
    f.Show();
    EXPECT_EQ(f.CbPort->ItemIndex(), -1);
    ExpectRefused(f, 17);
    f.CbPort->SetItemIndex(f.CbPort->Items()->IndexOf("COM5"));
    TestInput::Click(f.BnOK);
    EXPECT_EQ(f.ModalResult(), mrOk);
    EXPECT_TRUE(Comm.Active());
    EXPECT_EQ(Comm.PortNo(), 5);
}

TEST_F(SettingsDialog, FailedApplyRestoresTheSettings)
{
    Comm.SetBaud(1200);
    Comm.SetActive(true);
    TForm_SLComm32_Settings f(nullptr, false, &Comm);
    f.Show();
    Type(f.CbBaud, "9600");
    f.CbByteSize->SetItemIndex(0);  // five data bits with
    f.CbStopBits->SetItemIndex(1);  // one and a half stop bits: fine
    TestInput::Click(f.BnOK);
    EXPECT_EQ(f.ModalResult(), mrOk);
    EXPECT_TRUE(Comm.Active());

    TForm_SLComm32_Settings g(nullptr, false, &Comm);
    g.Show();
    g.CbByteSize->SetItemIndex(3);  // eight data bits with one and a half stop bits: refused by the line
    ModalScript::AnswerButton(IDOK);
    TestInput::Click(g.BnOK);
    EXPECT_EQ(g.ModalResult(), mrNone);
    EXPECT_EQ(ModalScript::LastRequest().Text, "Cannot set COM port parameters");
    EXPECT_EQ(g.ActiveControl(), g.CbPort);
    EXPECT_TRUE(Comm.Active());  // the old settings, open again
    EXPECT_EQ(Comm.ByteSize(), 5);
    EXPECT_EQ(Comm.Baud(), 9600);
}

TEST_F(SettingsDialog, CancelAndTheComponentsEntry)
{
    TModalAnswer cancel;
    cancel.Action = [](TCustomForm* f) {
        auto* d = static_cast<TSlCommSettingsForm*>(f);
        d->EditAutoAns->SetText("7");
        TestInput::Click(d->BnCancel);
    };
    ModalScript::Answer(cancel);
    EXPECT_FALSE(Comm.SettingsDialog(nullptr, true));
    EXPECT_EQ(Comm.AutoAnswer(), 0);
    EXPECT_FALSE(Comm.Active());

    TModalAnswer ok;
    ok.Action = [](TCustomForm* f) { TestInput::Click(static_cast<TSlCommSettingsForm*>(f)->BnOK); };
    ModalScript::Answer(ok);
    EXPECT_TRUE(Comm.SettingsDialog(nullptr, true));
    EXPECT_TRUE(Comm.Active());
}

TEST_F(SettingsDialog, DeviceDialogChoosesFromTheRates)
{
    LinkSerialPort(6, "/dev/null");
    auto line = TSerialMemoryLine::Create(6);
    TSlCommDevice d(nullptr);
    d.SetPortNo(6);
    d.SetFlowControl(TSlCustomCommDevice::fcTranXonXoff);
    TForm_SlCommDevice_Settings f(nullptr, false, &d);
    f.Show();
    EXPECT_EQ(f.CbBaud, nullptr);
    EXPECT_EQ(f.CbSelBaud->ItemIndex(), 12);
    EXPECT_EQ(f.CbFlow->ItemIndex(), 2);
    f.CbSelBaud->SetItemIndex(-1);
    ExpectRefused(f, 18);
    f.CbSelBaud->SetItemIndex(10);
    f.CbFlow->SetItemIndex(3);
    TestInput::Click(f.BnOK);
    EXPECT_EQ(f.ModalResult(), mrOk);
    EXPECT_EQ(d.Baud(), TSlCustomCommDevice::br56000);
    EXPECT_EQ(d.FlowControl(), TSlCustomCommDevice::fcRtsCtsXonXoff);
    SaveControlToPng(&f, TestOutputPath("slcommdevice_settings.png"));
}

TEST(AboutDialog, ShowsVersionAndSystem)
{
    TForm_SLComm32_About a(nullptr, "TSlCommDevice");
    EXPECT_EQ(a.Caption(), "About TSlCommDevice...");
    EXPECT_EQ(a.LabelCaption->Caption(), "TSlCommDevice");
    EXPECT_EQ(a.LabelVersion->Caption(), "Version: 1.3.3.3");
    EXPECT_EQ(a.BnOK->Caption(), "OK");
    EXPECT_FALSE(a.LabelOSVer->Caption().empty());
    SetShellRecordOnly(true);
    ClearShellOpenedAddresses();
    TestInput::Click(a.LabelHomepage);
    TestInput::Click(a.LabelEmail);
    ASSERT_EQ(ShellOpenedAddresses().size(), 2u);
    EXPECT_EQ(ShellOpenedAddresses()[1].rfind("mailto:", 0), 0u);
    SaveControlToPng(&a, TestOutputPath("slcomm_about.png"));
}
