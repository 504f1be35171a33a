// Cell graphic kinds: sizes on screen and paper, placement of each kind in its cell,
// and clicks on buttons.
#include <gtest/gtest.h>

#include <functional>

#include "GridTestSupport.h"
#include "components/grid/Ravobj.h"
#include "platform/core/Streams.h"
#include "platform/core/Strings.h"
#include "platform/forms/Form.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/ImageFile.h"
#include "platform/graphics/ImageList.h"
#include "platform/graphics/Picture.h"
#include "tests/support/TestOutput.h"

using namespace Ravgrid;

namespace {

void Fill(TBitmap* b, int w, int h, TColor c)
{
    b->SetSize(w, h);
    b->Canvas()->Brush()->SetColor(c);
    b->Canvas()->FillRect(TRect(0, 0, w, h));
}

// A picture of w x h in one colour.
void FillPicture(TPicture* p, int w, int h, TColor c)
{
    TBitmap b;
    Fill(&b, w, h, c);
    p->SetGraphic(&b);
}

// Image list of 12 x 12 images: red, lime, blue.
void FillImages(TImageList* l)
{
    l->SetWidth(12);
    l->SetHeight(12);
    for (TColor c : {clRed, clLime, clBlue}) {
        TBitmap b;
        Fill(&b, 12, 12, c);
        l->AddMasked(&b, clFuchsia);
    }
}

} // namespace

