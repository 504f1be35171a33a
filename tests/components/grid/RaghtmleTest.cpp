// Markup: the text functions, control values, colours, and the renderer's layout,
// drawing and hit tests on a bitmap.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "components/grid/Raghtmle.h"
#include "components/grid/Ravgrid.h"
#include "components/grid/RavgridEditors.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Form.h"
#include "platform/forms/Printer.h"
#include "platform/forms/Render.h"
#include "platform/forms/Shell.h"
#include "platform/forms/TestInput.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/ImageList.h"
#include "tests/support/TestOutput.h"

namespace {

struct Markup {
    TBitmap bmp;
    TPictureContainer container;
    THTMLPictureCache cache;
    AnsiString anchor, stripped, focus, id, value, type;
    int width = 0, height = 0, anchors = 0, number = -1;
    TRect anchorRect{-7, -7, -7, -7}, controlRect{0, 0, 0, 0};
    bool hit = false;

    Markup()
    {
        bmp.SetSize(400, 200);
        bmp.Canvas()->Brush()->SetColor(clWhite);
        bmp.Canvas()->FillRect(TRect(0, 0, 400, 200));
        bmp.Canvas()->Font()->SetName("DejaVu Sans");
        bmp.Canvas()->Font()->SetSize(10);
        bmp.Canvas()->Font()->SetColor(clBlack);
    }
    TCanvas* cv() { return bmp.Canvas(); }
    bool Run(const AnsiString& s, TRect R = TRect(0, 0, 400, 200), int x = -1, int y = -1, bool wrap = true,
             bool measureOnly = false)
    {
        hit = HTMLDrawEx(cv(), s, R, nullptr, x, y, -1, -1, 1, false, measureOnly, false, false, true, false, wrap,
                         false, 1.0, clBlue, clNone, clNone, clGray, anchor, stripped, focus, width, height, anchors,
                         number, anchorRect, controlRect, id, value, type, &cache, &container, nullptr);
        return hit;
    }
};

} // namespace

TEST(MarkupText, StripAndTagFunctions)
{
    EXPECT_EQ(HTMLStrip("a<BR>b"), "a\r\nb");
    EXPECT_EQ(HTMLStrip("x<y"), "x<y");
    EXPECT_EQ(HTMLStrip("<b>bold</b> and <i>it"), "bold and it");
    EXPECT_EQ(Raghtmle::RemoveTags("<B>ab</B>c<BR>"), "abc");
    EXPECT_EQ(UnwrapHashTag("a<#b>c"), "a#bc");
    EXPECT_EQ(CRLFToBR("a\r\nb", true), "a<BR>b");
    EXPECT_EQ(CRLFToBR("a\r\nb", false), "ab");
    EXPECT_EQ(IPos("bc", "ABCD"), 2);
    EXPECT_EQ(IPos("x", "ABCD"), 0);
    EXPECT_EQ(IStrToInt("12px"), 12);
    EXPECT_EQ(IStrToInt("$1F"), 31);
    EXPECT_EQ(IStrToInt("0x10"), 16);
    AnsiString s = "a<B>b<b>";
    EXPECT_TRUE(TagReplace("<b>", "", s));
    EXPECT_EQ(s, "ab<b>");
    EXPECT_FALSE(TagReplace("<i>", "", s));
}

TEST(MarkupText, HiLightKeepsTagsWhole)
{
    EXPECT_EQ(HiLight("<B>abc</B> abc", "abc", "HI", false), "<HI><B>abc</HI></B> <HI>abc</HI>");
    EXPECT_EQ(HiLight("xABCx", "abc", "HI", false), "x<HI>ABC</HI>x");
    EXPECT_EQ(HiLight("xABCx", "abc", "HI", true), "xABCx");
    EXPECT_EQ(UnHiLight("<hi>a</HI>b<Hi>c</hi>", "HI"), "abc");
}

TEST(MarkupText, ControlValues)
{
    AnsiString m = "pre <CONTROL TYPE=\"check\" ID=\"c1\" VALUE=\"false\"> mid <control id=\"e\" value=\"x\" "
                   "type=\"EDIT\" width=\"40\"> end";
    AnsiString v;
    EXPECT_FALSE(GetControlValue(m, "C1", v)); // IDs match exactly
    ASSERT_TRUE(GetControlValue(m, "c1", v));
    EXPECT_EQ(v, "false");
    ASSERT_TRUE(SetControlValue(m, "e", "<b>"));
    EXPECT_NE(m.find("<CONTROL ID=\"e\" VALUE=\"&lt;b&gt;\" WIDTH=\"40\" TYPE=\"EDIT\"> end"), AnsiString::npos);
    ASSERT_TRUE(GetControlValue(m, "e", v));
    EXPECT_EQ(v, "<b>");
    const AnsiString before = m;
    EXPECT_FALSE(SetControlValue(m, "none", "1"));
    EXPECT_EQ(m, before);
    AnsiString type, id, width, value;
    ParseControlTag(" type=\"radio\" id=\"r\" value=\"&LT;x&gt;\"", type, id, width, value);
    EXPECT_EQ(type, "RADIO");
    EXPECT_EQ(value, "<x>");
    EXPECT_EQ(width, "");
}

