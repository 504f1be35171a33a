// The typed edit's lookup list, persistence, web-address click and text drag and drop,
// driven through the platform's input helpers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "components/controls/Voduriz.h"
#include "platform/core/IniFiles.h"
#include "platform/forms/Form.h"
#include "platform/forms/Shell.h"
#include "platform/forms/TestInput.h"
#include "tests/support/TestOutput.h"

namespace fs = std::filesystem;

namespace {

// Points the prefix at a fresh folder for one test.
struct ScopedPrefix {
    fs::path dir;
    std::string old;
    bool had = false;
    ScopedPrefix()
    {
        // One folder per process: ctest runs the cases of this file side by side.
        dir = fs::path(TestOutputPath("voduriz-prefix-" + std::to_string(getpid())));
        fs::remove_all(dir);
        fs::create_directories(dir);
        if (const char* o = std::getenv("ZORVANE_PREFIX")) {
            had = true;
            old = o;
        }
        setenv("ZORVANE_PREFIX", dir.c_str(), 1);
    }
    ~ScopedPrefix()
    {
        if (had)
            setenv("ZORVANE_PREFIX", old.c_str(), 1);
        else
            unsetenv("ZORVANE_PREFIX");
        fs::remove_all(dir);
    }
};

struct EditServices : ::testing::Test {
    std::unique_ptr<TForm> form;
    TVodUriz* edit = nullptr;
    TVodUriz* other = nullptr;
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 320, 200);
        edit = MakeEdit("Edit1", 20);
        other = MakeEdit("Edit2", 120);
        form->Show();
        TestInput::ProcessEvents();
    }
    TVodUriz* MakeEdit(const char* name, int top)
    {
        auto* e = new TVodUriz(form.get());
        e->SetName(name);
        e->SetParent(form.get());
        e->SetBounds(20, top, 200, 24);
        return e;
    }
    void TearDown() override { form.reset(); }
    void Focus(TVodUriz* e)
    {
        e->SetFocus();
        TestInput::ProcessEvents();
    }
    void FruitLookup()
    {
        edit->Lookup()->Enabled = true;
        edit->Lookup()->DisplayList()->SetCommaText("Banana,apricot,Apple");
    }
    std::vector<AnsiString> Shown() const
    {
        std::vector<AnsiString> v;
        if (!edit->LookupShown())
            return v;
        TStrings* items = edit->LookupWindow()->ListBox()->Items();
        for (int i = 0; i < items->Count(); ++i)
            v.push_back(items->Strings(i));
        return v;
    }
};

TEST_F(EditServices, LookupOffersMatchesOnceEnoughIsTyped)
{
    FruitLookup();
    Focus(edit);
    TestInput::TypeText(edit, "a");
    EXPECT_FALSE(edit->LookupShown());
    TestInput::TypeText(edit, "p");
    EXPECT_EQ(Shown(), (std::vector<AnsiString>{"Apple", "apricot"}));
    TestInput::PressKey(edit, VK_RETURN);
    EXPECT_FALSE(edit->LookupShown());
    EXPECT_EQ(edit->GetText(), "Apple");
    EXPECT_EQ(edit->SelLength(), 5);
    // No match hides it again.
    TestInput::TypeText(edit, "zz");
    EXPECT_FALSE(edit->LookupShown());
}

TEST_F(EditServices, LookupPutsTheValueOfTheChosenItem)
{
    FruitLookup();
    // Display "Banana,apricot,Apple" -> values by the same index.
    edit->Lookup()->ValueList()->SetCommaText("B1,A2,A1");
    int seenIndex = -1;
    edit->OnLookupIndexSelect = [&](TObject*, int i, AnsiString&) { seenIndex = i; };
    Focus(edit);
    TestInput::TypeText(edit, "ap");
    TestInput::PressKey(edit, VK_DOWN);
    TestInput::PressKey(edit, VK_RETURN);
    EXPECT_EQ(edit->GetText(), "A2");
    EXPECT_EQ(seenIndex, 1);
}

