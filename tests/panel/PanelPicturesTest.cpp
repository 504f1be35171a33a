// Every picture name the program can build is in the generated artwork set.
#include <gtest/gtest.h>

#include "panel/PanelPictures.h"
#include "tools/panel-art/PanelArtTable.h"

TEST(PanelPictures, EveryNameTheProgramBuildsIsDrawn)
{
    ASSERT_GT(PanelPictureNames().size(), 300u);
    for (const AnsiString& name : PanelPictureNames())
        EXPECT_NE(PanelArt::FindPanelArt(name), nullptr) << name;
}

TEST(PanelPictures, NamesFollowTheirFamilies)
{
    EXPECT_EQ(ChoicePicture("Bus", true), "ViewBus_R.bmp");
    EXPECT_EQ(ChoicePicture("100ohm", false), "View100ohm_Y.bmp");
    EXPECT_EQ(UnitKeyPicture("DCRmohm"), "ViewDCRmohm_Y.bmp");
    EXPECT_EQ(FieldPicture("nF", "G"), "ViewParanF_G.bmp");
}