TEST(MarkupColours, HexAndNames)
{
    const struct {
        const char* text;
        TColor want;
    } cases[] = {{"#FF0000", 0x0000FF}, {"#00FF00", 0x00FF00}, {"#0000ff", 0xFF0000}, {"clRed", 0x0000FF},
                 {"CLNAVY", 0x800000},  {"clPink", 0},          {"clHighlight", static_cast<TColor>(0x8000000D)},
                 {"clinfobk", static_cast<TColor>(0x80000018)}};
    for (const auto& c : cases)
        EXPECT_EQ(c.text[0] == '#' ? HexToColor(c.text) : TextToColor(c.text), c.want) << c.text;
    EXPECT_EQ(HexPairValue("A"), 0);
    EXPECT_EQ(HexPairValue("7F"), 127);
}

TEST(MarkupLayout, LinesAndWidths)
{
    Markup m;
    const int line = m.cv()->TextHeight("gh");
    m.Run("one<BR>two", TRect(0, 0, 400, 200), -1, -1, false);
    EXPECT_EQ(m.stripped, "one\rtwo");
    EXPECT_EQ(m.height, 2 * m.cv()->TextHeight("one"));
    EXPECT_EQ(m.width, m.cv()->TextWidth("one"));

    // Word wrap breaks after the blank and does not count it.
    const int w1 = m.cv()->TextWidth("alpha");
    m.Run("alpha beta", TRect(0, 0, w1 + 8, 200));
    EXPECT_EQ(m.height, 2 * m.cv()->TextHeight("alpha "));
    EXPECT_EQ(m.width, std::max(w1, m.cv()->TextWidth("beta")));

    // A lone trailing "<" is dropped; an unclosed tag takes the rest.
    m.Run("ab<");
    EXPECT_EQ(m.stripped, "ab");
    m.Run("ab<B cd");
    EXPECT_EQ(m.stripped, "ab");

    // Empty text still measures one line.
    m.Run("", TRect(0, 0, 400, 200), -1, -1, true, true);
    EXPECT_EQ(m.height, line);

    // Entities; "&amp;" keeps one ampersand, a single "&" underlines the next letter.
    m.Run("a&amp;b");
    EXPECT_EQ(m.stripped, "a&&b");
    m.Run("x &lt;y&gt;");
    EXPECT_EQ(m.stripped, "x <y>");
}

TEST(MarkupLayout, FontTags)
{
    Markup m;
    const int plain = m.cv()->TextWidth("WWWW");
    m.Run("<B>WWWW</B>");
    const int bold = m.width;
    EXPECT_GT(bold, plain);
    m.Run("<FONT SIZE=\"5\">WWWW</FONT>");
    const int big = m.width;
    m.Run("<FONT size=\"16\">WWWW</FONT>");
    EXPECT_EQ(m.width, big); // size 5 is 16 points
    // Nested font tags: the inner close returns to the entry font.
    m.Run("<FONT SIZE=\"5\"><FONT SIZE=\"1\">a</FONT>WWWW</FONT>");
    m.cv()->Font()->SetSize(8);
    const int small = m.cv()->TextWidth("a");
    m.cv()->Font()->SetSize(10);
    EXPECT_EQ(m.width, small + plain);
    // The canvas font is as it was.
    EXPECT_EQ(m.cv()->Font()->Size(), 10);
    EXPECT_EQ(m.cv()->Font()->Style(), 0u);
}

TEST(MarkupLayout, ListItemsAreIndented)
{
    Markup m;
    m.Run("<UL><LI>a<LI>b</UL>");
    EXPECT_EQ(m.stripped, "ab");
    EXPECT_EQ(m.height, 2 * m.cv()->TextHeight("a"));
    EXPECT_EQ(m.width, 12 + 12 + m.cv()->TextWidth("a"));
}

