#pragma once
// The list tabs of the main window, with helpers to fill the step table as a file would.
#include <fstream>
#include <sstream>

#include "components/grid/Ravgrid.h"
#include "list/ListButtons.h"
#include "tests/main/MainTestSupport.h"

class ListFixture : public MainWindowFixture {
protected:
    // The pictures of this build, with every file of their folder.
    static void SetUpTestSuite();

    // Warnings are part of what these tests check: they are logged and answered with OK
    // without a script for each.
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        Previous = ModalScript::SetUnscriptedHandler([](const TModalRequest& R) {
            if (R.Kind != TModalKind::MessageBox)
                ADD_FAILURE() << "unscripted box: " << R.Text;
        });
    }
    void TearDown() override
    {
        ModalScript::SetUnscriptedHandler(Previous);
        MainWindowFixture::TearDown();
    }
    std::function<void(const TModalRequest&)> Previous;
    TRavArodozIdad* SetupGrid() const { return Form->ListSetupGrid; }
    TRavArodozIdad* Meas() const { return Form->ListMeasGrid; }

    // The list tabs as the title soft keys leave them (without an instrument to switch).
    void ShowListTab(bool Setup);
    // A shadow button takes a press on the face it has drawn: it draws first.
    static void ClickButton(TOwShadowButton* B);
    // The keys go to the focused control, as a user's do.
    TWinControl* Focus() { return Form->ActiveControl() ? Form->ActiveControl() : Form.get(); }
    void Press(Word Key, TShiftState Shift = 0);
    // One character at a time: the first opens a table cell's editor, which takes the rest.
    void Type(const AnsiString& Text);

    // Steps of 18 cells each (Step to Monitor(2)), as the table holds them.
    void FillSteps(const std::vector<std::vector<AnsiString>>& Steps);
    std::vector<AnsiString> Row(TRavArodozIdad* Grid, int R, int Cols) const;
    // The messages shown since the last ClearLog.
    static std::vector<AnsiString> Messages();
};

std::string ReadAll(const AnsiString& Path);
void WriteAll(const AnsiString& Path, const std::string& Bytes);
// The folder of this test's files (created), ending in '/'.
AnsiString ListTestFolder(const AnsiString& Name);