TEST_F(EditServices, LookupKeysMoveWithinTheList)
{
    edit->Lookup()->Enabled = true;
    edit->Lookup()->DisplayCount = 2;
    edit->Lookup()->DisplayList()->SetCommaText("x1,x2,x3,x4,x5");
    Focus(edit);
    TestInput::TypeText(edit, "x");
    edit->Lookup()->SetNumChars(0); // ignored
    TestInput::TypeText(edit, "");
    EXPECT_FALSE(edit->LookupShown());
    edit->SetText("");
    edit->Lookup()->SetNumChars(1);
    TestInput::TypeText(edit, "x");
    TListBox* list = edit->LookupWindow()->ListBox();
    const std::pair<Word, int> steps[] = {{VK_UP, 0},   {VK_NEXT, 2}, {VK_NEXT, 4}, {VK_DOWN, 4},
                                          {VK_PRIOR, 2}, {VK_PRIOR, 0}, {VK_END, 4}, {VK_HOME, 0}};
    for (const auto& [key, index] : steps) {
        TestInput::PressKey(edit, key);
        EXPECT_EQ(list->ItemIndex(), index) << key;
    }
    EXPECT_EQ(edit->GetText(), "x"); // the keys never reached the text
}

TEST_F(EditServices, MultiLookupWorksOnTheLastWord)
{
    edit->Lookup()->Enabled = true;
    edit->Lookup()->Multi = true;
    edit->Lookup()->DisplayList()->SetCommaText("green,grey,red");
    Focus(edit);
    TestInput::TypeText(edit, "red;gr");
    EXPECT_EQ(Shown(), (std::vector<AnsiString>{"green", "grey"}));
    TestInput::PressKey(edit, VK_RETURN);
    EXPECT_EQ(edit->GetText(), "red;green;");
    EXPECT_EQ(edit->SelStart(), 10);
    EXPECT_EQ(edit->SelLength(), 0);
}

TEST_F(EditServices, ClickInTheListAcceptsTheItem)
{
    FruitLookup();
    Focus(edit);
    TestInput::TypeText(edit, "ap");
    TListBox* list = edit->LookupWindow()->ListBox();
    TestInput::Click(list, 10, list->ItemHeight() + 2);
    TestInput::ProcessEvents();
    EXPECT_EQ(edit->GetText(), "apricot");
    EXPECT_TRUE(edit->Focused());
    EXPECT_FALSE(edit->LookupShown());
}

TEST_F(EditServices, HistoryKeepsEachAcceptedValueOnce)
{
    edit->Lookup()->Enabled = true;
    edit->Lookup()->History = true;
    Focus(edit);
    TestInput::TypeText(edit, " pear ");
    Focus(other);
    Focus(edit);
    Focus(other);
    EXPECT_EQ(edit->Lookup()->DisplayList()->CommaText(), "pear");
}

TEST_F(EditServices, PersistenceRoundTripsTextAndHistory)
{
    ScopedPrefix prefix;
    const TPersistenceLocation locations[] = {plInifile, plRegistry};
    for (TPersistenceLocation where : locations) {
        auto make = [&] {
            auto* e = MakeEdit("Kept", 60);
            e->Persistence()->Enable = true;
            e->Persistence()->Key = "kept.ini";
            e->Persistence()->Section = "Values";
            e->Persistence()->Location = where;
            e->Lookup()->Enabled = true;
            e->Lookup()->History = true;
            return e;
        };
        TVodUriz* e = make();
        e->SetPrefix("<");
        e->SetText("12");
        e->Lookup()->DisplayList()->SetCommaText("one,two");
        e->Lookup()->ValueList()->SetCommaText("1,2");
        delete e; // saves
        for (int load = 0; load < 2; ++load) {
            e = make();
            e->BeginLoading();
            e->EndLoading();
            if (load == 1) {
                // Loading into lists that already hold the history repeats nothing.
                e->BeginLoading();
                e->EndLoading();
            }
            EXPECT_EQ(e->WindowText(), "<12") << where;
            EXPECT_EQ(e->Lookup()->DisplayList()->CommaText(), "one,two") << where;
            EXPECT_EQ(e->Lookup()->ValueList()->CommaText(), "1,2") << where;
            if (load == 0)
                delete e;
        }
        delete e;
    }
    TIniFile ini((prefix.dir / "drive_c/Windows/kept.ini").string());
    EXPECT_EQ(ini.ReadInteger("Values", "LOOKUPCOUNT", 0), 2);
    EXPECT_EQ(ini.ReadString("Values", "LOOKUPVAL2", ""), "2");
    TIniFile reg((prefix.dir / "registry.ini").string());
    EXPECT_EQ(reg.ReadString("kept.ini\\Values", "Kept", ""), "<12");
}