TEST(MarkupHitTest, AnchorsAndControls)
{
    Markup m;
    const int pre = m.cv()->TextWidth("see ");
    const int h = m.cv()->TextHeight("gh");
    EXPECT_TRUE(m.Run("see <A HREF=\"Doc.html\">here</A> now", TRect(0, 0, 400, 200), pre + 4, h - 3));
    EXPECT_EQ(m.anchor, "Doc.html"); // the target keeps its case
    EXPECT_EQ(m.number, 1);
    EXPECT_EQ(m.anchors, 1);
    EXPECT_EQ(m.anchorRect.Left, 1 + pre);
    EXPECT_EQ(m.anchorRect.Right, 1 + pre + m.cv()->TextWidth("here"));

    // Beside every anchor: no hit, the rectangle as passed.
    m.anchor = "kept";
    m.anchorRect = TRect(-7, -7, -7, -7);
    EXPECT_FALSE(m.Run("see <A HREF=\"x\">here</A> now", TRect(0, 0, 400, 200), 2, h - 3));
    EXPECT_EQ(m.number, -1);
    EXPECT_EQ(m.anchor, "kept");
    EXPECT_EQ(m.anchorRect, TRect(-7, -7, -7, -7));

    // A check box control: its box and its values.
    EXPECT_TRUE(m.Run("<CONTROL TYPE=\"CHECK\" ID=\"ok\" VALUE=\"true\"> done", TRect(0, 0, 400, 200), 6, 6));
    EXPECT_EQ(m.anchor, "ctrl");
    EXPECT_EQ(m.id, "ok");
    EXPECT_EQ(m.value, "true");
    EXPECT_EQ(m.type, "CHECK");
    EXPECT_EQ(m.controlRect, TRect(1, 0, 17, 16));
    EXPECT_FALSE(m.Run("<CONTROL TYPE=\"CHECK\" ID=\"ok\" VALUE=\"true\"> done", TRect(0, 0, 400, 200), 100, 6));
    EXPECT_EQ(m.controlRect, TRect(0, 0, 0, 0));
}

TEST(MarkupPictures, OnlyLocalFilesAndContainerPictures)
{
    Markup m;
    TBitmap pic;
    pic.SetSize(20, 30);
    TPictureItem* logo = m.container.Items()->Add();
    logo->Name = "Logo";
    logo->Picture()->LoadFromData(pic.SaveToData());
    m.Run("<IMG SRC=\"logo\">x", TRect(0, 0, 400, 200), -1, -1, true, true);
    EXPECT_EQ(m.width, 20 + m.cv()->TextWidth("x"));
    EXPECT_EQ(m.height, 30);

    // A remote address is never fetched: the image takes no room.
    m.Run("<IMG SRC=\"http://example.invalid/a.bmp\">x", TRect(0, 0, 400, 200), -1, -1, true, true);
    EXPECT_EQ(m.width, m.cv()->TextWidth("x"));

    // A local file is loaded under its own letter case.
    const std::string path = TestOutputPath("MarkupPic.bmp");
    TBitmap f;
    f.SetSize(12, 14);
    f.SaveToFile(path);
    m.Run("<IMG SRC=\"file://" + path + "\">", TRect(0, 0, 400, 200), -1, -1, true, true);
    EXPECT_EQ(m.width, 12);
    ASSERT_NE(m.cache.FindPicture("file://" + path), nullptr);
    EXPECT_EQ(m.cache.FindPicture("file://" + path)->Width(), 12);
    m.Run("<IMG SRC=\"file://" + path + ".missing.bmp\">x", TRect(0, 0, 400, 200), -1, -1, true, true);
    EXPECT_EQ(m.width, m.cv()->TextWidth("x"));
    std::filesystem::remove(path);
}

TEST(MarkupDraw, GridCellsShowMarkup)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 520, 170);
    auto* g = new TRavArodozIdad(&form);
    g->SetParent(&form);
    g->SetBounds(4, 4, 510, 160);
    g->SetColCountEx(2);
    g->SetRowCountEx(4);
    g->SetColWidths(0, 100);
    g->SetColWidths(1, 400);
    g->SetDefaultRowHeight(36);
    g->SetCellEx(0, 1, "styles");
    g->SetCellEx(1, 1, "<B>bold</B> <I>italic</I> <U>under</U> <FONT COLOR=\"clRed\">red</FONT> x<SUP>2</SUP> "
                       "<A HREF=\"a\">anchor</A>");
    g->SetCellEx(0, 2, "controls");
    g->SetCellEx(1, 2, "<B>Set:</B> <CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\"> <CONTROL TYPE=\"RADIO\" ID=\"r\" "
                       "VALUE=\"true\"> <CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"1.5 kHz\" WIDTH=\"70\"> "
                       "<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"40\">");
    g->SetCellEx(0, 3, "para");
    g->SetCellEx(1, 3, "<P BGCOLOR=\"#FFFF80\"><E>eror</E> <HI>marked</HI> <S>old</S></P>");
    const TColor before = g->Canvas()->Font()->Color();
    ASSERT_TRUE(SaveControlToPng(&form, TestOutputPath("grid_markup.png")));
    EXPECT_EQ(g->Canvas()->Font()->Color(), before);
    // The red word is drawn red.
    TBitmap bmp;
    RenderControl(g, &bmp);
    const TRect R = g->CellRect(1, 1);
    int red = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            red += bmp.Canvas()->Pixels(x, y) == clRed;
    EXPECT_GT(red, 5);
}

