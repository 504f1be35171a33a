#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ExpectedNames.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Color.h"
#include "tools/panel-art/PanelArtApplication.h"
#include "tools/panel-art/PanelArtColours.h"
#include "tools/panel-art/PanelArtFacts.h"
#include "tools/panel-art/PanelArtTable.h"

using namespace PanelArt;

namespace {

// A picture's pixels as 0xRRGGBB, row by row.
struct Picture {
    int Width = 0;
    int Height = 0;
    std::vector<Rgb> Pixels;
};

class PanelArtLooks : public ::testing::Test {
protected:
    static void SetUpTestSuite() { App = std::make_unique<PanelArtApplication>(); }
    static void TearDownTestSuite() { App.reset(); }

    // The picture as the program will read it: drawn, written as a bitmap and read back.
    // An unknown name gives an empty picture.
    static Picture Loaded(const std::string& name)
    {
        Picture picture;
        const PanelArtEntry* e = FindPanelArt(name);
        if (e == nullptr)
            return picture;
        TBitmap bitmap;
        bitmap.LoadFromData(DrawPanelArtFile(*e));
        picture.Width = bitmap.Width();
        picture.Height = bitmap.Height();
        picture.Pixels.reserve(static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(picture.Height));
        for (int y = 0; y < picture.Height; ++y)
            for (int x = 0; x < picture.Width; ++x) {
                const TColor c = bitmap.Canvas()->Pixels(x, y);
                picture.Pixels.push_back((Rgb{GetRValue(c)} << 16) | (Rgb{GetGValue(c)} << 8) | Rgb{GetBValue(c)});
            }
        return picture;
    }

    static inline std::unique_ptr<PanelArtApplication> App;
};

Rgb At(const Picture& picture, int x, int y)
{
    return picture.Pixels.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.Width) +
                             static_cast<std::size_t>(x));
}

int Distance(Rgb a, Rgb b)
{
    int d = 0;
    for (int shift : {0, 8, 16})
        d = std::max(d, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return d;
}

// The pixel that stands out most from the background: the strongest ink.
Rgb StrongestInk(const Picture& image, Rgb paper)
{
    Rgb best = paper;
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x)
            if (Distance(At(image, x, y), paper) > Distance(best, paper))
                best = At(image, x, y);
    return best;
}

// As the drawing library sees it: a rectangle without area contains nothing and is in nothing.
bool Contains(const ArtRect& outer, const ArtRect& inner)
{
    if (outer.Width <= 0 || outer.Height <= 0 || inner.Width <= 0 || inner.Height <= 0)
        return false;
    return inner.Left >= outer.Left && inner.Top >= outer.Top &&
           inner.Left + inner.Width <= outer.Left + outer.Width && inner.Top + inner.Height <= outer.Top + outer.Height;
}

// Characters of a UTF-8 caption, line breaks not counted.
int CaptionCharacters(const std::string& caption)
{
    int n = 0;
    for (const unsigned char c : caption)
        n += (c & 0xC0) != 0x80 && c != '\n';
    return n;
}

std::string VariantOf(const std::string& name)
{
    const std::size_t underscore = name.rfind('_');
    return name.substr(underscore + 1, name.size() - underscore - 1 - 4);
}

}  // namespace

// A key whose see-through colour is its top-left pixel must show that colour only
// outside its rounded face, or the panel would show through holes in the key.
TEST_F(PanelArtLooks, TopLeftPixelKeysAreSeeThroughOnlyAroundTheirFace)
{
    std::set<std::string> tableKeys;
    for (const PanelArtEntry& e : PanelArtTable())
        if (e.Transparency == SeeThrough::TopLeftPixel)
            tableKeys.insert(e.Name);
    const std::vector<std::string> expected = ExpectedTopLeftPixelKeys();
    EXPECT_EQ(tableKeys, std::set<std::string>(expected.begin(), expected.end()));

    for (const std::string& name : expected) {
        SCOPED_TRACE(name);
        const PanelArtEntry* e = FindPanelArt(name);
        ASSERT_NE(e, nullptr);
        const Picture img = Loaded(name);
        const Rgb seeThrough = At(img, 0, 0);
        // The corners take the key's Color when painted: grey for the soft keys, the
        // panel face for the others.
        EXPECT_EQ(seeThrough, name == "BtnC.bmp" ? Grey : ButtonFace());
        const int w = img.Width, h = img.Height;
        EXPECT_EQ(At(img, w - 1, 0), seeThrough);
        EXPECT_EQ(At(img, 0, h - 1), seeThrough);
        EXPECT_EQ(At(img, w - 1, h - 1), seeThrough);
        for (int y = 3; y < h - 3; ++y)
            for (int x = 3; x < w - 3; ++x)
                ASSERT_NE(At(img, x, y), seeThrough) << "hole at " << x << "," << y;
    }
}

