// The window as a user sees it: every tab, every panel and every instrument page on one
// contact sheet, and the panels' labels inside their panels and clear of their neighbours.
#include <vector>

#include "components/controls/Owbuttons.h"
#include "components/controls/Owdesign.h"
#include "components/controls/Voduriz.h"
#include "components/grid/Ravgrid.h"
#include "main/About.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Render.h"
#include "platform/forms/StaticText.h"
#include "platform/forms/StatusBar.h"
#include "platform/graphics/Canvas.h"
#include "tests/main/MainTestSupport.h"
#include "tests/support/ContactSheet.h"
#include "tests/support/TestOutput.h"

namespace {

// One picture of the sheet: what it shows and how it looks.
struct Shot {
    AnsiString Caption;
    std::unique_ptr<TBitmap> Picture;
};

bool Overlap(const TRect& A, const TRect& B)
{
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

int TextWidthIn(TControl* Control)
{
    TCanvas measure;
    measure.Font()->Assign(Control->Font());
    return measure.TextWidth(Control->Caption());
}

AnsiString Describe(TControl* C)
{
    return (C->Name().empty() ? "\"" + C->Caption() + "\"" : C->Name()) + " at (" + std::to_string(C->Left()) + ", " +
           std::to_string(C->Top()) + ", " + std::to_string(C->Width()) + " x " + std::to_string(C->Height()) + ")";
}

// Every shown label of Panel lies inside it, overlaps none of its shown neighbours and holds its
// whole text; every radio button and check box of it (and of its groups) shows its whole text.
void ExpectTidy(TWinControl* Panel)
{
    const TRect inside(0, 0, Panel->ClientWidth(), Panel->ClientHeight());
    for (int i = 0; i < Panel->ControlCount(); ++i) {
        TControl* c = Panel->Controls(i);
        if (!c->Visible())
            continue;
        if (auto* label = dynamic_cast<TLabel*>(c)) {
            const TRect r = label->BoundsRect();
            const bool within = r.Left >= inside.Left && r.Top >= inside.Top && r.Right <= inside.Right &&
                                r.Bottom <= inside.Bottom;
            EXPECT_TRUE(within) << Describe(label) << " leaves " << Describe(Panel);
            EXPECT_LE(TextWidthIn(label), label->Width()) << Describe(label) << " cuts its text";
            for (int k = 0; k < Panel->ControlCount(); ++k) {
                TControl* other = Panel->Controls(k);
                const bool clash = other != label && other->Visible() && Overlap(r, other->BoundsRect());
                EXPECT_FALSE(clash) << Describe(label) << " overlaps " << Describe(other) << " on " << Describe(Panel);
            }
        }
        if (dynamic_cast<TRadioButton*>(c) || dynamic_cast<TCheckBox*>(c)) {
            // The 13-pixel mark and the 4-pixel gap before the text.
            EXPECT_LE(TextWidthIn(c) + 17, c->Width()) << Describe(c) << " cuts its text";
        }
        if (auto* inner = dynamic_cast<TWinControl*>(c))
            ExpectTidy(inner);
    }
}

} // namespace

class WindowLayout : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        StartSim();
        ConnectThroughPanel();
        ASSERT_TRUE(Form->Connected);
    }

    void Click(TControl* Target)
    {
        TestInput::Click(Target);
        TestInput::ProcessEvents();
    }

    void SoftKey(int N)
    {
        TOwBitmapButton* keys[] = {Form->View1Btn, Form->View2Btn, Form->View3Btn, Form->View4Btn, Form->View5Btn};
        Click(keys[N - 1]);
    }

    void Take(const AnsiString& Caption, TControl* Control)
    {
        TestInput::ProcessEvents();
        auto bmp = std::make_unique<TBitmap>();
        RenderControl(Control, bmp.get());
        Shots.push_back({Caption, std::move(bmp)});
    }

    // All shots in one column, each captioned on the left.
    void SaveSheet(const AnsiString& Name)
    {
        int width = 0, height = 10;
        for (const Shot& s : Shots) {
            width = std::max(width, s.Picture->Width());
            height += s.Picture->Height() + 12;
        }
        ContactSheet sheet(ContactSheet::kLeft + width + 20, height + 40, "Zorvane windows");
        for (const Shot& s : Shots) {
            sheet.Row(s.Caption.c_str(), s.Picture->Height() + 12);
            auto* image = sheet.Put<TImage>(0, s.Picture->Width(), s.Picture->Height());
            image->Picture()->Bitmap()->Assign(s.Picture.get());
        }
        TestInput::ProcessEvents();
        EXPECT_TRUE(SaveControlToPng(sheet.form.get(), TestOutputPath(Name)));
    }

    std::vector<Shot> Shots;
};