TEST(MarkupClick, AnchorsAndCheckBoxesInCells)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 420, 200);
    auto* g = new TRavArodozIdad(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 400, 180);
    g->SetColCountEx(2);
    g->SetRowCountEx(3);
    g->SetColWidths(0, 200);
    g->SetCellEx(0, 1, "<B>go</B> <A HREF=\"cell://R2C1\">there</A>");
    g->SetCellEx(0, 2, "<CONTROL TYPE=\"CHECK\" ID=\"k\" VALUE=\"false\"><B>x</B>");
    AnsiString clicked;
    g->OnAnchorClick = [&](TObject*, int, int, const AnsiString& a, bool& autoHandle) {
        clicked = a;
        autoHandle = false;
    };
    const TRect R1 = g->CellRect(0, 1);
    const TPoint at(R1.Left + g->XYOffset().x + 1 + g->Canvas()->TextWidth("go ") + 12, R1.Top + g->XYOffset().y + 6);
    TestInput::MouseDown(g, at.x, at.y);
    TestInput::MouseUp(g, at.x, at.y);
    EXPECT_EQ(clicked, "cell://R2C1");

    const TRect R2 = g->CellRect(0, 2);
    const TPoint box(R2.Left + g->XYOffset().x + 8, R2.Top + g->XYOffset().y + 8);
    TestInput::MouseDown(g, box.x, box.y);
    TestInput::MouseUp(g, box.x, box.y);
    AnsiString v;
    ASSERT_TRUE(GetControlValue(g->GetCellEx(0, 2), "k", v));
    EXPECT_EQ(v, "TRUE");
}

namespace {

// A grid of markup cells on a shown form, clicked as a user clicks; every control or anchor
// begins its cell, so its box starts at the cell's text origin. (A text is markup when it holds
// a closing tag, a bold or an italic tag.)
struct MarkupGrid : ::testing::Test {
    TForm form{nullptr};
    TRavArodozIdad* g = nullptr;
    TEdit* other = nullptr;
    std::vector<std::string> ev;

    void SetUp() override
    {
        form.SetBounds(0, 0, 440, 300);
        g = new TRavArodozIdad(&form);
        g->SetParent(&form);
        g->SetBounds(0, 0, 420, 250);
        g->SetColCountEx(2);
        g->SetRowCountEx(7);
        g->SetColWidths(0, 300);
        g->SetDefaultRowHeight(32);
        other = new TEdit(&form);
        other->SetParent(&form);
        other->SetTop(260);
        form.Show();
        g->SetFocus();
        auto log = [this](const char* what) {
            return [this, what](TObject* s, int r, int c, const AnsiString& id, const AnsiString& type,
                                const AnsiString& val) {
                EXPECT_EQ(s, g);
                ev.push_back(std::string(what) + " " + std::to_string(c) + "," + std::to_string(r) + " " + id + " " +
                             type + " " + val);
            };
        };
        g->OnControlClick = log("click");
        g->OnControlEditDone = log("done");
    }
    // The point (dx, dy) inside the box of the control or anchor that begins cell (0, Row).
    TPoint At(int Row, int dx = 6, int dy = 6)
    {
        const TRect R = g->CellRect(0, Row);
        return TPoint(R.Left + g->XYOffset().x + 1 + dx, R.Top + g->XYOffset().y + dy);
    }
    void Click(int Row, int dx = 6, int dy = 6)
    {
        const TPoint p = At(Row, dx, dy);
        TestInput::MouseDown(g, p.x, p.y);
        TestInput::MouseUp(g, p.x, p.y);
    }
    AnsiString Value(int Row, const AnsiString& Id)
    {
        AnsiString v = "<none>";
        GetControlValue(g->GetCellEx(0, Row), Id, v);
        return v;
    }
    void Press(Word Key) { TestInput::PressKeyOnForm(&form, Key); }
    void Type(const AnsiString& Text)
    {
        for (char c : Text)
            TestInput::TypeText(form.ActiveControl(), AnsiString(1, c));
    }
    // The colours of a rectangle of the grid as drawn now.
    std::vector<TColor> Pixels(const TRect& R)
    {
        TBitmap bmp;
        RenderControl(g, &bmp);
        std::vector<TColor> px;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x)
                px.push_back(bmp.Canvas()->Pixels(x, y));
        return px;
    }
};

} // namespace

// A check box toggles its value in the cell text; a radio button and a push button are left
// to the application; each click is reported once with the control's value after it.
TEST_F(MarkupGrid, ClickedControlsChangeTheirCellAsTheirKindSays)
{
    const struct {
        const char* markup;
        const char* id;
        const char* after;
        const char* event;
    } cases[] = {
        {"<CONTROL TYPE=\"CHECK\" ID=\"k\" VALUE=\"false\"> <B>keep</B>", "k", "TRUE", "click 0,1 k CHECK TRUE"},
        {"<CONTROL TYPE=\"CHECK\" ID=\"k\" VALUE=\"TRUE\"> <B>keep</B>", "k", "FALSE", "click 0,2 k CHECK FALSE"},
        {"<CONTROL TYPE=\"check\" ID=\"k\" VALUE=\"true\"> <B>keep</B>", "k", "FALSE", "click 0,3 k CHECK FALSE"},
        {"<CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"false\"> <B>keep</B>", "r", "false", "click 0,4 r RADIO false"},
        {"<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"50\"> <B>keep</B>", "b", "Go",
         "click 0,5 b BUTTON Go"},
    };
    for (int i = 0; i < int(std::size(cases)); ++i)
        g->SetCellEx(0, i + 1, cases[i].markup);
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.markup);
        ev.clear();
        Click(i + 1);
        EXPECT_EQ(Value(i + 1, c.id), c.after);
        EXPECT_EQ(ev, std::vector<std::string>{c.event});
        EXPECT_NE(g->GetCellEx(0, i + 1).find(" <B>keep</B>"), AnsiString::npos);
        EXPECT_FALSE(g->ControlEdit()->Visible());
        EXPECT_FALSE(g->ControlCombo()->Visible());
    }
    // Beside the control: no event, no change.
    ev.clear();
    Click(1, 200);
    EXPECT_TRUE(ev.empty());
    EXPECT_EQ(Value(1, "k"), "TRUE");
}

