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

#include <cstdlib>
#include <filesystem>

#include "main/Lcr.h"
#include "platform/core/Exceptions.h"

namespace {

namespace fs = std::filesystem;

// A prefix of its own whose picture folder lacks one file.
class ShortPictureSet : public ::testing::Test {
protected:
    void SetUp() override
    {
        Saved = std::getenv("ZORVANE_PREFIX") ? std::getenv("ZORVANE_PREFIX") : "";
        Prefix = fs::temp_directory_path() / ("zv-panel-pictures-" + std::to_string(::getpid()));
        const fs::path folder = Prefix / "drive_c/Zorvane/GraphView";
        fs::create_directories(folder);
        for (const auto& e : fs::directory_iterator(ZV_PANEL_ART_DIR))
            if (e.path().filename() != "Lift2.bmp")
                fs::create_symlink(e.path(), folder / e.path().filename());
        setenv("ZORVANE_PREFIX", Prefix.c_str(), 1);
    }
    void TearDown() override
    {
        setenv("ZORVANE_PREFIX", Saved.c_str(), 1);
        fs::remove_all(Prefix);
    }
    std::string Saved;
    fs::path Prefix;
};

} // namespace

TEST_F(ShortPictureSet, StartUpNamesTheMissingPictureOnce)
{
    try {
        TLCRForm form(nullptr);
        ADD_FAILURE() << "the window was built without its pictures";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find("\"Lift2.bmp\" is missing"), AnsiString::npos) << e.Message();
    }
    LCRForm = nullptr;
}