TEST_F(EditServices, StoredTextIsAppliedUnlessItIsTheMissingMark)
{
    ScopedPrefix prefix;
    const fs::path file = prefix.dir / "drive_c/Windows/t.ini";
    fs::create_directories(file.parent_path());
    const std::pair<const char*, const char*> cases[] = {{"@", "kept"}, {"", ""}, {"x", "x"}};
    for (const auto& [stored, shown] : cases) {
        {
            TIniFile ini(file.string());
            ini.WriteString("S", "Edit1", stored);
        }
        edit->SetText("kept");
        edit->Persistence()->Enable = true;
        edit->Persistence()->Key = "t.ini";
        edit->Persistence()->Section = "S";
        edit->BeginLoading();
        edit->EndLoading();
        EXPECT_EQ(edit->WindowText(), shown) << stored;
    }
    edit->Persistence()->Enable = false;
}

TEST(WebAddress, LooksLikeAnAddress)
{
    const std::pair<const char*, bool> cases[] = {
        {"WWW.example.org", true}, {"http://x", true}, {"@home", false}, {"me@home", true}, {"plain", false},
    };
    for (const auto& [value, url] : cases) {
        TVodUrizModel m;
        m.SetText(value);
        EXPECT_EQ(m.TestURL(), url) << value;
    }
}

TEST(WebAddress, OnlyWebAndMailAddressesAreOpened)
{
    const std::pair<const char*, const char*> cases[] = {
        {"http://a.org/x", "http://a.org/x"},
        {"HTTPS://a.org", "HTTPS://a.org"},
        {"www.a.org", "http://www.a.org"},
        {"me@a.org", "mailto:me@a.org"},
        {"mailto:me@a.org", "mailto:me@a.org"},
        {"file:///etc/passwd", ""},
        {"ftp://a.org", ""},
        {"smb://x@y", ""},
        {"x@y; rm -rf", ""},
    };
    for (const auto& [value, opened] : cases)
        EXPECT_EQ(VodurizLookup::AddressToOpen(value), opened) << value;
}

TEST_F(EditServices, ClickOnAnAddressOpensItOnlyWhenAllowed)
{
    SetShellRecordOnly(true);
    ClearShellOpenedAddresses();
    edit->SetShowURL(true);
    Focus(edit);
    bool allow = true;
    edit->OnURLClick = [&](TObject*, const AnsiString&, bool& show) { show = allow; };
    const std::pair<const char*, bool> cases[] = {{"www.a.org", true}, {"file://x/y", false}};
    for (const auto& [value, opens] : cases) {
        ClearShellOpenedAddresses();
        edit->SetText(value);
        TestInput::Click(edit, 5, 10);
        EXPECT_EQ(ShellOpenedAddresses().size(), opens ? 1u : 0u) << value;
    }
    allow = false;
    ClearShellOpenedAddresses();
    edit->SetText("www.a.org");
    TestInput::Click(edit, 5, 10);
    EXPECT_TRUE(ShellOpenedAddresses().empty());
    SetShellRecordOnly(false);
}

