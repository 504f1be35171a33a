// Markup: the text functions, control values, colours, and the renderer's layout,
// drawing and hit tests on a bitmap.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "components/grid/Raghtmle.h"
#include "components/grid/Ravgrid.h"
#include "platform/forms/Form.h"
#include "platform/forms/Printer.h"
#include "platform/forms/Render.h"
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
    EXPECT_EQ(v, "true");
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
    TCanvas* cv = p.Canvas();
    AnsiString anchor, stripped, focus, id, value, type;
    int w = 0, h = 0, n = 0, num = -1;
    TRect ar, cr;
    const TRect R(100, 100, 2000, 1000);
    HTMLDrawEx(cv, "<IMG SRC=\"IDX:0\"><IMG SRC=\"logo\">", R, &images, -1, -1, -1, -1, 1, false, false, true, false,
               true, false, true, false, ratio, clBlue, clNone, clNone, clGray, anchor, stripped, focus, w, h, n, num,
               ar, cr, id, value, type, nullptr, &pictures, nullptr);
    const int img = static_cast<int>(std::lround(12 * ratio)), pic = static_cast<int>(std::lround(20 * ratio));
    EXPECT_EQ(w, img + pic);
    EXPECT_EQ(h, std::max(img, static_cast<int>(std::lround(10 * ratio))));
    const int bottom = R.Top + h;
    EXPECT_EQ(cv->Pixels(R.Left + 1 + img - 3, bottom - 3), clLime);
    EXPECT_EQ(cv->Pixels(R.Left + 1 + img + pic - 3, bottom - 3), clNavy);
    p.EndDoc();
    std::filesystem::remove(path);
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