// A markup EDIT opens an edit over the control; Enter, or the focus leaving, writes its text
// back as the control's value (escaped where the markup needs it) and reports the end.
TEST_F(MarkupGrid, AnEditControlIsEditedInPlace)
{
    g->SetCellEx(0, 1, "<CONTROL TYPE=\"EDIT\" ID=\"f\" VALUE=\"1.5\" WIDTH=\"80\"> <I>kHz</I>");
    g->SetCellEx(0, 2, "plain");
    TControlEdit* e = g->ControlEdit();
    ASSERT_NE(e, nullptr);
    Click(1);
    EXPECT_EQ(ev, std::vector<std::string>{"click 0,1 f EDIT 1.5"});
    ASSERT_TRUE(e->Visible());
    EXPECT_TRUE(e->Focused());
    EXPECT_EQ(e->Text(), "1.5");
    const TPoint o = At(1, 0, 0);
    EXPECT_EQ(TRect(e->Left(), e->Top(), e->Left() + e->Width(), 0), TRect(o.x + 3, o.y + 5, o.x + 3 + 76, 0));

    // Ended by Enter: the grid has the focus again.
    const struct {
        const char* typed;
        std::function<void()> leave;
        const char* value;
    } ways[] = {
        {"0<", [&] { Press(VK_RETURN); }, "1.50<"},
        {"1", [&] { TestInput::Click(other, 2, 2); }, "1.50<1"},
        {"2", [&] { Click(2); }, "1.50<12"},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.value);
        if (!e->Visible())
            Click(1);
        ASSERT_TRUE(e->Focused());
        ev.clear();
        Press(VK_END);
        Type(w.typed);
        w.leave();
        EXPECT_FALSE(e->Visible());
        EXPECT_EQ(Value(1, "f"), w.value);
        EXPECT_EQ(ev, std::vector<std::string>{"done 0,1 f EDIT " + std::string(w.value)});
    }
    EXPECT_NE(g->GetCellEx(0, 1).find("VALUE=\"1.50&lt;12\""), AnsiString::npos) << g->GetCellEx(0, 1);
    EXPECT_NE(g->GetCellEx(0, 1).find(" <I>kHz</I>"), AnsiString::npos);
    // The form goes away with the edit open: nothing is written back or reported.
    Click(1);
    ASSERT_TRUE(e->Visible());
    g->OnControlEditDone = [](TObject*, int, int, const AnsiString&, const AnsiString&, const AnsiString&) {
        ADD_FAILURE() << "reported while the grid goes away";
    };
}