TEST(GridGraphicKinds, AnglesAndPictureSizes)
{
    TCellGraphic g;
    g.SetAngle(-90);
    EXPECT_EQ(g.CellAngle, 270);
    g.SetAngle(720);
    EXPECT_EQ(g.CellAngle, 360);

    TPicture pic;
    FillPicture(&pic, 40, 20, clRed);
    struct Case {
        TStretchMode mode;
        int cellW, cellH, padding;
        TPoint size;
    };
    const Case cases[] = {
        {noStretch, 100, 20, 2, {40, 20}},
        {Ravgrid::Stretch, 100, 20, 2, {98, 18}},
        {StretchWithAspectRatio, 100, 20, 2, {36, 18}},
        {StretchWithAspectRatio, 30, 100, 0, {30, 15}},
        {Shrink, 100, 20, 2, {98, 18}},
        {Shrink, 100, 40, 0, {40, 20}},
        {ShrinkWithAspectRatio, 100, 20, 2, {36, 18}},
        {ShrinkWithAspectRatio, 100, 40, 0, {40, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        g.SetPicture(&pic, false, c.mode, c.padding, haLeft, vaTop);
        EXPECT_EQ(g.GetPictureSize(c.cellW, c.cellH), c.size);
    }
}

TEST(GridGraphicKinds, SizesOnScreenAndPaper)
{
    auto g = MakeGrid(4, 6);
    TImageList images(nullptr);
    FillImages(&images);
    g->SetImages(&images);
    g->SetColWidths(1, 100);
    g->SetRowHeights(1, 20);
    TIcon* icon = g->CreateIcon(1, 1, haLeft, vaTop);
    EXPECT_EQ(g->GetCellGraphicSize(1, 1), TPoint(0, 0)); // empty icon

    g->AddImageIdx(1, 2, 1, haBeforeText, vaTop);
    g->SetCellEx(1, 2, "text");
    EXPECT_EQ(g->GetCellGraphicSize(1, 2), TPoint(12, 12));
    int idx = -1;
    ASSERT_TRUE(g->GetImageIdx(1, 2, idx));
    EXPECT_EQ(idx, 1);
    EXPECT_EQ(g->GetCellImageIdx(1, 2), 1);
    EXPECT_EQ(g->GetCellImageIdx(1, 1), -1); // an icon cell has no index

    g->AddMultiImage(2, 1, 0, haLeft, vaTop); // side by side
    TIntList* list = g->GetCellImages(2, 1);
    ASSERT_NE(list, nullptr);
    list->Add(0);
    list->Add(2);
    EXPECT_EQ(g->GetCellGraphicSize(2, 1), TPoint(24, 12));
    g->AddMultiImage(2, 2, 1, haLeft, vaTop); // stacked
    g->GetCellImages(2, 2)->Add(1);
    g->GetCellImages(2, 2)->Add(1);
    g->GetCellImages(2, 2)->Add(1);
    EXPECT_EQ(g->GetCellGraphicSize(2, 2), TPoint(12, 36));
    EXPECT_TRUE(g->RemoveMultiImage(2, 1));
    EXPECT_EQ(g->GetCellType(2, 1), ctEmpty);

    TPicture* pic = g->CreatePicture(1, 3, false, Ravgrid::Stretch, 2, haLeft, vaTop);
    FillPicture(pic, 40, 20, clRed);
    g->SetRowHeights(3, 20);
    EXPECT_EQ(g->GetCellGraphicSize(1, 3), TPoint(98, 18));
    // On paper: sized for the printed cell and divided by the factor, halves to even.
    EXPECT_EQ(g->GetPrintGraphicSize(1, 3, 102, 22, 4), TPoint(25, 5));
    EXPECT_EQ(g->GetPrintGraphicSize(1, 3, 27, 7, 2), TPoint(12, 2));

    g->AddButton(1, 4, 60, 22, "Run", haFull, vaCenter);
    EXPECT_EQ(g->GetCellGraphicSize(1, 4), TPoint(100, 22));
    EXPECT_EQ(g->GetPrintGraphicSize(1, 4, 100, 22, 1), TPoint(60, 22)); // no full-cell step on paper

    TBitmap bmp;
    Fill(&bmp, 16, 10, clRed);
    g->SetCellEx(3, 1, "text");
    g->AddBitmap(3, 1, &bmp, false, haLeft, vaTop);
    EXPECT_EQ(g->GetCellGraphicSize(3, 1), TPoint(0, 10));
    EXPECT_EQ(g->GetPrintGraphicSize(3, 1, 50, 20, 1), TPoint(16, 10)); // paper always counts the width

    g->AddCheckBox(3, 2, false, true);
    int w = 0, h = 0;
    bool drawText = true;
    TCellHAlign ha;
    TCellVAlign va;
    ASSERT_NE(g->GetGraphicDetails(3, 2, w, h, drawText, ha, va), nullptr);
    EXPECT_EQ(TPoint(w, h), TPoint(g->ControlLook()->CheckSize(), g->ControlLook()->CheckSize()));
    EXPECT_FALSE(drawText);
    EXPECT_EQ(g->GetGraphicDetails(0, 5, w, h, drawText, ha, va), nullptr);
    EXPECT_TRUE(drawText);
    (void)icon;
}

TEST(GridGraphicKinds, MarkersCommentsAndRotation)
{
    auto g = MakeGrid(3, 4);
    g->AddCheckBox(1, 1, true, false);
    g->AddMarker(1, 1, 2, 3);
    EXPECT_EQ(g->GetCellType(1, 1), ctCheckBox); // the check box stays
    int start = -1, len = -1;
    g->GetMarker(1, 1, start, len);
    EXPECT_EQ(start, 2);
    EXPECT_EQ(len, 3);
    g->RemoveMarker(1, 1);
    g->GetMarker(1, 1, start, len);
    EXPECT_EQ(start + len, 0);
    EXPECT_EQ(g->GetCellType(1, 1), ctCheckBox);

    g->AddMarker(2, 1, 1, 1); // a cell without a graphic gets an empty one
    EXPECT_EQ(g->GetCellType(2, 1), ctEmpty);
    g->RemoveMarker(2, 1);
    EXPECT_EQ(g->GetCellGraphic(2, 1), nullptr);

    AnsiString text;
    EXPECT_FALSE(g->IsComment(1, 2, text));
    g->AddComment(1, 2, "checked by hand");
    ASSERT_TRUE(g->IsComment(1, 2, text));
    EXPECT_EQ(text, "checked by hand");

    g->AddRotated(2, 2, -45, "tilted");
    int deg = 0;
    ASSERT_TRUE(g->IsRotated(2, 2, deg));
    EXPECT_EQ(deg, 315);
    EXPECT_EQ(g->GetCellEx(2, 2), "tilted");
    g->SetRotated(2, 2, 90);
    ASSERT_TRUE(g->IsRotated(2, 2, deg));
    EXPECT_EQ(deg, 90);
}

namespace {

struct Sheet {
    TForm form{nullptr};
    TRavArodozIdad* g;
    TImageList images{nullptr};
    TBitmap red, navy;
    Sheet()
    {
        form.SetBounds(0, 0, 440, 330);
        g = new TRavArodozIdad(&form);
        g->SetParent(&form);
        g->SetBounds(4, 4, 430, 320);
        g->SetColCountEx(3);
        g->SetRowCountEx(6);
        g->SetDefaultRowHeight(48);
        g->SetRowHeights(0, 22);
        g->SetColWidths(0, 90);
        g->SetColWidths(1, 150);
        g->SetColWidths(2, 150);
        FillImages(&images);
        g->SetImages(&images);
        Fill(&red, 10, 10, clRed);
        Fill(&navy, 30, 12, clNavy);
    }
    TColor PixelAt(int x, int y)
    {
        TBitmap shot;
        RenderControl(g, &shot);
        return shot.Canvas()->Pixels(x + g->FrameWidth(), y + g->FrameWidth());
    }
};

} // namespace

TEST(GridGraphicKinds, EachKindIsPlacedInItsCell)
{
    struct Case {
        const char* name;
        std::function<void(Sheet&, int c, int r)> add;
        std::function<TPoint(const TRect& R)> at; // a point that must show the colour
        TColor colour;
    };
    const Case cases[] = {
        {"bitmap right bottom", [](Sheet& s, int c, int r) { s.g->AddBitmap(c, r, &s.red, false, haRight, vaBottom); },
         [](const TRect& R) { return TPoint(R.Right - 1 - 10 + 5, R.Bottom - 1 - 10 + 5); }, clRed},
        {"bitmap centred", [](Sheet& s, int c, int r) { s.g->AddBitmap(c, r, &s.red, false, haCenter, vaCenter); },
         [](const TRect& R) { return TPoint(R.Left + (R.Width() - 10) / 2 + 1, R.Top + (R.Height() - 10) / 2 + 1); },
         clRed},
        {"centred, wider than the cell",
         [](Sheet& s, int c, int r) {
             TBitmap* b = s.g->CreateBitmap(c, r, false, haCenter, vaTop);
             Fill(b, 400, 8, clRed);
         },
         [](const TRect& R) { return TPoint(R.Left + 3, R.Top + 5); }, clRed},
        {"image list", [](Sheet& s, int c, int r) { s.g->AddImageIdx(c, r, 1, haLeft, vaTop); },
         [](const TRect& R) { return TPoint(R.Left + 1 + 6, R.Top + 1 + 6); }, clLime},
        {"data image", [](Sheet& s, int c, int r) {
             s.g->SetCellEx(c, r, "1");
             s.g->AddDataImage(c, r, 1, haRight, vaTop);
         },
         [](const TRect& R) { return TPoint(R.Right - 1 - 6, R.Top + 1 + 6); }, clBlue},
        {"multi image", [](Sheet& s, int c, int r) {
             s.g->AddMultiImage(c, r, 0, haLeft, vaBottom);
             s.g->GetCellImages(c, r)->Add(0);
             s.g->GetCellImages(c, r)->Add(2);
         },
         [](const TRect& R) { return TPoint(R.Left + 1 + 12 + 6, R.Bottom - 1 - 6); }, clBlue},
        {"stretched picture", [](Sheet& s, int c, int r) {
             TPicture* p = s.g->CreatePicture(c, r, false, Ravgrid::Stretch, 4, haLeft, vaTop);
             p->SetGraphic(&s.navy);
         },
         [](const TRect& R) { return TPoint(R.Right - 5, R.Bottom - 5); }, clNavy},
        {"icon", [](Sheet& s, int c, int r) {
             TIcon* i = s.g->CreateIcon(c, r, haRight, vaCenter);
             i->LoadFromData(EncodeBitmap(&s.red, "ICO"));
         },
         [](const TRect& R) { return TPoint(R.Right - 1 - 5, R.Top + R.Height() / 2); }, clRed},
        {"progress fill", [](Sheet& s, int c, int r) {
             s.g->SetCellEx(c, r, "50");
             s.g->AddProgress(c, r, clGreen, clWhite);
         },
         [](const TRect& R) { return TPoint(R.Left + 4, R.Top + 3); }, clGreen},
        {"progress rest", [](Sheet& s, int c, int r) {
             s.g->SetCellEx(c, r, "50");
             s.g->AddProgress(c, r, clGreen, clYellow);
         },
         [](const TRect& R) { return TPoint(R.Right - 4, R.Top + 3); }, clYellow},
        {"comment mark", [](Sheet& s, int c, int r) { s.g->AddComment(c, r, "note"); },
         [](const TRect& R) { return TPoint(R.Right - 3, R.Top + 2); }, clRed},
        {"button face", [](Sheet& s, int c, int r) { s.g->AddButton(c, r, 70, 26, "Go", haRight, vaTop); },
         [](const TRect& R) { return TPoint(R.Right - 1 - 70 + 5, R.Top + 1 + 5); }, clBtnFace},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s;
        s.g->AddBitmap(1, 2, &s.navy, false, haLeft, vaTop); // a neighbour that must not leak
        s.g->SetCellEx(1, 2, "");
        c.add(s, 1, 1);
        const TRect R = s.g->CellRect(1, 1);
        const TPoint p = c.at(R);
        EXPECT_EQ(ColorToRGB(s.PixelAt(p.x, p.y)), ColorToRGB(c.colour)) << p.x << "," << p.y;
    }
}

TEST(GridGraphicKinds, CheckBoxesFollowTheTextAlignment)
{
    Sheet s;
    s.g->OnGetAlignment = [](TObject*, int, int, TAlignment& HA, TVAlignment&) { HA = taRightJustify; };
    s.g->SetCellEx(1, 1, "on");
    s.g->AddCheckBox(1, 1, true, false);
    s.g->SetCellEx(2, 1, s.g->GetCheckTrue(2, 1));
    s.g->AddCheckBox(2, 1, true, true);
    const int size = s.g->ControlLook()->CheckSize();
    TBitmap shot;
    RenderControl(s.g, &shot);
    const int f = s.g->FrameWidth();
    // The plain check box sits left of the text, the data one at the right edge: its
    // sunken frame's dark outer line is just inside the cell's right side.
    const TRect r1 = s.g->CellRect(1, 1), r2 = s.g->CellRect(2, 1);
    const int textWidth = s.g->Canvas()->TextWidth("on") + 2;
    const int left1 = r1.Right - textWidth - size - 1;
    const int left2 = r2.Right - size - 1;
    const int y1 = r1.Top + 1 + size / 2, y2 = r2.Top + 1 + size / 2;
    EXPECT_NE(shot.Canvas()->Pixels(left1 + f, y1 + f), shot.Canvas()->Pixels(left1 - 2 + f, y1 + f));
    EXPECT_NE(shot.Canvas()->Pixels(left2 + f, y2 + f), shot.Canvas()->Pixels(left2 - 2 + f, y2 + f));
}

TEST(GridGraphicKinds, ButtonsPressAndClick)
{
    Sheet s;
    s.g->AddButton(1, 1, 70, 26, "Go", haRight, vaCenter);
    std::vector<TPoint> clicks;
    s.g->OnButtonClick = [&](TObject*, int c, int r) { clicks.push_back(TPoint(c, r)); };
    s.PixelAt(0, 0); // painted once: the button knows its place
    const TRect b = s.g->ButtonRect(1, 1);
    const TRect R = s.g->CellRect(1, 1);
    // The rectangle is where the button is drawn.
    EXPECT_EQ(TPoint(b.Width(), b.Height()), TPoint(70, 26));
    EXPECT_TRUE(b.Left > R.Left + 40 && b.Right < R.Right && b.Top > R.Top + 5 && b.Bottom < R.Bottom - 5);
    EXPECT_EQ(s.PixelAt(b.Left + 3, b.Top + 3), ColorToRGB(clBtnFace));
    EXPECT_EQ(s.PixelAt(b.Right - 4, b.Bottom - 4), ColorToRGB(clBtnFace));
    EXPECT_NE(s.PixelAt(b.Right + 1, b.Top + 3), ColorToRGB(clBtnFace));

    struct Case {
        TPoint at;
        size_t clicks;
    };
    const Case cases[] = {
        {{b.Left + 5, b.Top + 5}, 1},      // on the button
        {{b.Right - 2, b.Bottom - 2}, 1},  // its far corner
        {{R.Left + 5, R.Top + 5}, 0},      // the cell beside it
    };
    for (const Case& c : cases) {
        clicks.clear();
        TestInput::MouseDown(s.g, c.at.x, c.at.y);
        TCellGraphic* gr = s.g->GetCellGraphic(1, 1);
        EXPECT_EQ(gr->CellBoolean, c.clicks == 1); // drawn pressed while held
        TestInput::MouseUp(s.g, c.at.x, c.at.y);
        EXPECT_FALSE(gr->CellBoolean);
        ASSERT_EQ(clicks.size(), c.clicks);
        if (c.clicks) {
            EXPECT_EQ(clicks[0], TPoint(1, 1));
        }
    }
    EXPECT_TRUE(s.g->HasButton(1, 1));
    EXPECT_TRUE(s.g->RemoveButton(1, 1));
    EXPECT_FALSE(s.g->HasButton(1, 1));
    TBitmap* glyph = s.g->CreateBitButton(1, 1, 60, 24, "Save", haLeft, vaTop);
    ASSERT_NE(glyph, nullptr);
    EXPECT_TRUE(s.g->RemoveButton(1, 1)); // the bit button and its glyph go
}

// Every graphic kind, nodes, radio groups and markup with pictures and controls, for
// people to look at; each look of check boxes and radio buttons in a grid of its own.
TEST(GridGraphicKinds, ShowcasePng)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 760, 640);
    auto* g = new TRavArodozIdad(&form);
    g->SetParent(&form);
    g->SetBounds(4, 4, 750, 470);
    g->SetColCountEx(5);
    g->SetRowCountEx(9);
    g->SetDefaultRowHeight(50);
    g->SetRowHeights(0, 22);
    g->SetColWidths(0, 110);
    for (int c = 1; c < 5; ++c)
        g->SetColWidths(c, 155);
    TImageList images(nullptr);
    FillImages(&images);
    g->SetImages(&images);
    TPictureContainer pictures;
    TBitmap logo;
    Fill(&logo, 28, 16, clTeal);
    logo.Canvas()->Brush()->SetColor(clYellow);
    logo.Canvas()->FillRect(TRect(4, 4, 24, 12));
    TPictureItem* item = pictures.Items()->Add();
    item->Name = "logo";
    item->Picture()->LoadFromData(EncodeBitmap(&logo, "PNG"));
    g->SetPictureContainer(&pictures);

    const char* heads[] = {"rows", "A", "B", "C", "D"};
    for (int c = 0; c < 5; ++c)
        g->SetCellEx(c, 0, heads[c]);
    for (int r = 1; r < 9; ++r)
        g->SetCellEx(0, r, "row " + std::to_string(r));
    g->AddNode(1, 4);
    g->AddNode(5, 4);

    TBitmap* b = g->CreateBitmap(1, 1, false, haBeforeText, vaCenter);
    Fill(b, 16, 16, clRed);
    g->SetCellEx(1, 1, "bitmap");
    TIcon* icon = g->CreateIcon(2, 1, haRight, vaCenter);
    TBitmap iconBits;
    Fill(&iconBits, 16, 16, clPurple);
    icon->LoadFromData(EncodeBitmap(&iconBits, "ICO"));
    g->SetCellEx(2, 1, "icon");
    g->AddImageIdx(3, 1, 1, haBeforeText, vaCenter);
    g->SetCellEx(3, 1, "image list");
    g->AddMultiImage(4, 1, 0, haLeft, vaBottom);
    for (int i : {0, 1, 2})
        g->GetCellImages(4, 1)->Add(i);
    g->SetCellEx(4, 1, "images");

    TPicture* pic = g->CreatePicture(1, 2, false, StretchWithAspectRatio, 4, haCenter, vaCenter);
    pic->SetGraphic(&logo);
    g->SetCellEx(2, 2, "65");
    g->AddProgress(2, 2, clNavy, clWhite);
    g->SetCellEx(3, 2, "with a comment");
    g->AddComment(3, 2, "measured twice");
    g->AddButton(4, 2, 90, 26, "Measure", haCenter, vaCenter);

    g->AddRotated(1, 3, 90, "up 90");
    g->AddRotated(2, 3, 30, "tilted 30");
    g->SetCellEx(3, 3, "check");
    g->AddCheckBox(3, 3, true, false);
    g->SetCellEx(4, 3, g->GetCheckTrue(4, 3));
    g->AddCheckBox(4, 3, true, true);

    TStrings* range = g->CreateRadio(1, 4, 0, 1);
    range->Add("auto");
    range->Add("hold");
    TStrings* speed = g->CreateRadio(2, 4, 1, 0);
    speed->Add("slow");
    speed->Add("fast");
    TBitmap* glyph = g->CreateBitButton(3, 4, 100, 28, "Save", haLeft, vaCenter);
    Fill(glyph, 14, 14, clWhite);
    glyph->Canvas()->Brush()->SetColor(clGreen);
    glyph->Canvas()->FillRect(TRect(2, 2, 12, 12));
    g->SetCellEx(4, 4, "marked text");
    g->AddMarker(4, 4, 1, 6);

    g->SetCellEx(1, 5, "<IMG SRC=\"logo\"> <B>logo</B> and <IMG SRC=\"IDX:2\">");
    g->SetCellEx(2, 5, "<B>Set</B> <CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\"> <CONTROL TYPE=\"EDIT\" ID=\"e\" "
                       "VALUE=\"1 kHz\" WIDTH=\"60\">");
    g->SetCellEx(3, 5, "<A HREF=\"cell://R1C1\">to A1</A> <FONT COLOR=\"clRed\">red</FONT>");
    g->SetCellEx(4, 5, "<I>start</I> <CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"50\">");
    g->ContractNode(5);

    // One small grid per look of check boxes and radio buttons.
    const TCellControlStyle looks[] = {csClassic, csFlat, csWinXP, csBevel, csQSW};
    for (int i = 0; i < 5; ++i) {
        auto* s = new TRavArodozIdad(&form);
        s->SetParent(&form);
        s->SetBounds(4 + i * 150, 480, 146, 150);
        s->SetColCountEx(1);
        s->SetRowCountEx(3);
        s->SetColWidths(0, 140);
        s->SetDefaultRowHeight(44);
        s->SetRowHeights(0, 20);
        s->ControlLook()->SetControlStyle(looks[i]);
        const char* names[] = {"classic", "flat", "rounded", "bevel", "square"};
        s->SetCellEx(0, 0, names[i]);
        s->SetCellEx(0, 1, "on");
        s->AddCheckBox(0, 1, true, false);
        TStrings* r = s->CreateRadio(0, 2, 1, 0);
        r->Add("one");
        r->Add("two");
    }
    ASSERT_TRUE(SaveControlToPng(&form, TestOutputPath("grid_graphic_kinds.png")));
}

