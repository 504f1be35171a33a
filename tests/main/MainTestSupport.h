#pragma once
// The program's own window against the simulated instrument on a pseudo-terminal.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "components/comm/Sercomm.h"
#include "main/Lcr.h"
#include "main/Public.h"
#include "platform/core/Clock.h"
#include "platform/core/Synchronize.h"
#include "platform/forms/Application.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Panel.h"
#include "platform/forms/Timer.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Menus.h"
#include "platform/forms/ModalScript.h"
#include "platform/forms/TestInput.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/win/Paths.h"
#include "tools/instrument-sim/InstrumentSim.h"

// Runs the loop (timers, serial deliveries, posted calls) until Done() or TimeoutMs real ms.
inline bool RunUntil(const std::function<bool()>& Done, int TimeoutMs = 5000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
    while (!Done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        CheckSynchronize(1);
        TestInput::ProcessEvents();
    }
    return true;
}

inline void RunFor(int Ms)
{
    RunUntil([] { return false; }, Ms);
}

// A user who reads every box for Ms real ms before answering it, as a real box keeps the
// window's loop running meanwhile: timers tick and serial events arrive under it. A box that
// comes up under another is read until the first one's time is up. Look, when given, sees
// each box first. Undone when it goes.
class TReadingUser {
public:
    explicit TReadingUser(int Ms, std::function<void(const TModalRequest&)> Look = {})
    {
        FPrevious = ModalScript::SetWhileShown([this, Ms, Look](const TModalRequest& R) {
            if (Look)
                Look(R);
            if (FDepth++ == 0)
                FDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms);
            RunUntil([this] { return std::chrono::steady_clock::now() >= FDeadline; }, Ms + 1000);
            --FDepth;
        });
    }
    ~TReadingUser() { ModalScript::SetWhileShown(std::move(FPrevious)); }
    TReadingUser(const TReadingUser&) = delete;
    TReadingUser& operator=(const TReadingUser&) = delete;

private:
    std::function<void(const TModalRequest&)> FPrevious;
    std::chrono::steady_clock::time_point FDeadline{};
    int FDepth = 0;
};

// The bench port of the tests.
constexpr int kTestPort = 7;
// How much faster than real time the program's waits run.
constexpr double kTestClockSpeed = 20;

class MainWindowFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();

    void SetUp() override
    {
        // The exchange's fixed waits run fast; the instrument settles before each one (see
        // StartSim), so transcripts stay exact however busy the machine is.
        SetClockSpeed(kTestClockSpeed);
        NewForm();
    }

    void NewForm()
    {
        Form.reset();
        Form = std::make_unique<TLCRForm>(nullptr);
        Form->SetVisible(true);
    }

    void TearDown() override
    {
        SetClockSettleHook(nullptr);
        if (Form)
            Form->LCRTimer->SetEnabled(false);
        Form.reset();
        if (Sim)
            Sim->Stop();
        SetClockSpeed(1);
    }

    // The instrument on an in-memory line, where every byte arrives as it is written, so the
    // program's waits can run on the fast clock; or on a pseudo-terminal at real time, as a
    // bench instrument behind a real serial device.
    enum class TLine { Memory, Pty };
    TInstrumentSim& StartSim(const AnsiString& Model = "ZVE", std::function<void(TSimOptions&)> Tune = {},
        TLine Line = TLine::Memory)
    {
        TSimOptions options;
        options.Model = Model;
        options.Firmware = "V2.03";
        options.SerialNumber = "ZV25110042";
        if (Tune)
            Tune(options);
        Sim = std::make_unique<TInstrumentSim>(options);
        if (Line == TLine::Pty) {
            SetClockSpeed(1);
            Sim->StartAsPort(kTestPort);
            return *Sim;
        }
        SetClockSpeed(kTestClockSpeed);
        Sim->StartOnMemoryLine(kTestPort);
        Sim->SettleBeforeProgramWaits([this] { return Form && Form->LCRCom ? Form->LCRCom->WriteBufUsed() : 0; });
        return *Sim;
    }

    // From now on every timed wait of the program's main thread is recorded in ProgramWaits
    // (its length in program ms), and the instrument is settled before it as StartSim does.
    void RecordProgramWaits();
    std::vector<std::uint64_t> ProgramWaits;

    // The user's way in: menu Setting, port, baud rate, Ok.
    void ConnectThroughPanel(int Port = kTestPort, int BaudItem = 4);
    // Moves from the baud rate buttons to the port list and picks the port with the keys.
    void SelectPort(int Port);

    // Measurement display with the internal trigger, as the POWER key leaves it.
    void ShowMeasurementDisplay(int Function = 4)
    {
        Form->PowerOn = true;
        Form->MeasFunction = Function;
        Form->TrigSource = 1;
        Form->Speed = 3;
        Form->AverageCount = 1;
        Form->PageId = 1;
        ShowPage("Send");
    }

    std::unique_ptr<TLCRForm> Form;
    std::unique_ptr<TInstrumentSim> Sim;
};