// A markup COMBO asks the application for its items, its style and its length, drops down on
// the value, and writes the choice back.
TEST_F(MarkupGrid, AComboControlOffersTheApplicationsList)
{
    g->SetCellEx(0, 1, "<CONTROL TYPE=\"COMBO\" ID=\"l\" VALUE=\"10 kHz\" WIDTH=\"100\"><B></B>");
    g->SetCellEx(0, 2, "<CONTROL TYPE=\"COMBO\" ID=\"t\" VALUE=\"free\" WIDTH=\"100\"><B></B>");
    g->OnControlComboList = [&](TObject*, int r, int c, const AnsiString& id, const AnsiString& type,
                                const AnsiString& val, TStringList* values, bool& edit, int& count) {
        ev.push_back("list " + std::to_string(c) + "," + std::to_string(r) + " " + id + " " + type + " " + val + " " +
                     (edit ? "edit" : "list") + " " + std::to_string(count));
        if (id == "l") {
            for (const char* v : {"1 kHz", "10 kHz", "100 kHz"})
                values->Add(v);
            edit = false;
            count = 5;
        }
    };
    TControlCombo* cb = g->ControlCombo();
    ASSERT_NE(cb, nullptr);
    Click(1);
    EXPECT_EQ(ev, (std::vector<std::string>{"click 0,1 l COMBO 10 kHz", "list 0,1 l COMBO 10 kHz edit 8"}));
    ASSERT_TRUE(cb->Visible());
    EXPECT_TRUE(cb->Focused());
    EXPECT_TRUE(cb->DroppedDown());
    EXPECT_EQ(cb->Style(), csDropDownList);
    EXPECT_EQ(cb->DropDownCount(), 5);
    EXPECT_EQ(cb->Items()->Count(), 3);
    EXPECT_EQ(cb->ItemIndex(), 1);
    ev.clear();
    cb->UserSelected(2); // a choice from the list
    cb->SetDroppedDown(false);
    Press(VK_RETURN);
    EXPECT_FALSE(cb->Visible());
    EXPECT_TRUE(g->Focused());
    EXPECT_EQ(Value(1, "l"), "100 kHz");
    EXPECT_EQ(ev, std::vector<std::string>{"done 0,1 l COMBO 100 kHz"});

    // Without items from the application: a combo to type in, of 8 lines.
    ev.clear();
    Click(2);
    ASSERT_TRUE(cb->Visible());
    EXPECT_EQ(cb->Style(), csDropDown);
    EXPECT_EQ(cb->DropDownCount(), 8);
    EXPECT_EQ(cb->Items()->Count(), 0);
    EXPECT_EQ(cb->Text(), "free");
    cb->SetDroppedDown(false);
    Press(VK_END);
    Type("r");
    Press(VK_RETURN);
    EXPECT_EQ(Value(2, "t"), "freer");
    EXPECT_EQ(ev, (std::vector<std::string>{"click 0,2 t COMBO free", "list 0,2 t COMBO free edit 8",
                                            "done 0,2 t COMBO freer"}));
}

// A markup button is drawn pressed while the mouse holds it, only the one held, and up again
// on the release or when the grid loses the focus.
TEST_F(MarkupGrid, AHeldButtonIsDrawnPressed)
{
    g->SetCellEx(0, 1, "<CONTROL TYPE=\"BUTTON\" ID=\"a\" VALUE=\"A\" WIDTH=\"50\"><CONTROL TYPE=\"BUTTON\" "
                       "ID=\"b\" VALUE=\"B\" WIDTH=\"50\"><B></B>");
    const TPoint o = At(1, 0, 0);
    // The two boxes with a few pixels between them left out.
    const TRect first(o.x, o.y, o.x + 46, o.y + 26), second(o.x + 54, o.y, o.x + 100, o.y + 26);
    const auto up1 = Pixels(first), up2 = Pixels(second);
    const TPoint p = At(1, 10, 10);
    for (const bool byRelease : {true, false}) {
        SCOPED_TRACE(byRelease);
        ev.clear();
        TestInput::MouseDown(g, p.x, p.y);
        EXPECT_EQ(ev, std::vector<std::string>{"click 0,1 a BUTTON A"});
        EXPECT_NE(Pixels(first), up1);
        EXPECT_EQ(Pixels(second), up2);
        if (byRelease)
            TestInput::MouseUp(g, p.x, p.y);
        else
            other->SetFocus();
        EXPECT_EQ(Pixels(first), up1);
        EXPECT_EQ(ev.size(), 1u);
        g->SetFocus();
    }
}

// Anchors in markup cells, handled by the grid: only web and mail addresses reach the desktop;
// a program, by address or by a relative path, is never started.
TEST_F(MarkupGrid, AnchorsNeverStartAProgram)
{
    SetShellRecordOnly(true);
    std::vector<std::string> anchors;
    g->OnAnchorClick = [&](TObject*, int, int, const AnsiString& a, bool& autoHandle) {
        anchors.push_back(a);
        EXPECT_TRUE(autoHandle);
    };
    const struct {
        const char* href;
        bool opens;
    } cases[] = {
        {"file:///bin/sh", false}, {"FILE:///usr/bin/xterm", false}, {"bin/sh", false}, {"./run.sh", false},
        {"sh", false},           {"../../usr/bin/env", false},     {"http://example.org/a", true},
        {"HTTPS://example.org", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.href);
        g->SetCellEx(0, 1, AnsiString("<A HREF=\"") + c.href + "\">run it</A> now");
        ClearShellOpenedAddresses();
        anchors.clear();
        Click(1, 4, 8);
        EXPECT_EQ(anchors, std::vector<std::string>{c.href});
        EXPECT_EQ(ShellOpenedAddresses(), c.opens ? std::vector<AnsiString>{c.href} : std::vector<AnsiString>{});
    }
    SetShellRecordOnly(false);
}

