#include "tests/main/MainTestSupport.h"

#include "components/controls/Owbuttons.h"
#include "platform/forms/CheckBox.h"

void MainWindowFixture::ConnectThroughPanel(int Port, int BaudItem)
{
    Form->Setting1->Click();
    ASSERT_TRUE(Form->ComPortPanel->Visible());
    TestInput::ProcessEvents();
    Form->SetComPort->SetFocus();
    TestInput::PressKey(Form->SetComPort, VK_HOME);
    for (int i = 1; i < Port; ++i)
        TestInput::PressKey(Form->SetComPort, VK_DOWN);
    ASSERT_EQ(Form->SetComPort->ItemIndex(), Port - 1);
    TestInput::Click(Form->BaudRate->Buttons(BaudItem));
    ASSERT_EQ(Form->BaudRate->ItemIndex(), BaudItem);
    TestInput::Click(Form->ComtOkBtn);
}