TEST_F(EditServices, DropInsertsTheFirstLineAtTheMouse)
{
    edit->SetOleDropTarget(true);
    ASSERT_TRUE(edit->DropTargetRegistered());
    edit->SetText("ab");
    TDragData d;
    d.HasText = true;
    d.Text = "line1\r\nline2";
    const int x = edit->PosFromChar(1).x;
    EXPECT_EQ(TestInput::DropFromOutside(edit, x, 10, d), DROPEFFECT_MOVE);
    EXPECT_EQ(edit->GetText(), "aline1b");
    // A read-only edit takes no drop.
    edit->SetReadOnly(true);
    TestInput::DropFromOutside(edit, x, 10, d);
    EXPECT_EQ(edit->GetText(), "aline1b");
    edit->SetOleDropTarget(false);
    EXPECT_FALSE(edit->DropTargetRegistered());
    EXPECT_EQ(TestInput::DropFromOutside(edit, x, 10, d), DROPEFFECT_NONE);
}

TEST_F(EditServices, DraggingASelectionMovesOrCopiesIt)
{
    struct Case {
        TShiftState shift;
        bool toOther;
        const char* self;
        const char* target;
    };
    const Case cases[] = {
        {0, true, "cd", "xab"},         // move out
        {ssCtrl, true, "abcd", "xab"},  // copy out
        {0, false, "cabd", ""},         // move within: "ab" dropped before "d"
        {ssCtrl, false, "abcabd", ""},  // copy within
    };
    for (const Case& c : cases) {
        edit->SetOleDropSource(true);
        edit->SetOleDropTarget(true);
        other->SetOleDropTarget(true);
        edit->SetText("abcd");
        other->SetText("x");
        Focus(edit);
        edit->SetSelStart(0);
        edit->SetSelLength(2);
        const int inSel = edit->PosFromChar(1).x;
        if (c.toOther)
            TestInput::DropOn(other, other->PosFromChar(1).x + 1, 10, c.shift);
        else
            TestInput::DropOn(edit, edit->PosFromChar(3).x + 1, 10, c.shift);
        TestInput::MouseDown(edit, inSel, 10);
        TestInput::MouseMove(edit, inSel + 6, 10, ssLeft);
        TestInput::MouseUp(edit, inSel + 6, 10);
        EXPECT_EQ(edit->GetText(), c.self) << c.shift << c.toOther;
        if (c.toOther) {
            EXPECT_EQ(other->GetText(), c.target);
        }
    }
}

TEST_F(EditServices, DroppingASelectionOntoItselfChangesNothing)
{
    edit->SetOleDropSource(true);
    edit->SetOleDropTarget(true);
    edit->SetText("abcd");
    Focus(edit);
    edit->SetSelStart(1);
    edit->SetSelLength(2);
    const int x = edit->PosFromChar(2).x;
    TestInput::DropOn(edit, x, 10);
    TestInput::MouseDown(edit, x, 10);
    TestInput::MouseMove(edit, x + 3, 10, ssLeft);
    TestInput::MouseUp(edit, x + 3, 10);
    EXPECT_EQ(edit->GetText(), "abcd");
    // A press in the selection let go without a drag puts the caret there.
    edit->SetOleDropSource(false);
    edit->SetSelStart(1);
    edit->SetSelLength(2);
    TestInput::MouseDown(edit, x, 10);
    TestInput::MouseUp(edit, x, 10);
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_EQ(edit->SelStart(), 2);
}

TEST_F(EditServices, RangeTextOfTheValue)
{
    edit->SetEditType(etRange);
    edit->SetText("1-3,7");
    TRangeList l;
    EXPECT_TRUE(edit->RangeStrToList(&l));
    l.Add(4);
    edit->ListToRangeStr(&l);
    EXPECT_EQ(edit->GetText(), "1-4,7");
}

} // namespace