TEST(MarkupPictures, BodyBackgroundIsTiledInsideTheRectangle)
{
    TBitmap tile;
    tile.SetSize(10, 10);
    tile.Canvas()->Brush()->SetColor(clNavy);
    tile.Canvas()->FillRect(TRect(0, 0, 10, 10));
    const std::string dir = TestOutputPath("BodyTiles");
    std::filesystem::create_directories(dir);
    const std::string path = dir + "/Tile.BMP";
    tile.SaveToFile(path);
    for (const AnsiString& src : {AnsiString("tile"), AnsiString("file://" + path)}) {
        SCOPED_TRACE(src);
        Markup m;
        TPictureItem* i = m.container.Items()->Add();
        i->Name = "Tile";
        i->Picture()->LoadFromData(tile.SaveToData());
        m.Run("<BODY BACKGROUND=\"" + src + "\" BGCOLOR=\"clYellow\">x", TRect(0, 0, 45, 25));
        EXPECT_EQ(m.cv()->Pixels(3, 3), clNavy);
        EXPECT_EQ(m.cv()->Pixels(43, 23), clNavy); // the last, cut tiles too
        EXPECT_EQ(m.cv()->Pixels(47, 3), clWhite); // nothing outside
        EXPECT_EQ(m.cv()->Pixels(3, 27), clWhite);
    }
    std::filesystem::remove_all(dir);
}

TEST(MarkupPictures, FileIconsAndPrinting)
{
    Markup m;
    const int x = m.cv()->TextWidth("x");
    struct Case {
        const char* src;
        int width;
    };
    const Case cases[] = {{"SSYS:/no/such/report.txt", 16}, {"LSYS:/no/such/report.txt", 32}, {"SSYS:/tmp", 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.src);
        m.Run(AnsiString("<IMG SRC=\"") + c.src + "\">x", TRect(0, 0, 400, 200), -1, -1, true, true);
        EXPECT_EQ(m.width, c.width + x);
        Markup d;
        d.Run(AnsiString("<IMG SRC=\"") + c.src + "\">");
        int ink = 0;
        for (int yy = 0; yy < c.width; ++yy)
            for (int xx = 1; xx < c.width; ++xx)
                ink += d.cv()->Pixels(xx, yy) != clWhite;
        EXPECT_GT(ink, c.width); // a desktop icon or a plain one
    }

    // On paper an image grows by the print ratio.
    TImageList images(nullptr);
    images.SetWidth(12);
    images.SetHeight(12);
    TBitmap lime;
    lime.SetSize(12, 12);
    lime.Canvas()->Brush()->SetColor(clLime);
    lime.Canvas()->FillRect(TRect(0, 0, 12, 12));
    images.AddMasked(&lime, clFuchsia);
    AnsiString anchor, stripped, focus, id, value, type;
    int w = 0, h = 0, n = 0, num = -1;
    TRect ar, cr;
    HTMLDrawEx(m.cv(), "<IMG SRC=\"IDX:0\">", TRect(0, 0, 400, 200), &images, -1, -1, -1, -1, 1, false, false, true,
               false, true, false, true, false, 3.0, clBlue, clNone, clNone, clGray, anchor, stripped, focus, w, h, n,
               num, ar, cr, id, value, type, nullptr, nullptr, nullptr);
    EXPECT_EQ(w, 36);
    EXPECT_EQ(h, 36);
    EXPECT_EQ(m.cv()->Pixels(34, 34), clLime);
}

TEST(MarkupDraw, RotatedTextRisesFromItsLine)
{
    Markup m;
    m.Run("<R \"90\">WWWWWWWW</R> flat", TRect(0, 100, 400, 200));
    EXPECT_EQ(m.cv()->Font()->Orientation(), 0);
    // Turned upright: ink far above the line, in a narrow band.
    const int len = m.cv()->TextWidth("WWWWWWWW");
    int above = 0;
    for (int y = 100 + 20 - len + 5; y < 100 + 10; ++y)
        for (int x = 0; x < 30; ++x)
            above += m.cv()->Pixels(x, y) != clWhite;
    EXPECT_GT(above, 20);
    m.Run("<R \"90\">W</R>", TRect(0, 0, 400, 200));
    SelectRotatedFont(m.cv(), 45);
    EXPECT_EQ(m.cv()->Font()->Orientation(), 450);
    RestoreFont(m.cv());
    EXPECT_EQ(m.cv()->Font()->Orientation(), 0);
}

