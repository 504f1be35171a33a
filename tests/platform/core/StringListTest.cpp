#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/core/List.h"
#include "platform/core/Streams.h"
#include "platform/core/StringUtils.h"
#include "platform/core/Strings.h"

#include "tests/support/TestSupport.h"

namespace {

std::vector<AnsiString> Items(const TStrings& l)
{
    std::vector<AnsiString> v;
    for (int i = 0; i < l.Count(); ++i)
        v.push_back(l[i]);
    return v;
}

} // namespace

TEST(StringList, FileRoundTripWritesCrLfAndReadsEitherLineEnd)
{
    auto dir = TestDir("strings");
    TStringList list;
    list.Add("[Setup]");
    list.Add("Freq=1000");
    list.Add("");
    list.Add("last");
    list.SaveToFile((dir / "a.txt").string());
    EXPECT_EQ(ReadBytes(dir / "a.txt"), "[Setup]\r\nFreq=1000\r\n\r\nlast\r\n");

    const std::vector<AnsiString> expected{"[Setup]", "Freq=1000", "", "last"};
    for (const char* bytes : {"[Setup]\r\nFreq=1000\r\n\r\nlast\r\n", "[Setup]\nFreq=1000\n\nlast\n",
                              "[Setup]\nFreq=1000\r\n\nlast"}) {
        WriteBytes(dir / "b.txt", bytes);
        TStringList back;
        back.LoadFromFile((dir / "b.txt").string());
        EXPECT_EQ(Items(back), expected) << bytes;
    }
}

TEST(StringList, MissingFileRaisesOpenError)
{
    TStringList list;
    auto name = (TestDir("strings") / "missing.txt").string();
    EXPECT_EQ(ErrorOf([&] { list.LoadFromFile(name); }),
              "EFOpenError: Cannot open file \"" + name + "\". No such file or directory");
}

TEST(StringList, SortedListFindsByBinarySearchAndHandlesDuplicates)
{
    TStringList list;
    list.SetSorted(true);
    for (const char* s : {"delta", "Alpha", "charlie", "bravo", "ALPHA"})
        list.Add(s);
    EXPECT_EQ(Items(list), (std::vector<AnsiString>{"Alpha", "bravo", "charlie", "delta"})); // dupIgnore
    EXPECT_EQ(list.IndexOf("CHARLIE"), 2);
    EXPECT_EQ(list.IndexOf("echo"), -1);
    int at = -1;
    EXPECT_FALSE(list.Find("beta", at));
    EXPECT_EQ(at, 1);

    list.SetDuplicates(dupError);
    EXPECT_EQ(ErrorOf([&] { list.Add("delta"); }), "EStringListError: String list does not allow duplicates");
    list.SetDuplicates(dupAccept);
    list.Add("bravo");
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(ErrorOf([&] { list.Insert(0, "x"); }), "EStringListError: Operation not allowed on sorted list");

    list.SetCaseSensitive(true); // re-sorts so that Find stays right
    list.SetDuplicates(dupIgnore);
    int added = list.Add("alpha");
    EXPECT_EQ(list.IndexOf("alpha"), added);
    EXPECT_NE(list.IndexOf("alpha"), list.IndexOf("Alpha"));
}

TEST(StringList, CaseSensitiveSortPutsLowerCaseFirstWithinALetter)
{
    const struct {
        std::vector<AnsiString> in, sorted;
    } cases[] = {
        {{"b", "B", "a", "A"}, {"a", "A", "b", "B"}},
        {{"Ab", "aB", "ab", "AB"}, {"ab", "aB", "Ab", "AB"}},
        {{"Zeta", "alpha", "Alpha", "beta"}, {"alpha", "Alpha", "beta", "Zeta"}},
        {{"a1", "A", "a"}, {"a", "A", "a1"}},
    };
    for (const auto& c : cases) {
        TStringList list;
        list.SetCaseSensitive(true);
        list.SetDuplicates(dupAccept);
        list.SetSorted(true);
        for (const auto& s : c.in)
            list.Add(s);
        EXPECT_EQ(Items(list), c.sorted) << c.in[0];
        for (const auto& s : c.in)
            EXPECT_EQ(list.Strings(list.IndexOf(s)), s);
    }
    EXPECT_EQ(CompareStr("a", "B"), 1); // the plain comparison stays by character code
}