TEST(GridGraphicKinds, CommentsAndAnchorsAreHinted)
{
    Sheet s;
    s.g->SetCellEx(1, 1, "9.97 nF");
    s.g->AddComment(1, 1, "checked by hand");
    s.g->SetCellEx(2, 1, "<A HREF=\"manual\">see the manual</A>");
    s.g->SetAnchorHint(true);
    AnsiString seen;
    s.g->OnAnchorHint = [&](TObject*, int, int, AnsiString& a) {
        seen = a;
        a = "open " + a;
    };
    const TRect r1 = s.g->CellRect(1, 1), r2 = s.g->CellRect(2, 1);
    struct Case {
        TPoint at;
        AnsiString hint;
        TPoint pos;
    };
    const int lh = s.g->Canvas()->TextHeight("gh");
    const Case cases[] = {
        {{r1.Left + 5, r1.Top + 5}, "checked by hand", {r1.Right, r1.Top}},
        {{r2.Left + 10, r2.Top + 2 + lh / 2}, "open manual", {r2.Left, r2.Bottom + 6}},
        {{r2.Left + 10, r2.Bottom - 4}, "", {r2.Left, r2.Bottom + 6}}, // below the anchor's line
    };
    for (const Case& c : cases) {
        AnsiString hint;
        TPoint pos;
        ASSERT_TRUE(s.g->CellHintAt(c.at.x, c.at.y, hint, pos));
        EXPECT_EQ(hint, c.hint);
        EXPECT_EQ(pos, c.pos);
    }
    EXPECT_EQ(seen, "manual");
}