TEST(MarkupDraw, PrintedAtThePrintersResolution)
{
    TImageList images(nullptr);
    images.SetWidth(12);
    images.SetHeight(12);
    TBitmap lime;
    lime.SetSize(12, 12);
    lime.Canvas()->Brush()->SetColor(clLime);
    lime.Canvas()->FillRect(TRect(0, 0, 12, 12));
    images.AddMasked(&lime, clFuchsia);
    TPictureContainer pictures;
    TPictureItem* logo = pictures.Items()->Add();
    logo->Name = "logo";
    TBitmap navy;
    navy.SetSize(20, 10);
    navy.Canvas()->Brush()->SetColor(clNavy);
    navy.Canvas()->FillRect(TRect(0, 0, 20, 10));
    logo->Picture()->LoadFromData(navy.SaveToData());

    const std::string path = TestOutputPath("markup_print.pdf");
    TPrinter p;
    p.SetOutputFileName(path);
    p.BeginDoc();
    const double ratio = p.Resolution() / 96.0;
    const TRect R(100, 100, 2000, 1000);
    auto draw = [&](TCanvas* cv, int& w, int& h) {
        AnsiString anchor, stripped, focus, id, value, type;
        int n = 0, num = -1;
        TRect ar, cr;
        HTMLDrawEx(cv, "<IMG SRC=\"IDX:0\"><IMG SRC=\"logo\">", R, &images, -1, -1, -1, -1, 1, false, false, true,
                   false, true, false, true, false, ratio, clBlue, clNone, clNone, clGray, anchor, stripped, focus, w, h,
                   n, num, ar, cr, id, value, type, nullptr, &pictures, nullptr);
    };
    int w = 0, h = 0;
    draw(p.Canvas(), w, h);
    const int img = static_cast<int>(std::lround(12 * ratio)), pic = static_cast<int>(std::lround(20 * ratio));
    EXPECT_EQ(w, img + pic);
    EXPECT_EQ(h, std::max(img, static_cast<int>(std::lround(10 * ratio))));
    p.EndDoc();
    std::filesystem::remove(path);
    // The printer's page keeps no pixels: the same drawing on a bitmap shows where they went.
    TBitmap page;
    page.SetSize(R.Right, R.Bottom);
    int bw = 0, bh = 0;
    draw(page.Canvas(), bw, bh);
    EXPECT_EQ(bw, w);
    const int bottom = R.Top + h;
    EXPECT_EQ(page.Canvas()->Pixels(R.Left + 1 + img - 3, bottom - 3), clLime);
    EXPECT_EQ(page.Canvas()->Pixels(R.Left + 1 + img + pic - 3, bottom - 3), clNavy);
}

TEST(MarkupDraw, HoverAndFocusPaths)
{
    struct Out {
        AnsiString focusHref;
        TBitmap bmp;
    };
    auto draw = [](const AnsiString& s, int focus, int hover, bool hoverOnly, int width, Out& o) {
        o.bmp.SetSize(width, 80);
        TCanvas* cv = o.bmp.Canvas();
        cv->Brush()->SetColor(clWhite);
        cv->FillRect(TRect(0, 0, width, 80));
        cv->Font()->SetName("DejaVu Sans");
        cv->Font()->SetSize(10);
        cv->Font()->SetColor(clBlack);
        AnsiString anchor, stripped, id, value, type;
        int w = 0, h = 0, n = 0, num = -1;
        TRect ar, cr;
        HTMLDrawEx(cv, s, TRect(0, 0, width, 80), nullptr, -1, -1, focus, hover, 1, false, false, false, false, true,
                   hoverOnly, true, false, 1.0, clBlue, clYellow, clRed, clGray, anchor, stripped, o.focusHref, w, h, n,
                   num, ar, cr, id, value, type, nullptr, nullptr, nullptr);
    };
    auto count = [](TBitmap& b, TColor c, int x0, int x1, int y0, int y1) {
        int k = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                k += b.Canvas()->Pixels(x, y) == c;
        return k;
    };
    const AnsiString two = "<A HREF=\"one\">first</A> <A HREF=\"two\">second</A>";
    Out o;
    o.bmp.Canvas()->Font()->SetName("DejaVu Sans");
    o.bmp.Canvas()->Font()->SetSize(10);
    const int split = o.bmp.Canvas()->TextWidth("first ") + 6; // the second anchor starts before this
    // Hover only: just the anchor under the mouse takes the hover colours.
    draw(two, -1, 2, true, 400, o);
    EXPECT_EQ(count(o.bmp, clYellow, 0, split - 12, 0, 20), 0);
    EXPECT_GT(count(o.bmp, clYellow, split, 160, 0, 20), 20);
    EXPECT_GT(count(o.bmp, clRed, split, 160, 0, 20), 5);
    EXPECT_EQ(count(o.bmp, clBlue, 0, split - 12, 0, 20), 0);
    // Without hover only every anchor is in the link colour.
    draw(two, -1, -1, false, 400, o);
    EXPECT_GT(count(o.bmp, clBlue, 0, split - 12, 0, 20), 5);
    EXPECT_GT(count(o.bmp, clBlue, split, 160, 0, 20), 5);

    // Focus: the focused anchor's address, and its frame on each line it spans.
    draw(two, 1, -1, false, 400, o);
    EXPECT_EQ(o.focusHref, "two");
    Out wrapped;
    draw("<A HREF=\"long\">several words that wrap</A>", 0, -1, false, 90, wrapped);
    EXPECT_EQ(wrapped.focusHref, "long");
    TBitmap& b = wrapped.bmp;
    const int lh = b.Canvas()->TextHeight("gh");
    // The frame's dotted left edge is on x = 1 on the first two lines.
    auto framedLine = [&](int line) {
        int dark = 0;
        for (int y = line * lh + 2; y < (line + 1) * lh - 2; ++y)
            dark += b.Canvas()->Pixels(1, y) != clWhite;
        return dark > 0;
    };
    EXPECT_TRUE(framedLine(0));
    EXPECT_TRUE(framedLine(1));
}
