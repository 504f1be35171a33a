#include <gtest/gtest.h>

#include <filesystem>

#include <QImage>
#include <QString>

#include "TestFolders.h"
#include "tools/panel-art/PanelArtInstall.h"

namespace fs = std::filesystem;

TEST(PanelArtContactSheet, IsWrittenAsOnePngWithEveryPicture)
{
    const fs::path sheet = fs::path(TestOutputFolder()) / "panel-art" / "contact-sheet.png";
    fs::remove(sheet);
    PanelArt::WriteContactSheet(sheet.string());
    const QImage image(QString::fromStdString(sheet.string()), "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 1400);
    // 411 pictures with their names do not fit in less.
    EXPECT_GT(image.height(), 1500);
}