TEST(GridGraphicKinds, IconsAndPicturesComeBackFromTheGridsFile)
{
    auto g = MakeGrid(3, 3);
    TBitmap bits;
    Fill(&bits, 16, 16, clPurple);
    g->CreateIcon(1, 1, haRight, vaCenter)->LoadFromData(EncodeBitmap(&bits, "ICO"));
    FillPicture(g->CreatePicture(2, 1, false, noStretch, 0, haLeft, vaTop), 30, 12, clNavy);
    TMemoryStream ms;
    g->SaveToBinStream(&ms);
    auto h = MakeGrid(3, 3);
    ms.SetPosition(0);
    h->LoadFromBinStream(&ms);
    EXPECT_EQ(h->GetCellType(1, 1), ctIcon);
    int w = 0, hh = 0;
    bool drawText = true;
    TCellHAlign ha;
    TCellVAlign va;
    h->GetGraphicDetails(1, 1, w, hh, drawText, ha, va);
    EXPECT_EQ(TPoint(w, hh), TPoint(16, 16));
    EXPECT_EQ(ha, haRight);
    ASSERT_NE(h->GetPicture(2, 1), nullptr);
    EXPECT_EQ(h->GetPicture(2, 1)->Width(), 30);
}

TEST(GridGraphicKinds, StackedRadioClicksFollowEachLook)
{
    for (TCellControlStyle look : {csClassic, csWinXP, csBevel}) {
        SCOPED_TRACE(static_cast<int>(look));
        Sheet s;
        s.g->Font()->SetSize(6); // text lower than the 16-pixel buttons of the drawn looks
        s.g->ControlLook()->SetControlStyle(look);
        TStrings* items = s.g->CreateRadio(1, 1, 0, 0);
        for (const char* c : {"a", "b", "c"})
            items->Add(c);
        s.g->Canvas()->Font()->Assign(s.g->Font());
        const int gh = s.g->Canvas()->TextHeight("gh");
        const int lh = look == csClassic ? gh : std::max(16, gh);
        const TRect R = s.g->CellRect(1, 1);
        TestInput::Click(s.g, R.Left + 6, R.Top + 2 + 2 * lh + lh / 2);
        int idx = -1;
        ASSERT_TRUE(s.g->GetRadioIdx(1, 1, idx));
        EXPECT_EQ(idx, 2);
    }
}
