// Property objects, the integer list, the collection and the bitmap list with its stream.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>
#include <filesystem>

#include "components/controls/OwclassesProps.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/TestOutput.h"
#include "tests/support/Pixels.h"

namespace {

TEST(OwMinMax, PositionStaysWithinTheRange)
{
    TOwMinMax m;
    int changes = 0;
    m.SetPosition(50);
    m.OnChange = [&](TObject*) { ++changes; };
    m.SetMinValue(60);
    EXPECT_EQ(m.Position(), 60);
    EXPECT_EQ(changes, 1);
    m.SetMaxValue(60); // not above the minimum
    EXPECT_EQ(m.MaxValue(), 100);
    m.SetPosition(500);
    EXPECT_EQ(m.Position(), 100);
    EXPECT_EQ(changes, 2);
}

TEST(OwMinMax, AssignTakesTheSourceWhateverTheRanges)
{
    // A source range above or below the current one once came out half applied.
    const int cases[][3] = {{150, 200, 160}, {-300, -200, -250}, {0, 100, 0}, {5, 6, 6}};
    for (const auto& c : cases) {
        TOwMinMax src;
        src.SetMaxValue(1000);
        src.SetMinValue(-1000);
        src.SetMaxValue(c[1]);
        src.SetMinValue(c[0]);
        src.SetPosition(c[2]);
        TOwMinMax dst;
        int changes = 0;
        dst.OnChange = [&](TObject*) { ++changes; };
        dst.Assign(&src);
        EXPECT_EQ(dst.MinValue(), c[0]);
        EXPECT_EQ(dst.MaxValue(), c[1]);
        EXPECT_EQ(dst.Position(), c[2]);
        EXPECT_LE(changes, 1);
    }
    TOwMinMax m;
    TOwRect other;
    EXPECT_THROW(m.Assign(&other), EConvertError);
}


TEST(OwFont3D, CopiesBehindTheTextByStyleAndDepth)
{
    // Text in blue, highlight red, shadow green (depth 2): each copy's offset from the text.
    struct Case {
        TOwFont3DStyle style;
        int highlight; // offset of the red copy, 0 when there is none
        int shadow;    // offset of the green copy, 0 when there is none
    };
    const Case cases[] = {{f3dNone, 0, 0}, {f3dRaised, -1, 2}, {f3dSunken, 1, -2}, {f3dShadow, 0, 2}};
    for (const Case& c : cases) {
        TOwFont3D f;
        int changes = 0;
        f.OnChange = [&](TObject*) { ++changes; };
        f.SetStyle(c.style);
        f.SetHighlightColor(clRed);
        f.SetShadowColor(clGreen);
        f.SetShadowDepth(2);
        f.SetShadowDepth(2);
        EXPECT_EQ(changes, c.style == f3dNone ? 3 : 4); // equal values are ignored
        TBitmap b;
        b.SetSize(80, 40);
        b.Canvas()->Brush()->SetColor(clWhite);
        b.Canvas()->FillRect(TRect(0, 0, 80, 40));
        b.Canvas()->Font()->SetColor(clBlue);
        b.Canvas()->Font()->SetSize(14);
        f.Paint(b.Canvas(), TRect(10, 5, 70, 35), "Hd", DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        EXPECT_EQ(b.Canvas()->Font()->Color(), clBlue) << c.style;
        const TRect text = InkOf(&b, clBlue), red = InkOf(&b, clRed), green = InkOf(&b, clGreen);
        ASSERT_GT(text.Width(), 0);
        for (const auto& [colour, offset, box] :
             {std::tuple{"red", c.highlight, red}, std::tuple{"green", c.shadow, green}}) {
            if (offset == 0) {
                EXPECT_EQ(box.Width(), 0) << c.style << " " << colour;
                continue;
            }
            // The copy sticks out past the text on the side it is moved to.
            if (offset < 0) {
                EXPECT_EQ(box.Left - text.Left, offset) << c.style << " " << colour;
            } else {
                EXPECT_EQ(box.Right - text.Right, offset) << c.style << " " << colour;
            }
        }
    }
    // Assign copies all five and notifies once; another class is refused.
    TOwFont3D src, dst;
    src.SetStyle(f3dSunken);
    src.SetHighlightColor(clYellow);
    src.SetShadowColor(clNavy);
    src.SetHighlightDepth(3);
    src.SetShadowDepth(4);
    int changes = 0;
    dst.OnChange = [&](TObject*) { ++changes; };
    dst.Assign(&src);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(dst.Style(), f3dSunken);
    EXPECT_EQ(dst.HighlightColor(), clYellow);
    EXPECT_EQ(dst.ShadowColor(), clNavy);
    EXPECT_EQ(dst.HighlightDepth(), 3);
    EXPECT_EQ(dst.ShadowDepth(), 4);
    TOwGlyphs other;
    EXPECT_THROW(dst.Assign(&other), EConvertError);
}

TEST(OwGlyphs, KeepsItsOwnStripAndCount)
{
    TOwGlyphs g;
    EXPECT_TRUE(g.Bitmap()->Empty());
    EXPECT_EQ(g.NumGlyphs(), 2);
    int changes = 0;
    g.OnChange = [&](TObject*) { ++changes; };
    TBitmap strip;
    strip.SetSize(32, 8);
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect(TRect(0, 0, 32, 8));
    g.SetBitmap(&strip);
    g.SetBitmap(&strip); // the bitmap is not compared: every write notifies
    EXPECT_EQ(changes, 2);
    strip.Canvas()->SetPixels(0, 0, clBlue); // a copy, not the caller's bitmap
    EXPECT_EQ(g.Bitmap()->Canvas()->Pixels(0, 0), clRed);
    const std::pair<int, int> counts[] = {{4, 4}, {4, 4}, {0, 1}, {9, 4}, {3, 3}};
    for (const auto& [set, kept] : counts) {
        g.SetNumGlyphs(set);
        EXPECT_EQ(g.NumGlyphs(), kept) << set;
    }
    EXPECT_EQ(changes, 2 + 4); // the second 4 changes nothing
    TOwGlyphs copy;
    int copyChanges = 0;
    copy.OnChange = [&](TObject*) { ++copyChanges; };
    copy.Assign(&g);
    EXPECT_EQ(copyChanges, 1);
    EXPECT_EQ(copy.NumGlyphs(), 3);
    EXPECT_EQ(copy.Bitmap()->Width(), 32);
    EXPECT_NE(copy.Bitmap(), g.Bitmap());
    TOwFont3D other;
    EXPECT_THROW(copy.Assign(&other), EConvertError);
}

TEST(OwRect, NotifiesOncePerRealChange)
{
    TOwRect r;
    int changes = 0;
    r.OnChange = [&](TObject*) { ++changes; };
    r.SetBounds(0, 0, 0, 0);
    EXPECT_EQ(changes, 0);
    r.SetWidth(10);
    EXPECT_EQ(changes, 1);
    r.SetBoundsRect(TRect(1, 2, 11, 22));
    EXPECT_EQ(r.Height(), 20);
    TOwRect copy;
    int copies = 0;
    copy.OnChange = [&](TObject*) { ++copies; };
    copy.Assign(&r);
    EXPECT_EQ(copies, 1);
    EXPECT_EQ(copy.BoundsRect().Right, 11);
}

TEST(OwIntList, GrowsCountsAndRefusesBadIndexes)
{
    TOwIntList l;
    std::vector<int> caps;
    for (int i = 0; i < 100; ++i) {
        l.Add(i);
        if (caps.empty() || caps.back() != l.Capacity())
            caps.push_back(l.Capacity());
    }
    EXPECT_EQ(caps, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
    EXPECT_THROW(l.Delete(l.Count()), Exception);
    EXPECT_EQ(l.Count(), 100);
    l.Delete(0);
    EXPECT_EQ(l.Items(0), 1);
    EXPECT_EQ(l.Count(), 99);
    l.Clear();
    l.SetCount(10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(l.Items(i), 0);
    const std::pair<int, const char*> bad[] = {{-1, "TOwIntList Count overrun"},
                                               {134217728, "TOwIntList Count overrun"}};
    for (const auto& [count, message] : bad) {
        try {
            l.SetCount(count);
            ADD_FAILURE() << count;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), message);
        }
    }
    EXPECT_THROW(l.SetCapacity(5), Exception);
}

struct CountingCollection : TOwCollection {
    int updates = 0;
    void Update(TOwCollectionItem*) override { ++updates; }
};

TEST(OwCollection, ItemsJoinLeaveAndClear)
{
    CountingCollection c;
    auto* a = new TOwCollectionItem(&c);
    auto* b = new TOwCollectionItem(&c);
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(b->Index(), 1);
    delete a;
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(c.Items(0), b);
    EXPECT_EQ(b->Index(), 1); // not renumbered
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.updates, 1);
    c.Clear();
    EXPECT_EQ(c.updates, 1);
    new TOwCollectionItem(&c); // freed with the collection
}

TEST(OwPalette, RecoloursEachPixelOnce)
{
    TBitmap b;
    b.SetSize(3, 1);
    b.Canvas()->SetPixels(0, 0, clBlack);
    b.Canvas()->SetPixels(1, 0, clWhite);
    b.Canvas()->SetPixels(2, 0, clRed);
    TOwPalette p;
    p.SetLow(clWhite); // equal to the light colour: must not be caught again
    p.SetHigh(clBlue);
    p.ToBMP(&b, clBlack, clWhite);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(b.Canvas()->Pixels(1, 0), clBlue);
    EXPECT_EQ(b.Canvas()->Pixels(2, 0), clRed);
    EXPECT_EQ(p.GetColors(0), clWhite);
    EXPECT_EQ(p.GetColors(3), clBlue);
}

std::unique_ptr<TBitmap> Picture(int w, int h, TColor c)
{
    auto b = std::make_unique<TBitmap>();
    b->SetSize(w, h);
    b->Canvas()->Brush()->SetColor(c);
    b->Canvas()->FillRect(TRect(0, 0, w, h));
    b->Canvas()->SetPixels(0, 0, clYellow);
    return b;
}

TEST(OwBitmaps, StreamRoundTrip)
{
    TOwBitmaps list;
    TMemoryStream empty;
    list.SaveToStream(&empty);
    ASSERT_EQ(empty.Size(), 8);
    EXPECT_EQ(std::memcmp(empty.Memory(), "bT5\0\0\0\0\0", 8), 0);
    EXPECT_FALSE(list.HasBitmaps());

    const TColor colours[] = {clRed, clLime, clBlue};
    for (int i = 0; i < 3; ++i)
        list.Add(Picture(4 + i, 3, colours[i]).get());
    const AnsiString file = TestOutputPath("bitmaps.bt5");
    list.SaveToFile(file);
    TOwBitmaps back;
    back.Add(Picture(2, 2, clBlack).get());
    back.Add(Picture(2, 2, clBlack).get());
    back.LoadFromFile(file); // appends
    ASSERT_EQ(back.Count(), 5);
    for (int i = 0; i < 3; ++i) {
        TBitmap* b = back.Bitmaps(2 + i);
        EXPECT_EQ(b->Width(), 4 + i);
        EXPECT_EQ(b->Canvas()->Pixels(1, 1), colours[i]);
        EXPECT_EQ(b->Canvas()->Pixels(0, 0), clYellow);
    }
    // The form property replaces the content.
    TMemoryStream prop;
    list.WriteData(&prop);
    prop.SetPosition(0);
    back.ReadData(&prop);
    EXPECT_EQ(back.Count(), 3);
    std::filesystem::remove(file);
}

TEST(OwBitmaps, BadStreamsAreRefused)
{
    auto stream = [](const std::vector<Byte>& bytes) {
        auto s = std::make_unique<TMemoryStream>();
        if (!bytes.empty())
            s->WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
        s->SetPosition(0);
        return s;
    };
    struct Case {
        std::vector<Byte> bytes;
        bool invalid;
    };
    const Case cases[] = {
        {{}, true},                                          // shorter than the header
        {{'b', 'T', '5', 0, 1}, true},                       // count cut short
        {{'x', 'T', '5', 0, 0, 0, 0, 0}, true},              // wrong magic
        {{'b', 'T', '5', 0, 0, 0, 0, 0}, false},             // no bitmaps
        {{'b', 'T', '5', 0, 0xFF, 0xFF, 0xFF, 0x7F}, true},  // count beyond the stream
        {{'b', 'T', '5', 0, 0xFF, 0xFF, 0xFF, 0xFF}, false}, // negative: nothing
    };
    for (const Case& c : cases) {
        TOwBitmaps l;
        auto s = stream(c.bytes);
        if (c.invalid) {
            try {
                l.LoadFromStream(s.get());
                ADD_FAILURE() << c.bytes.size();
            } catch (const Exception& e) {
                EXPECT_EQ(e.Message(), "Invalid file format");
            }
        } else {
            EXPECT_NO_THROW(l.LoadFromStream(s.get()));
        }
        EXPECT_EQ(l.Count(), 0);
    }
    // A damaged record after a good one keeps the good one.
    TOwBitmaps two;
    two.Add(Picture(3, 3, clRed).get());
    two.Add(Picture(3, 3, clRed).get());
    TMemoryStream ms;
    two.SaveToStream(&ms);
    ms.SetSize(ms.Size() - 10);
    ms.SetPosition(0);
    TOwBitmaps l;
    EXPECT_ANY_THROW(l.LoadFromStream(&ms));
    EXPECT_EQ(l.Count(), 1);
}

TEST(OwBitmaps, ListKeepsItsOwnCopies)
{
    TOwBitmaps l;
    int changes = 0;
    l.OnChange = [&](TObject*) { ++changes; };
    auto a = Picture(2, 2, clRed);
    l.Add(a.get());
    EXPECT_NE(l.Bitmaps(0), a.get());
    EXPECT_EQ(l.IndexOf(a.get()), -1);
    EXPECT_EQ(l.IndexOf(l.Bitmaps(0)), 0);
    l.Insert(0, Picture(5, 5, clBlue).get());
    l.Exchange(0, 1);
    EXPECT_EQ(l.Bitmaps(0)->Width(), 2);
    l.Move(0, 1);
    EXPECT_EQ(l.Bitmaps(1)->Width(), 2);
    EXPECT_THROW(l.Delete(2), EListError);
    TOwRect other;
    l.Assign(&other); // ignored
    EXPECT_EQ(l.Count(), 2);
    changes = 0;
    l.Clear();
    EXPECT_EQ(changes, 2);
}

} // namespace
