// Exceptions leaving program code reach the application's exception message and the
// loop goes on; modal boxes never block a test.
#include <gtest/gtest-spi.h>
#include <atomic>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/core/Synchronize.h"
#include "platform/forms/Application.h"
#include "platform/forms/Button.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/TestInput.h"
#include "platform/forms/Timer.h"

namespace {

// Runs the loop until Done() or a generous bound (a guard against hangs, not a timing test).
template <typename F>
bool RunUntil(F Done, int LimitMs = 3000)
{
    const auto start = std::chrono::steady_clock::now();
    while (!Done() && std::chrono::steady_clock::now() - start < std::chrono::milliseconds(LimitMs))
        TestInput::RunFor(5);
    return Done();
}

struct ExceptionMessage : ::testing::Test {
    void SetUp() override { Application->SetTitle("Zorvane Series"); }
};

} // namespace

TEST_F(ExceptionMessage, ClickHandlerExceptionIsShownAndTheNextClickWorks)
{
    TForm f(nullptr);
    auto* b = new TButton(&f);
    b->SetParent(&f);
    int clicks = 0;
    b->OnClick = [&](TObject*) {
        if (++clicks == 1)
            throw EConvertError("'abc' is not a valid floating point value");
    };
    ModalScript::AnswerButton(IDOK);
    TestInput::Click(b);
    TestInput::Click(b);
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(ModalScript::Log().size(), 1u);
    const TModalRequest r = ModalScript::Log()[0];
    EXPECT_EQ(r.Kind, TModalKind::MessageBox);
    EXPECT_EQ(r.Caption, "Zorvane Series");
    EXPECT_EQ(r.Text, "'abc' is not a valid floating point value.");
    EXPECT_EQ(r.Flags & 0xF0u, unsigned(MB_ICONSTOP));
    EXPECT_EQ(r.Buttons, std::vector<AnsiString>{"OK"});
}

TEST_F(ExceptionMessage, CaptionIsTheProgramNameUntilATitleIsSet)
{
    Application->SetTitle("");
    ModalScript::AnswerButton(IDOK);
    EConvertError e("Invalid input");
    Application->ShowException(&e);
    ASSERT_EQ(ModalScript::Log().size(), 1u);
    EXPECT_EQ(ModalScript::Log()[0].Caption, "forms_tests");
}

TEST_F(ExceptionMessage, MessageEndingInPunctuationGetsNoExtraPeriod)
{
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {{"Cell does not contain a float value", "Cell does not contain a float value."},
                 {"Port failure!", "Port failure!"},
                 {"Done.", "Done."},
                 {"", ""}};
    for (const auto& c : cases) {
        ModalScript::ClearLog();
        ModalScript::AnswerButton(IDOK);
        Application->Guard([&] { throw Exception(c.text); });
        ASSERT_EQ(ModalScript::Log().size(), 1u) << c.text;
        EXPECT_EQ(ModalScript::Log()[0].Text, c.shown);
    }
}

TEST_F(ExceptionMessage, OnExceptionReplacesTheMessageAndAbortIsSilent)
{
    AnsiString seen;
    Application->OnException = [&](TObject*, Exception* E) { seen = E->Message(); };
    Application->Guard([] { throw EInOutError("I/O error 103"); });
    Application->OnException = nullptr;
    EXPECT_EQ(seen, "I/O error 103");
    Application->Guard([] { throw EAbort("Operation aborted"); });
    EXPECT_TRUE(ModalScript::Log().empty());
}

TEST_F(ExceptionMessage, TimerTickExceptionIsShownAndTheTimerGoesOn)
{
    TTimer t(nullptr);
    t.SetInterval(5);
    int ticks = 0;
    t.OnTimer = [&](TObject*) {
        if (++ticks == 1)
            throw Exception("No reply from the instrument");
    };
    ModalScript::AnswerButton(IDOK);
    ASSERT_TRUE(RunUntil([&] { return ticks >= 3; }));
    t.SetEnabled(false);
    ASSERT_EQ(ModalScript::Log().size(), 1u);
    EXPECT_EQ(ModalScript::Log()[0].Text, "No reply from the instrument.");
}

TEST_F(ExceptionMessage, PostedCallExceptionIsShownAndLaterCallsRun)
{
    bool later = false;
    std::thread worker([&] {
        QueueOnMainThread([] { throw Exception("Bad reply"); });
        QueueOnMainThread([&] { later = true; });
    });
    worker.join();
    ModalScript::AnswerButton(IDOK);
    ASSERT_TRUE(RunUntil([&] { return later; }));
    ASSERT_EQ(ModalScript::Log().size(), 1u);
    EXPECT_EQ(ModalScript::Log()[0].Text, "Bad reply.");
}

