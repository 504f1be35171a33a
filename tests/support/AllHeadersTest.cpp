// Every public header of every library, included together (the list is made by the build).
#include <gtest/gtest.h>

#include "AllHeaders.inc"

TEST(AllHeaders, CompileTogetherAndEachLibraryKeepsItsOwnNames)
{
    // The same name in two libraries, each in its own scope and with its own value.
    EXPECT_EQ(Ravbase::vtaTop, 0);
    EXPECT_EQ(Owcontrols::vtaTop, 4);
    EXPECT_EQ(TBaseGrid::vtaCenter, Ravbase::vtaCenter);
    EXPECT_EQ(TOwShadowButton::vtaCenter, Owcontrols::vtaCenter);
}
