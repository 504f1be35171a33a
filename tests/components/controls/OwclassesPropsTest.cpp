// Property objects, the integer list, the collection and the bitmap list with its stream.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "components/controls/OwclassesProps.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/TestOutput.h"

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
    const std::pair<int, const char*> bad[] = {{-1, "TOwIntList Count overrun"}, {134217728, "TOwIntList Count overrun"}};
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
        {{}, true},                                    // shorter than the header
        {{'b', 'T', '5', 0, 1}, true},                 // count cut short
        {{'x', 'T', '5', 0, 0, 0, 0, 0}, true},        // wrong magic
        {{'b', 'T', '5', 0, 0, 0, 0, 0}, false},       // no bitmaps
        {{'b', 'T', '5', 0, 0xFF, 0xFF, 0xFF, 0x7F}, true}, // count beyond the stream
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