TEST(WorkerSynchronize, RunsOnTheLoopWhileTheMainThreadWaitsInIt)
{
    int value = 0;
    std::atomic<bool> done = false;
    std::thread worker([&] {
        Synchronize([&] { value = 42; });
        done = true;
    });
    ASSERT_TRUE(RunUntil([&] { return done.load(); }));
    worker.join();
    EXPECT_EQ(value, 42);
}

TEST(ModalBoxes, UnscriptedBoxFailsTheTestWithItsTextAndDoesNotBlock)
{
    EXPECT_NONFATAL_FAILURE(ShowMessage("Sure to quit ?"), "Sure to quit ?");
    EXPECT_NONFATAL_FAILURE(
        { EXPECT_EQ(ShowMessageBox("Close ?", "Warning", MB_OKCANCEL), IDCANCEL); }, "Close ?");
}

TEST(ModalBoxes, AnswersAreUsedInOrderAndRequestsRecorded)
{
    ModalScript::AnswerButton(IDCANCEL);
    ModalScript::AnswerButton(mrYes);
    ModalScript::AnswerText("12.5");
    EXPECT_EQ(ShowMessageBox("Sure to quit ?", "Warning", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(MessageDlg("Save the list?", mtConfirmation, mbYes | mbNo), mrYes);
    AnsiString v = "1";
    EXPECT_TRUE(InputQuery("Value", "Enter a value", v));
    EXPECT_EQ(v, "12.5");
    const auto& log = ModalScript::Log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].Caption, "Warning");
    EXPECT_EQ(log[0].Buttons, (std::vector<AnsiString>{"OK", "Cancel"}));
    EXPECT_EQ(log[1].Caption, "Confirm");
    EXPECT_EQ(log[1].Buttons, (std::vector<AnsiString>{"Yes", "No"}));
    EXPECT_EQ(log[2].Value, "1");
}

TEST(ModalBoxes, FileDialogTakesTheScriptedNameWithDefaultExtension)
{
    TSaveDialog d(nullptr);
    d.SetDefaultExt("csv");
    d.SetFilter("List files (*.csv)|*.csv");
    d.SetInitialDir("/data/list");
    ModalScript::AnswerFile("/data/list/run1");
    ASSERT_TRUE(d.Execute());
    EXPECT_EQ(d.FileName(), "/data/list/run1.csv");
    EXPECT_EQ(ModalScript::LastRequest().Kind, TModalKind::SaveDialog);
    EXPECT_EQ(ModalScript::LastRequest().Folder, "/data/list");
    ModalScript::AnswerCancel();
    EXPECT_FALSE(d.Execute());
    EXPECT_EQ(d.FileName(), "/data/list/run1.csv");
    // A name typed without a folder lies in the folder the dialog shows.
    ModalScript::AnswerFile("run2");
    ASSERT_TRUE(d.Execute());
    EXPECT_EQ(d.FileName(), "/data/list/run2.csv");
}

TEST(ModalBoxes, ModalFormRunsTheScriptedActionAndReturnsItsResult)
{
    TForm f(nullptr);
    f.SetCaption("About");
    auto* ok = new TButton(&f);
    ok->SetParent(&f);
    ok->SetModalResult(mrOk);
    TModalAnswer a;
    a.Action = [&](TCustomForm*) { TestInput::Click(ok); };
    ModalScript::Answer(a);
    EXPECT_EQ(f.ShowModal(), mrOk);
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(ModalScript::LastRequest().Caption, "About");
}

TEST(ModalBoxes, TheUsersTimeWithABoxRunsBeforeItsAnswerAndSeesTimerTicks)
{
    // A timer ticking under the box, as under a real one while the user reads it.
    TTimer t(nullptr);
    t.SetInterval(5);
    int ticks = 0;
    t.OnTimer = [&](TObject*) { ++ticks; };
    std::vector<AnsiString> read;
    int ticksWhileRead = 0;
    auto previous = ModalScript::SetWhileShown([&](const TModalRequest& R) {
        read.push_back(R.Text);
        const int before = ticks;
        RunUntil([&] { return ticks >= before + 3; });
        ticksWhileRead = ticks - before;
    });
    ModalScript::AnswerButton(IDCANCEL);
    EXPECT_EQ(ShowMessageBox("Sure to quit ?", "Warning", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(read, std::vector<AnsiString>{"Sure to quit ?"});
    EXPECT_GE(ticksWhileRead, 3);
    ModalScript::SetWhileShown(std::move(previous));
    t.SetEnabled(false);
    ModalScript::AnswerButton(IDOK);
    EXPECT_EQ(ShowMessageBox("Not read", "Warning", MB_OK), IDOK);
    EXPECT_EQ(read.size(), 1u);
}
