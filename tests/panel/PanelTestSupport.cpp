#include "tests/panel/PanelTestSupport.h"

#include <filesystem>
#include <map>

#include <unistd.h>

#include "components/controls/Owbuttons.h"
#include "components/controls/Owdesign.h"
#include "components/comm/Sercomm.h"
#include "panel/PanelPictures.h"
#include "platform/core/Clock.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Menus.h"
#include "platform/forms/Panel.h"
#include "platform/forms/StatusBar.h"
#include "platform/forms/TestInput.h"
#include "platform/win/Paths.h"

namespace {

std::vector<AnsiString> gLoaded;
std::map<const TComponent*, AnsiString> gHeld;

void RecordLoad(const AnsiString& name, const TComponent* target)
{
    gLoaded.push_back(name);
    gHeld[target] = name;
}

} // namespace

bool IsFetchQuery(const AnsiString& line)
{
    // The polling cycle: the fetches and the range read-back after them.
    return line.rfind("FETC", 0) == 0 || line == "FUNC:IMP:RANG?" || line == "FUNC:DCR:RANG?";
}

void PanelSession::SetUpTestSuite()
{
    namespace fs = std::filesystem;
    // A prefix of this process's own: test cases run side by side, each with its simulated
    // instrument linked as the same port.
    static const std::string prefix = ZorvanePrefix() + "/run-" + std::to_string(::getpid());
    setenv("ZORVANE_PREFIX", prefix.c_str(), 1);
    // The drawn picture set of this build, where the program reads "C:\Zorvane\GraphView\".
    const fs::path folder = MapWindowsPath("C:\\Zorvane\\GraphView");
    std::error_code ec;
    if (!fs::exists(folder)) {
        fs::create_directories(folder.parent_path());
        fs::create_directory_symlink(ZV_PANEL_ART_DIR, folder, ec);
    }
    SetPictureLoadHook(RecordLoad);
}

void PanelSession::TearDownTestSuite()
{
    std::error_code ec;
    std::filesystem::remove_all(ZorvanePrefix(), ec);
}

TSimOptions PanelSession::SimOptions() const
{
    TSimOptions o;
    o.MeasureTimeScale = 0.05;
    return o;
}

void PanelSession::SetUp()
{
    // The exchange's fixed waits run fast; the instrument settles before each one, so
    // transcripts stay exact however busy the machine is.
    SetClockSpeed(20);
    gHeld.clear();
    Sim = std::make_unique<TInstrumentSim>(SimOptions());
    Sim->StartOnMemoryLine(kPort);
    Sim->SettleBeforeProgramWaits([this] { return Form && Form->LCRCom ? Form->LCRCom->WriteBufUsed() : 0; });
    Form = std::make_unique<TLCRForm>(nullptr);
    LCRForm = Form.get();
    Form->Show();
    TestInput::ProcessEvents();
    gLoaded.clear();
}

void PanelSession::TearDown()
{
    Form.reset();
    LCRForm = nullptr;
    Sim.reset();
    SetClockSpeed(1);
}

void PanelSession::Connect(int baudIndex)
{
    Form->Setting1->Click();
    TestInput::ProcessEvents();
    Form->SetComPort->SetItemIndex(kPort - 1);
    Form->BaudRate->SetItemIndex(baudIndex - 1);
    Click(Form->ComtOkBtn);
    ASSERT_TRUE(Form->Connected) << Form->StatusBar->SimpleText();
    Seen = Sim->LineCount();
}

void PanelSession::PowerOn()
{
    Click(Form->PowerBtn);
    ASSERT_TRUE(Form->PowerOn);
    NewLines();
}

void PanelSession::Click(TControl* key)
{
    TestInput::Click(key);
    TestInput::ProcessEvents();
}

void PanelSession::Press(std::initializer_list<TControl*> keys)
{
    for (TControl* k : keys)
        Click(k);
}

void PanelSession::Type(const AnsiString& text)
{
    TOwBitmapButton* digits[10] = {Form->ZeroBtn, Form->OneBtn, Form->TwoBtn,   Form->ThreeBtn, Form->FourBtn,
                                   Form->FiveBtn, Form->SixBtn, Form->SevenBtn, Form->EightBtn, Form->NineBtn};
    for (char c : text) {
        if (c >= '0' && c <= '9')
            Click(digits[c - '0']);
        else if (c == '.')
            Click(Form->DotBtn);
        else if (c == '-')
            Click(Form->PlusMinusLeftBtn);
    }
}

void PanelSession::SoftKey(int n)
{
    TOwBitmapButton* keys[5] = {Form->View1Btn, Form->View2Btn, Form->View3Btn, Form->View4Btn, Form->View5Btn};
    Click(keys[n - 1]);
}

void PanelSession::Arrow(int direction, int times)
{
    TOwBitmapButton* keys[4] = {Form->UpBtn, Form->DownBtn, Form->LeftBtn, Form->RightBtn};
    for (int i = 0; i < times; ++i)
        Click(keys[direction - 1]);
}

std::vector<AnsiString> PanelSession::NewLines()
{
    // Lines written without a read-back may still be on their way to the instrument.
    size_t count = Sim->LineCount();
    for (int i = 0; i < 20; ++i) {
        TestInput::RunFor(5);
        const size_t now = Sim->LineCount();
        if (now == count && i >= 2)
            break;
        count = now;
    }
    std::vector<AnsiString> all = Sim->Lines();
    std::vector<AnsiString> fresh;
    for (size_t i = Seen; i < all.size(); ++i)
        if (!IsFetchQuery(all[i]))
            fresh.push_back(all[i]);
    Seen = all.size();
    return fresh;
}

bool PanelSession::WaitForFetch(const AnsiString& query)
{
    for (int i = 0; i < 200; ++i) {
        const std::vector<AnsiString> all = Sim->Lines();
        for (size_t j = Seen; j < all.size(); ++j)
            if (all[j] == query)
                return true;
        TestInput::RunFor(10);
    }
    return false;
}

AnsiString PanelSession::PictureOf(const TComponent* target)
{
    const auto at = gHeld.find(target);
    return at == gHeld.end() ? AnsiString() : at->second;
}

std::vector<AnsiString> PanelSession::LoadedPictures()
{
    std::vector<AnsiString> names;
    names.swap(gLoaded);
    return names;
}
