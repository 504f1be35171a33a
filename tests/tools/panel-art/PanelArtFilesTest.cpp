#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TestFolders.h"
#include "platform/core/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Color.h"
#include "tools/panel-art/PanelArtColours.h"
#include "tools/panel-art/PanelArtInstall.h"
#include "tools/panel-art/PanelArtTable.h"

using namespace PanelArt;
namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t U16(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return U16(b, at) | (U16(b, at + 2) << 16);
}

// The set installed into the test's prefix once for all tests of this file.
class PanelArtFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const std::string prefix = TestPrefix();
        fs::remove_all(fs::path(prefix) / "drive_c");
        Count = InstallPanelArt(prefix);
        Folder = PanelArtFolder(prefix);
    }
    static inline int Count = 0;
    static inline std::string Folder;
};

}  // namespace

TEST_F(PanelArtFiles, InstallWritesTheSetIntoThePrefixBitmapFolder)
{
    EXPECT_EQ(Count, 411);
    EXPECT_EQ(Folder, (fs::path(TestPrefix()) / "drive_c/Zorvane/GraphView").string() + "/");
    int files = 0;
    for (const auto& item : fs::directory_iterator(Folder)) {
        EXPECT_TRUE(item.is_regular_file()) << item.path();
        EXPECT_NE(FindPanelArt(item.path().filename().string()), nullptr) << item.path();
        ++files;
    }
    EXPECT_EQ(files, 411);
}

TEST_F(PanelArtFiles, EveryFileIsAWindowsBitmapOfItsSize)
{
    for (const PanelArtEntry& e : PanelArtTable()) {
        SCOPED_TRACE(e.Name);
        const std::vector<std::uint8_t> b = ReadFile(fs::path(Folder) / e.Name);
        ASSERT_GE(b.size(), 54u);
        const std::uint32_t stride = (static_cast<std::uint32_t>(e.Width) * 3 + 3) & ~3u;
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(U32(b, 2), b.size());                       // file size
        EXPECT_EQ(U32(b, 10), 54u);                           // pixels follow the two headers
        EXPECT_EQ(U32(b, 14), 40u);                           // information header
        EXPECT_EQ(static_cast<std::int32_t>(U32(b, 18)), e.Width);
        EXPECT_EQ(static_cast<std::int32_t>(U32(b, 22)), e.Height);  // positive: bottom-up
        EXPECT_EQ(U16(b, 26), 1u);                            // planes
        EXPECT_EQ(U16(b, 28), 24u);                           // bits per pixel
        EXPECT_EQ(U32(b, 30), 0u);                            // uncompressed
        EXPECT_EQ(b.size(), 54u + stride * static_cast<std::uint32_t>(e.Height));

        TBitmap loaded;
        ASSERT_NO_THROW(loaded.LoadFromFile((fs::path(Folder) / e.Name).string()));
        EXPECT_EQ(loaded.Width(), e.Width);
        EXPECT_EQ(loaded.Height(), e.Height);
    }
}

TEST_F(PanelArtFiles, DrawingAgainGivesTheSameBytes)
{
    const fs::path again = fs::path(TestOutputFolder()) / "panel-art-again";
    fs::remove_all(again);
    EXPECT_EQ(WritePanelArt(again.string()), 411);
    for (const PanelArtEntry& e : PanelArtTable())
        EXPECT_TRUE(ReadFile(again / e.Name) == ReadFile(fs::path(Folder) / e.Name)) << e.Name;
}

TEST_F(PanelArtFiles, AFolderThatCannotBeMadeRaisesTheCreateError)
{
    // A file stands where the folder should be.
    const fs::path blocker = fs::path(TestOutputFolder()) / "panel-art-blocker";
    fs::create_directories(blocker.parent_path());
    std::ofstream(blocker) << "x";
    EXPECT_THROW(WritePanelArt((blocker / "GraphView").string()), EFCreateError);
    fs::remove(blocker);
}

// The program reads the files with the class library's bitmap loading; a key's
// see-through colour is then the top-left pixel as that loader sees it.
TEST_F(PanelArtFiles, TheProgramsBitmapLoaderReadsEveryFile)
{
    for (const PanelArtEntry& e : PanelArtTable()) {
        SCOPED_TRACE(e.Name);
        TBitmap bitmap;
        bitmap.LoadFromFile((fs::path(Folder) / e.Name).string());
        EXPECT_EQ(bitmap.Width(), e.Width);
        EXPECT_EQ(bitmap.Height(), e.Height);
        if (e.Transparency != SeeThrough::None) {
            const TColor topLeft = bitmap.Canvas()->Pixels(0, 0);
            EXPECT_EQ(topLeft, RGB((e.Paper >> 16) & 0xFF, (e.Paper >> 8) & 0xFF, e.Paper & 0xFF));
            if (e.Transparency == SeeThrough::ButtonFace) {
                EXPECT_EQ(topLeft, ColorToRGB(clBtnFace));
            }
        }
    }
}
