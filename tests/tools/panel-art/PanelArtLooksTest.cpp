#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>

#include <QByteArray>
#include <QFontMetrics>
#include <QImage>

#include "ExpectedNames.h"
#include "tools/panel-art/BmpFile.h"
#include "tools/panel-art/PanelArtColours.h"
#include "tools/panel-art/PanelArtFonts.h"
#include "tools/panel-art/PanelArtPainter.h"
#include "tools/panel-art/PanelArtTable.h"

using namespace PanelArt;

namespace {

class PanelArtLooks : public ::testing::Test {
protected:
    static void SetUpTestSuite() { App = std::make_unique<PanelArtApplication>(); }
    static void TearDownTestSuite() { App.reset(); }

    // The picture as the program will read it: drawn, written as a bitmap and read back.
    static QImage Loaded(const std::string& name)
    {
        const PanelArtEntry* e = FindPanelArt(name);
        if (e == nullptr)
            return QImage();
        const std::vector<std::uint8_t> bytes = EncodeBmp24(PaintPanelArt(*e));
        QImage image = QImage::fromData(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                   static_cast<qsizetype>(bytes.size())),
                                        "BMP");
        return image.convertToFormat(QImage::Format_RGB32);
    }

    static inline std::unique_ptr<PanelArtApplication> App;
};

Rgb At(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

int Distance(Rgb a, Rgb b)
{
    int d = 0;
    for (int shift : {0, 8, 16})
        d = std::max(d, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return d;
}

// The pixel that stands out most from the background: the strongest ink.
Rgb StrongestInk(const QImage& image, Rgb paper)
{
    Rgb best = paper;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Distance(At(image, x, y), paper) > Distance(best, paper))
                best = At(image, x, y);
    return best;
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
        const QImage img = Loaded(name);
        const Rgb seeThrough = At(img, 0, 0);
        // The corners take the key's Color when painted: grey for the soft keys, the
        // panel face for the others.
        EXPECT_EQ(seeThrough, name == "BtnC.bmp" ? Grey : ButtonFace());
        const int w = img.width(), h = img.height();
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
        const QImage img = Loaded(name);
        EXPECT_EQ(At(img, 0, 0), ButtonFace());
        const double cx = (img.width() - 1) / 2.0, cy = (img.height() - 1) / 2.0;
        const double radius = std::min(img.width(), img.height()) / 2.0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
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
    const auto greenPixels = [](const QImage& img) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y);
                if (qGreen(c) > 180 && qRed(c) < 100 && qBlue(c) < 120)
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
        const QImage img = Loaded(e.Name);
        EXPECT_EQ(At(img, 0, 0), v->second.Paper);
        EXPECT_EQ(At(img, img.width() - 1, img.height() - 1), v->second.Paper);
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
        const QImage img = Loaded(e.Name);
        const int mx = img.width() / 2;
        EXPECT_EQ(At(img, 0, 0), Black);
        if (isCurrent) {
            EXPECT_EQ(At(img, mx, 2), Lime);
            EXPECT_LE(Distance(StrongestInk(img, Lime), Black), 48);
            ++current;
        } else {
            EXPECT_EQ(At(img, mx, 4), Black);
            EXPECT_EQ(At(img, 1, img.height() / 2), Lime);
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
        const CaptionLayout l = LayoutCaption(e);
        EXPECT_TRUE(l.Fits) << "clipped: " << e.Caption;
        EXPECT_GE(l.PixelSize, 9);
        EXPECT_TRUE(QRectF(0, 0, e.Width, e.Height).contains(l.Ink));
        const QFontMetrics fm(l.Font);
        for (const QString& line : l.Lines)
            for (const char32_t c : line.toUcs4())
                EXPECT_TRUE(fm.inFontUcs4(c)) << "no glyph U+" << std::hex << static_cast<unsigned>(c);
        const QImage img = Loaded(e.Name);
        const Rgb paper = At(img, static_cast<int>(l.Limit.left()), static_cast<int>(l.Limit.top()));
        int ink = 0;
        const QRect r = l.Ink.toAlignedRect().intersected(img.rect());
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
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
