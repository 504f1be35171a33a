#include "tests/main/MainTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <thread>

#include "components/controls/Owbuttons.h"
#include "platform/forms/CheckBox.h"

void MainWindowFixture::SetUpTestSuite()
{
    // The pictures this build drew, in the bitmap folder of the test's own prefix.
    namespace fs = std::filesystem;
    const fs::path art = fs::path(ZorvanePrefix()) / "drive_c" / "Zorvane" / "GraphView";
    fs::create_directories(art);
    fs::copy(ZV_PANEL_ART_DIR, art, fs::copy_options::overwrite_existing | fs::copy_options::recursive);
}

void MainWindowFixture::RecordProgramWaits()
{
    ProgramWaits.clear();
    SetClockSettleHook([this](std::uint64_t Ms) {
        ProgramWaits.push_back(Ms);
        HoldClock(true);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (Form && Form->LCRCom && Form->LCRCom->WriteBufUsed() > 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        if (Sim)
            Sim->Settle(static_cast<int>(std::min<std::uint64_t>(Ms, 60000)), 2000);
        HoldClock(false);
    });
}

void MainWindowFixture::ConnectThroughPanel(int Port, int BaudItem)
{
    Form->Setting1->Click();
    ASSERT_TRUE(Form->ComPortPanel->Visible());
    TestInput::ProcessEvents();
    // The baud rate by a click on its button, then Shift+Tab back to the port list and the
    // arrow keys down to the port (a click on the list would open it).
    TestInput::Click(Form->BaudRate->Buttons(BaudItem));
    ASSERT_EQ(Form->BaudRate->ItemIndex(), BaudItem);
    SelectPort(Port);
    TestInput::Click(Form->ComtOkBtn);
}

void MainWindowFixture::SelectPort(int Port)
{
    for (int i = 0; i < 8 && Form->ActiveControl() != Form->SetComPort; ++i)
        TestInput::PressKeyOnForm(Form.get(), VK_TAB, ssShift);
    ASSERT_EQ(Form->ActiveControl(), Form->SetComPort);
    TestInput::PressKey(Form->SetComPort, VK_HOME);
    for (int i = 1; i < Port; ++i)
        TestInput::PressKey(Form->SetComPort, VK_DOWN);
    ASSERT_EQ(Form->SetComPort->ItemIndex(), Port - 1);
}
