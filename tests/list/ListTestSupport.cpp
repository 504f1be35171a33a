#include "tests/list/ListTestSupport.h"

#include <filesystem>

#include "list/ListPublic.h"
#include "platform/core/FileUtils.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Render.h"
#include "platform/graphics/Bitmap.h"

void ListFixture::SetUpTestSuite()
{
    MainWindowFixture::SetUpTestSuite();
}

void ListFixture::ShowListTab(bool SetupTab)
{
    Form->SetPagesEnabled(true);
    Form->MainViewTab->SetTabVisible(false);
    Form->ListMeasTab->SetTabVisible(true);
    Form->ListSetupTab->SetTabVisible(true);
    Form->LCRPag->SetActivePage(SetupTab ? Form->ListSetupTab : Form->ListMeasTab);
    Form->PageId = SetupTab ? 8 : 7;
    SetListMeasState("Default");
    TestInput::ProcessEvents();
}

void ListFixture::ClickButton(TOwShadowButton* B)
{
    TBitmap drawn;
    RenderControl(ButtonControl(B), &drawn);
    TestInput::Click(ButtonControl(B));
}

void ListFixture::Press(Word Key, TShiftState Shift)
{
    TestInput::KeyDown(Focus(), Key, Shift);
    TestInput::KeyUp(Focus(), Key, Shift);
}

void ListFixture::Type(const AnsiString& Text)
{
    for (char c : Text)
        TestInput::TypeText(Focus(), AnsiString(1, c));
}

void ListFixture::FillSteps(const std::vector<std::vector<AnsiString>>& Steps)
{
    SetupGrid()->SetRowCountEx(static_cast<int>(Steps.size()) + 1);
    for (size_t r = 0; r < Steps.size(); ++r)
        for (size_t c = 0; c < Steps[r].size(); ++c)
            SetupGrid()->SetCellEx(static_cast<int>(c), static_cast<int>(r) + 1, Steps[r][c]);
    Form->ListStepCount = static_cast<int>(Steps.size());
}

std::vector<AnsiString> ListFixture::Row(TRavArodozIdad* Grid, int R, int Cols) const
{
    std::vector<AnsiString> cells;
    for (int c = 0; c < Cols; ++c)
        cells.push_back(Grid->GetCellEx(c, R));
    return cells;
}

std::vector<AnsiString> ListFixture::Messages()
{
    std::vector<AnsiString> texts;
    for (const auto& r : ModalScript::Log())
        if (r.Kind == TModalKind::MessageBox)
            texts.push_back(r.Text);
    return texts;
}

std::string ReadAll(const AnsiString& Path)
{
    std::ifstream in(Path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteAll(const AnsiString& Path, const std::string& Bytes)
{
    std::ofstream out(Path, std::ios::binary);
    out << Bytes;
}

AnsiString ListTestFolder(const AnsiString& Name)
{
    const AnsiString dir = ZorvanePrefix() + "/files/" + Name + "/";
    ForceDirectories(dir);
    return dir;
}
