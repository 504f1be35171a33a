// main() of the test programs that use windows and controls: the application object
// on Qt's offscreen platform, the main thread marked, and strict dialog scripting so
// that a modal box no test answered fails the test with its text instead of blocking.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/core/Synchronize.h"
#include "platform/forms/Application.h"
#include "platform/forms/ModalScript.h"
#include "tests/support/TestSupport.h"

namespace {

const char* KindName(TModalKind k)
{
    switch (k) {
    case TModalKind::MessageBox: return "message box";
    case TModalKind::MessageDlg: return "message dialog";
    case TModalKind::InputQuery: return "input box";
    case TModalKind::OpenDialog: return "open dialog";
    case TModalKind::SaveDialog: return "save dialog";
    case TModalKind::ColorDialog: return "colour dialog";
    case TModalKind::SelectDirectory: return "folder dialog";
    case TModalKind::Form: return "modal form";
    case TModalKind::Preview: return "print preview";
    }
    return "modal box";
}

// Each test starts with no queued answers and an empty log, and must use what it queued.
class ModalScriptListener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        ModalScript::ClearAnswers();
        ModalScript::ClearLog();
    }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        const int left = ModalScript::PendingAnswers();
        ModalScript::ClearAnswers();
        EXPECT_EQ(left, 0) << "scripted dialog answers left unused";
    }
};

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) // ctest asks for the cases: no application needed
        return RUN_ALL_TESTS();
    UseTestPrefix(argv[0]);
    CreateApplication(argc, argv);
    ModalScript::SetStrict(true);
    ModalScript::SetUnscriptedHandler([](const TModalRequest& r) {
        ADD_FAILURE() << "unscripted " << KindName(r.Kind) << " \"" << r.Caption << "\": " << r.Text;
    });
    ::testing::UnitTest::GetInstance()->listeners().Append(new ModalScriptListener);
    const int rc = RUN_ALL_TESTS();
    DestroyApplication();
    return rc;
}