TEST_F(WindowLayout, EveryTabPanelAndPageOnOneContactSheet)
{
    Form->Setting1->Click();
    Take("Communication", Form->ComPortPanel);
    Click(Form->ComCancelBtn);

    Click(Form->PowerBtn);
    ASSERT_TRUE(Form->PowerOn);
    EXPECT_TRUE(RunUntil([&] { return !Form->MeasDispFunc1ValueSta->Caption().empty(); }));
    Take("MEAS DISPLAY", Form->MainPanel);
    Take("Main View tab", Form.get());
    // The ENLARGE caption beside its key acts as the key.
    Click(Form->View8Ima);
    ASSERT_EQ(Form->PageId, 3);
    EXPECT_TRUE(RunUntil([&] { return !Form->EnlaDispFunc1ValueSta->Caption().empty(); }));
    Take("ENLARGE", Form->MainPanel);
    Click(Form->View8Btn);
    ASSERT_EQ(Form->PageId, 1);
    Click(Form->Setupbtn);
    Take("MEAS SETUP", Form->MainPanel);
    SoftKey(3);
    ASSERT_EQ(Form->PageId, 4);
    EXPECT_TRUE(RunUntil([&] { return !Form->BinMeasFunc1ValueSta->Caption().empty(); }));
    Take("BIN MEAS", Form->MainPanel);
    SoftKey(3);
    ASSERT_EQ(Form->PageId, 5);
    Take("BIN SETUP", Form->MainPanel);
    SoftKey(4);
    ASSERT_EQ(Form->PageId, 6);
    Take("BIN COUNT", Form->MainPanel);

    Click(Form->MeasBtn);
    SoftKey(2);
    ASSERT_EQ(Form->PageId, 8);
    Take("List Setup tab", Form.get());
    Click(Form->SetSweepBtn);
    Take("Set List Sweep", Form->ListSweepPan);
    // Monitor(1) on ABS by the keys (each change hands the focus back to the panel): the
    // nominal fields show and the buttons stack.
    const auto monitorKey = [&](Word Key) {
        Form->SweepMon1Box->SetFocus();
        TestInput::ProcessEvents();
        TestInput::PressKey(Form->SweepMon1Box, Key);
    };
    for (int i = 0; i < 6; ++i)
        monitorKey(VK_DOWN);
    ASSERT_TRUE(Form->SweepNomEdit->Visible());
    Take("Set List Sweep, nominal", Form->ListSweepPan);
    for (int i = 0; i < 6; ++i)
        monitorKey(VK_UP);
    Click(Form->SweepCancelBtn);
    Click(Form->ListSetupCopyBtn);
    Take("Copy Step", Form->CopyStepPanel);
    Click(Form->CopyCancelBtn);
    Form->SetNominalPan->SetVisible(true);
    Take("Step Nominal", Form->SetNominalPan);
    Form->SetNominalPan->SetVisible(false);
    Form->LCRPag->SetActivePage(Form->ListMeasTab);
    Take("List Meas tab", Form.get());

    Click(Form->ListSetupMeasDispBtn);
    SoftKey(4);
    ASSERT_EQ(Form->PageId, 9);
    Take("Sweep Graph tab", Form.get());
    Click(Form->SweepParaBtn);
    Take("Sweep Parameter", Form->SweepGraphParaPanel);
    Click(Form->SweepGraphCancelBtn);
    Click(Form->GraphParaBtn);
    Take("Graph Parameter", Form->SweepGraphParaPanel);
    Click(Form->SweepGraphCancelBtn);
    Form->SweepGraphResultPage->SetActivePage(Form->SweepResultTab);
    Take("Sweep table", Form.get());

    SaveSheet("window-contact-sheet.png");
}

TEST_F(WindowLayout, LabelsLieInsideTheirPanelsClearOfOtherControls)
{
    // The panels with and without the nominal fields of the monitors ABS and REL.
    for (const bool nominal : {false, true}) {
        SCOPED_TRACE(nominal ? "nominal shown" : "nominal hidden");
        for (TComboBox* b : {Form->SweepMon1Box, Form->SweepGraphMon1Box})
            b->SetItemIndex(nominal ? 6 : 0);
        Form->SweepMon1BoxChange(Form->SweepMon1Box);
        Form->SweepGraphMon1BoxChange(Form->SweepGraphMon1Box);
        for (TWinControl* panel : std::initializer_list<TWinControl*>{Form->ComPortPanel, Form->LCRPanel,
                 Form->ListMeasPan, Form->ListSetupPan, Form->ListSweepPan, Form->SetNominalPan, Form->CopyStepPanel,
                 Form->SweepGraphPan, Form->SweepParaTab, Form->GraphParaTab})
            ExpectTidy(panel);
    }
    // The Set List Sweep panel's buttons in both of their places stay on the page.
    for (TOwShadowButton* b : {Form->SweepOkBtn, Form->SweepCancelBtn})
        EXPECT_LE(b->Top() + b->Height(), Form->ListSweepPan->ClientHeight()) << b->Name();
    TAboutBox about(nullptr);
    ExpectTidy(&about);

    // The ENLARGE / NORMAL caption stands beside its key, well apart from the key before it.
    const TRect caption = Form->View8Ima->BoundsRect(), key = Form->View8Btn->BoundsRect();
    EXPECT_TRUE(Overlap(TRect(0, caption.Top, 2000, caption.Bottom), TRect(0, key.Top, 2000, key.Bottom)));
    EXPECT_GE(key.Left - caption.Right, 0);
    EXPECT_LE(key.Left - caption.Right, 8);
    EXPECT_GE(caption.Left - Form->View7Btn->BoundsRect().Right, 16);
}