// The power key is drawn transparent with the panel face as its see-through colour,
// which also decides where it can be clicked: exactly on the round key.
TEST_F(PanelArtLooks, PowerKeyIsSeeThroughAndUnclickableOutsideTheRoundKey)
{
    for (const char* name : {"Power_White.bmp", "Power_Green.bmp"}) {
        SCOPED_TRACE(name);
        const PanelArtEntry* e = FindPanelArt(name);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->Transparency, SeeThrough::ButtonFace);
        const Picture img = Loaded(name);
        EXPECT_EQ(At(img, 0, 0), ButtonFace());
        const double cx = (img.Width - 1) / 2.0, cy = (img.Height - 1) / 2.0;
        const double radius = std::min(img.Width, img.Height) / 2.0;
        for (int y = 0; y < img.Height; ++y)
            for (int x = 0; x < img.Width; ++x) {
                const double d = std::hypot(x - cx, y - cy);
                if (d > radius) {
                    ASSERT_EQ(At(img, x, y), ButtonFace()) << x << "," << y;
                }
                if (d < radius - 3) {
                    ASSERT_NE(At(img, x, y), ButtonFace()) << x << "," << y;
                }
            }
    }
}

TEST_F(PanelArtLooks, PowerKeyLampIsGreenOnlyWhileRemoteOperationIsOn)
{
    const auto greenPixels = [](const Picture& img) {
        int n = 0;
        for (int y = 0; y < img.Height; ++y)
            for (int x = 0; x < img.Width; ++x) {
                const Rgb c = At(img, x, y);
                if (((c >> 8) & 0xFF) > 180 && ((c >> 16) & 0xFF) < 100 && (c & 0xFF) < 120)
                    ++n;
            }
        return n;
    };
    EXPECT_GT(greenPixels(Loaded("Power_Green.bmp")), 40);
    EXPECT_EQ(greenPixels(Loaded("Power_White.bmp")), 0);
}

// Each variant of a field picture has the background and text colour of the field it
// stands for: selected black on lime, not selected lime on black or navy, inactive grey,
// the BIN COUNT copies white.
TEST_F(PanelArtLooks, FieldPictureVariantsHaveTheirFieldColours)
{
    struct Colours {
        Rgb Paper;
        Rgb Ink;
    };
    const std::map<std::string, Colours> variants = {
        {"G", {Lime, Black}},  {"B", {Black, Lime}},  {"BG", {Black, Grey}},   {"NG", {Navy, Lime}},
        {"NGray", {Navy, Grey}}, {"BW", {Black, White}}, {"NW", {Navy, White}}, {"BA", {Black, Aqua}},
        {"WB", {White, Black}},
    };
    int checked = 0;
    for (const PanelArtEntry& e : PanelArtTable()) {
        if (e.Name.rfind("ViewPara", 0) != 0 || e.Name == "ViewParaFrame.bmp")
            continue;
        SCOPED_TRACE(e.Name);
        const auto v = variants.find(VariantOf(e.Name));
        ASSERT_NE(v, variants.end());
        const Picture img = Loaded(e.Name);
        EXPECT_EQ(At(img, 0, 0), v->second.Paper);
        EXPECT_EQ(At(img, img.Width - 1, img.Height - 1), v->second.Paper);
        if (!e.Caption.empty()) {
            EXPECT_LE(Distance(StrongestInk(img, v->second.Paper), v->second.Ink), 48);
        }
        ++checked;
    }
    EXPECT_EQ(checked, 161);
}

// Choice keys: the current choice is a filled lime key with black text, the others a
// lime frame and lime text on the black display.
TEST_F(PanelArtLooks, CurrentChoiceIsFilledOthersAreFramed)
{
    int current = 0, other = 0;
    for (const PanelArtEntry& e : PanelArtTable()) {
        const bool isCurrent = e.Name.size() > 6 && e.Name.compare(e.Name.size() - 6, 6, "_R.bmp") == 0;
        const bool isOther = e.Name.rfind("View", 0) == 0 && e.Name.rfind("ViewPara", 0) != 0 &&
                             e.Name.size() > 6 && e.Name.compare(e.Name.size() - 6, 6, "_Y.bmp") == 0;
        if (!isCurrent && !isOther)
            continue;
        SCOPED_TRACE(e.Name);
        const Picture img = Loaded(e.Name);
        const int mx = img.Width / 2;
        EXPECT_EQ(At(img, 0, 0), Black);
        if (isCurrent) {
            EXPECT_EQ(At(img, mx, 2), Lime);
            EXPECT_LE(Distance(StrongestInk(img, Lime), Black), 48);
            ++current;
        } else {
            EXPECT_EQ(At(img, mx, 4), Black);
            EXPECT_EQ(At(img, 1, img.Height / 2), Lime);
            ++other;
        }
    }
    EXPECT_EQ(current, 69);
    EXPECT_EQ(other, 68 + 22 + 1);  // choice words, unit keys, stop log
}

