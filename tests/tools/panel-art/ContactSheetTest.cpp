#include <gtest/gtest.h>

#include <filesystem>

#include "TestFolders.h"
#include "tools/panel-art/PanelArtFacts.h"
#include "tools/panel-art/PanelArtInstall.h"

namespace fs = std::filesystem;

TEST(PanelArtContactSheet, IsWrittenAsOnePngWithEveryPicture)
{
    const fs::path sheet = fs::path(TestOutputFolder()) / "panel-art" / "contact-sheet.png";
    fs::remove(sheet);
    PanelArt::WriteContactSheet(sheet.string());
    const PanelArt::ImageSize image = PanelArt::ReadPngSize(sheet.string());
    ASSERT_GT(image.Width, 0) << "no readable PNG";
    EXPECT_EQ(image.Width, 1400);
    // 411 pictures with their names do not fit in less.
    EXPECT_GT(image.Height, 1500);
}