TEST(StringList, IndexErrorsCarryTheIndex)
{
    TStringList list;
    list.Add("a");
    EXPECT_EQ(ErrorOf([&] { list.Strings(5); }), "EStringListError: List index out of bounds (5)");
    EXPECT_EQ(ErrorOf([&] { list.Delete(-1); }), "EStringListError: List index out of bounds (-1)");
    TList plain;
    EXPECT_EQ(ErrorOf([&] { plain.Items(0); }), "EListError: List index out of bounds (0)");
}

TEST(StringList, NamesAndValues)
{
    TStringList list;
    list.SetText("Port=3\nBaud=9600\nplain\n");
    EXPECT_EQ(list.Values("port"), "3");
    EXPECT_EQ(list.Names(1), "Baud");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.ValueFromIndex(2), "");
    EXPECT_EQ(list.IndexOfName("BAUD"), 1);
    list.SetValues("Baud", "19200");
    list.SetValues("Parity", "N");
    list.SetValues("Port", "");
    EXPECT_EQ(list.Text(), "Baud=19200\r\nplain\r\nParity=N\r\n");
}

TEST(StringList, DelimitedAndCommaText)
{
    struct Case {
        const char* in;
        std::vector<AnsiString> items;
        const char* out;
    };
    const Case cases[] = {
        {"a,b,c", {"a", "b", "c"}, "a,b,c"},
        {"1 2, 3", {"1", "2", "3"}, "1,2,3"}, // blanks separate too
        {"\"x y\",\"say \"\"hi\"\"\",", {"x y", "say \"hi\"", ""}, "\"x y\",\"say \"\"hi\"\"\","},
        {"a,,b", {"a", "", "b"}, "a,,b"},
        {"", {}, ""},
        {"\"\"", {""}, "\"\""},
    };
    for (const auto& c : cases) {
        TStringList list;
        list.SetCommaText(c.in);
        EXPECT_EQ(Items(list), c.items) << c.in;
        EXPECT_EQ(list.CommaText(), c.out) << c.in;
    }
    TStringList list;
    list.SetDelimiter(';');
    list.SetQuoteChar('\'');
    list.SetDelimitedText("a;'b;c';d");
    EXPECT_EQ(Items(list), (std::vector<AnsiString>{"a", "b;c", "d"}));
    EXPECT_EQ(list.DelimitedText(), "a;'b;c';d");
}

TEST(StringList, ChangeEventsAreHeldDuringUpdate)
{
    TStringList list;
    int changing = 0, changed = 0;
    list.OnChanging = [&](TObject*) { ++changing; };
    list.OnChange = [&](TObject*) { ++changed; };
    list.Add("a");
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);
    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    EXPECT_EQ(changed, 1);
    list.EndUpdate();
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);
    list.SetText("x\ny"); // one change for the whole text
    EXPECT_EQ(changed, 3);
}

TEST(StringList, ObjectsMoveExchangeSortAndAssign)
{
    TStringList list;
    TObject a, b, c;
    list.AddObject("c", &c);
    list.AddObject("a", &a);
    list.AddObject("b", &b);
    list.Move(0, 2);
    EXPECT_EQ(Items(list), (std::vector<AnsiString>{"a", "b", "c"}));
    EXPECT_EQ(list.Objects(2), &c);
    list.Exchange(0, 2);
    EXPECT_EQ(list.Objects(0), &c);
    list.CustomSort([](TStringList* l, int i, int j) { return -l->Strings(i).compare(l->Strings(j)); });
    EXPECT_EQ(Items(list), (std::vector<AnsiString>{"c", "b", "a"}));
    EXPECT_EQ(list.IndexOfObject(&a), 2);
    list.Sort();
    EXPECT_EQ(Items(list), (std::vector<AnsiString>{"a", "b", "c"}));

    TStringList copy;
    copy.Add("old");
    copy.Assign(&list);
    EXPECT_TRUE(copy.Equals(&list));
    EXPECT_EQ(copy.Objects(1), &b);
}

TEST(StringList, SortsLargeListsWithDuplicates)
{
    TStringList list;
    for (int i = 0; i < 500; ++i)
        list.Add(std::to_string((i * 7919) % 97));
    list.Sort();
    for (int i = 1; i < list.Count(); ++i)
        ASSERT_LE(list[i - 1], list[i]);
}

TEST(StringList, StreamRoundTrip)
{
    TStringList list;
    list.SetText("one\r\ntwo\r\n");
    TMemoryStream stream;
    list.SaveToStream(&stream);
    EXPECT_EQ(stream.Size(), 10);
    stream.SetPosition(0);
    TStringList back;
    back.LoadFromStream(&stream);
    EXPECT_TRUE(back.Equals(&list));
}