TEST_F(PanelArtLooks, DisplayPicturesSitOnTheBlackDisplay)
{
    for (const PanelArtEntry& e : PanelArtTable()) {
        const bool display = e.Kind == ArtKind::SoftKeyLabel || e.Kind == ArtKind::SoftKeyChosen ||
                             e.Kind == ArtKind::ValueUnit || e.Kind == ArtKind::ParameterName ||
                             e.Kind == ArtKind::RemoteSign;
        if (!display)
            continue;
        SCOPED_TRACE(e.Name);
        EXPECT_EQ(At(Loaded(e.Name), 0, 0), Black);
    }
}

// Every caption is drawn whole, at a legible size, with glyphs the font has (θ, Ω, µ,
// Δ, ± and the arrows included), and leaves ink on its picture.
TEST_F(PanelArtLooks, CaptionsFitAreLegibleAndUseGlyphsTheFontHas)
{
    int captions = 0;
    for (const PanelArtEntry& e : PanelArtTable()) {
        if (e.Caption.empty())
            continue;
        SCOPED_TRACE(e.Name);
        const CaptionFacts l = DescribeCaption(e);
        EXPECT_TRUE(l.Fits) << "clipped: " << e.Caption;
        EXPECT_GE(l.PixelSize, 9);
        EXPECT_TRUE(Contains(ArtRect{0, 0, static_cast<double>(e.Width), static_cast<double>(e.Height)}, l.Ink));
        EXPECT_EQ(l.CharactersLookedUp, CaptionCharacters(e.Caption));
        for (const char32_t c : l.MissingGlyphs)
            ADD_FAILURE() << "no glyph U+" << std::hex << static_cast<unsigned>(c);
        const Picture img = Loaded(e.Name);
        const Rgb paper = At(img, static_cast<int>(l.Limit.Left), static_cast<int>(l.Limit.Top));
        int ink = 0;
        // The whole pixels the ink touches, inside the picture.
        const int left = std::max(0, static_cast<int>(std::floor(l.Ink.Left)));
        const int top = std::max(0, static_cast<int>(std::floor(l.Ink.Top)));
        const int right = std::min(img.Width, static_cast<int>(std::ceil(l.Ink.Left + l.Ink.Width))) - 1;
        const int bottom = std::min(img.Height, static_cast<int>(std::ceil(l.Ink.Top + l.Ink.Height))) - 1;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                ink += Distance(At(img, x, y), paper) > 96;
        EXPECT_GT(ink, 3) << e.Caption;
        ++captions;
    }
    EXPECT_GT(captions, 390);
}

TEST_F(PanelArtLooks, GreekAndMicroSignsAreDrawnWhereUnitsNeedThem)
{
    EXPECT_NE(FindPanelArt("FuncUnitohm_K.bmp")->Caption.find("\u03A9"), std::string::npos);
    EXPECT_NE(FindPanelArt("ViewParauF_B.bmp")->Caption.find("\u00B5"), std::string::npos);
    EXPECT_NE(FindPanelArt("MeasDispFunc8.bmp")->Caption.find("\u03B8"), std::string::npos);
    EXPECT_NE(FindPanelArt("ViewParaZ_0d_G.bmp")->Caption.find("\u03B8"), std::string::npos);
}

// The glyph look-up above must be able to fail: a caption in a script the font lacks.
TEST_F(PanelArtLooks, GlyphLookUpNamesCharactersTheFontLacks)
{
    PanelArtEntry entry = *FindPanelArt("ViewParauF_B.bmp");
    entry.Caption = "\u00B5\u4E2D";
    const CaptionFacts facts = DescribeCaption(entry);
    EXPECT_EQ(facts.CharactersLookedUp, 2);
    EXPECT_EQ(facts.MissingGlyphs, std::vector<char32_t>{U'\u4E2D'});
}
