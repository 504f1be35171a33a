#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>

#include "ExpectedNames.h"
#include "tools/panel-art/PanelArtTable.h"

using namespace PanelArt;

namespace {

std::set<std::string> TableNames()
{
    std::set<std::string> names;
    for (const PanelArtEntry& e : PanelArtTable())
        names.insert(e.Name);
    return names;
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

}  // namespace

TEST(PanelArtNames, TableHoldsExactlyTheNamesBuiltFromTheNamingRules)
{
    const std::vector<std::string> expectedList = ExpectedNames();
    const std::set<std::string> expected(expectedList.begin(), expectedList.end());
    const std::set<std::string> table = TableNames();
    for (const std::string& n : expected)
        EXPECT_TRUE(table.count(n)) << "not drawn: " << n;
    for (const std::string& n : table)
        EXPECT_TRUE(expected.count(n)) << "drawn but never loaded: " << n;
    EXPECT_EQ(table.size(), PanelArtTable().size()) << "a name is listed twice";
}

TEST(PanelArtNames, SetHas411Files)
{
    EXPECT_EQ(ExpectedNames().size(), 411u);
    EXPECT_EQ(PanelArtTable().size(), 411u);
    EXPECT_EQ(ExpectedFixedNames().size(), 34u);
}

TEST(PanelArtNames, NoTwoNamesCollideWhenCaseIsIgnored)
{
    std::map<std::string, std::string> seen;
    for (const PanelArtEntry& e : PanelArtTable()) {
        const auto [it, inserted] = seen.emplace(Lower(e.Name), e.Name);
        EXPECT_TRUE(inserted) << e.Name << " and " << it->second;
    }
}

TEST(PanelArtNames, FixedPicturesComeFirstInLoadOrder)
{
    const std::vector<std::string> fixed = ExpectedFixedNames();
    ASSERT_GE(PanelArtTable().size(), fixed.size());
    for (std::size_t i = 0; i < fixed.size(); ++i)
        EXPECT_EQ(PanelArtTable()[i].Name, fixed[i]) << "position " << i;
}

TEST(PanelArtNames, NamesArePlainBitmapFileNamesFoundByExactCase)
{
    for (const PanelArtEntry& e : PanelArtTable()) {
        EXPECT_TRUE(e.Name.size() > 4 && e.Name.compare(e.Name.size() - 4, 4, ".bmp") == 0) << e.Name;
        EXPECT_EQ(e.Name.find_first_of("/\\: "), std::string::npos) << e.Name;
        EXPECT_EQ(FindPanelArt(e.Name), &e);
        EXPECT_GT(e.Width, 0);
        EXPECT_GT(e.Height, 0);
    }
    EXPECT_EQ(FindPanelArt("btn0_1.bmp"), nullptr);
    EXPECT_EQ(FindPanelArt("GraphViewBtn0_1.bmp"), nullptr);
}
