// Pictures for markup: loading each file format, GIF frames, the cache, the
// container and the picture control, and the refusal of anything but local files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "components/grid/Picturecontainer.h"
#include "components/grid/Raghtmle.h"
#include "platform/forms/Form.h"
#include "platform/forms/Render.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/ImageFile.h"
#include "platform/graphics/Picture.h"
#include "tests/support/TestOutput.h"

namespace {

// A GIF of the given frames, each (left, top, width, height, colour index 0-3, delay);
// pixel codes are each preceded by a clear code so every code stays 3 bits wide.
struct GifFrame {
    int left, top, width, height, colour, delay;
};

std::vector<Byte> MakeGif(int w, int h, const std::vector<GifFrame>& frames)
{
    std::vector<Byte> d = {'G', 'I', 'F', '8', '9', 'a'};
    auto word = [&](int v) {
        d.push_back(static_cast<Byte>(v & 0xFF));
        d.push_back(static_cast<Byte>(v >> 8));
    };
    word(w);
    word(h);
    d.insert(d.end(), {0x81, 0, 0});
    // black, red, green, blue
    d.insert(d.end(), {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
    for (const GifFrame& f : frames) {
        d.insert(d.end(), {0x21, 0xF9, 0x04, 0x00});
        word(f.delay);
        d.insert(d.end(), {0x00, 0x00, 0x2C});
        word(f.left);
        word(f.top);
        word(f.width);
        word(f.height);
        d.push_back(0x00);
        d.push_back(2); // minimum code size
        std::vector<int> codes;
        for (int i = 0; i < f.width * f.height; ++i) {
            codes.push_back(4);
            codes.push_back(f.colour);
        }
        codes.push_back(5);
        std::vector<Byte> packed;
        unsigned acc = 0;
        int bits = 0;
        for (int c : codes) {
            acc |= static_cast<unsigned>(c) << bits;
            bits += 3;
            while (bits >= 8) {
                packed.push_back(static_cast<Byte>(acc & 0xFF));
                acc >>= 8;
                bits -= 8;
            }
        }
        if (bits > 0)
            packed.push_back(static_cast<Byte>(acc & 0xFF));
        for (size_t i = 0; i < packed.size(); i += 255) {
            const size_t n = std::min<size_t>(255, packed.size() - i);
            d.push_back(static_cast<Byte>(n));
            d.insert(d.end(), packed.begin() + static_cast<long>(i), packed.begin() + static_cast<long>(i + n));
        }
        d.push_back(0x00);
    }
    d.push_back(0x3B);
    return d;
}

// The colour at (x, y) of a picture drawn on white.
TColor PixelOf(TGraphic* g, int x, int y)
{
    TBitmap b;
    b.SetSize(std::max(1, g->Width()), std::max(1, g->Height()));
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(TRect(0, 0, b.Width(), b.Height()));
    b.Canvas()->Draw(0, 0, g);
    return b.Canvas()->Pixels(x, y);
}

bool Near(TColor a, TColor b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) < 24 && std::abs(GetGValue(a) - GetGValue(b)) < 24 &&
           std::abs(GetBValue(a) - GetBValue(b)) < 24;
}

std::string WriteFile(const std::string& name, const std::vector<Byte>& data)
{
    const std::string path = TestOutputPath(name);
    WriteFileBytes(path, data);
    return path;
}

} // namespace

TEST(Pictures, EachFormatLoadsFromItsFile)
{
    TBitmap src;
    src.SetSize(10, 6);
    src.Canvas()->Brush()->SetColor(clRed);
    src.Canvas()->FillRect(TRect(0, 0, 10, 6));
    struct Case {
        const char* file;
        std::vector<Byte> data;
    };
    const Case cases[] = {
        {"pic_bmp.bmp", EncodeBitmap(&src, "BMP")},
        {"pic_png.png", EncodeBitmap(&src, "PNG")},
        {"pic_jpg.jpg", EncodeBitmap(&src, "JPG")},
        {"pic_ico.ico", EncodeBitmap(&src, "ICO")},
        {"pic_gif.gif", MakeGif(10, 6, {{0, 0, 10, 6, 1, 10}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = WriteFile(c.file, c.data);
        THTMLPicture p;
        p.LoadFromFile(path);
        ASSERT_FALSE(p.Empty());
        EXPECT_EQ(p.Width(), 10);
        EXPECT_EQ(p.Height(), 6);
        EXPECT_TRUE(Near(PixelOf(&p, 5, 3), clRed));
        EXPECT_EQ(p.SaveToData(), c.data); // the file's own bytes are kept
        TPicture tp; // the platform's picture reads the same files by extension
        tp.LoadFromFile(path);
        EXPECT_EQ(tp.Width(), 10);
        std::filesystem::remove(path);
    }
}

TEST(Pictures, BadFilesGiveEmptyPictures)
{
    const std::string text = TestOutputPath("pic_text.png");
    std::ofstream(text) << "not a picture";
    THTMLPicture p;
    EXPECT_NO_THROW(p.LoadFromFile(text));
    EXPECT_TRUE(p.Empty());
    EXPECT_NO_THROW(p.LoadFromFile(text + ".missing"));
    EXPECT_TRUE(p.Empty());
    // From bytes the fault is told.
    EXPECT_THROW(p.LoadFromData({'x', 'y', 'z'}), Exception);
    EXPECT_TRUE(p.Empty());
    std::filesystem::remove(text);
}

TEST(Pictures, GifFramesAreCountedCutAndStepped)
{
    THTMLPicture p;
    p.LoadFromData(MakeGif(8, 8, {{0, 0, 8, 8, 1, 10}, {2, 3, 4, 2, 2, 20}, {1, 1, 2, 2, 3, 30}}));
    ASSERT_TRUE(p.IsGIFFile());
    EXPECT_EQ(p.GetFrameCount(), 3);
    EXPECT_EQ(p.GetFrameTime(2), 20);
    EXPECT_EQ(p.GetFrameTime(4), -1);
    EXPECT_EQ(p.GetMaxWidth(), 8);

    int changes = 0;
    p.OnFrameChange = [&](TObject*) { ++changes; };
    p.SetFrame(2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(TPoint(p.FrameXPos(), p.FrameYPos()), TPoint(2, 3));
    EXPECT_EQ(TPoint(p.FrameWidth(), p.FrameHeight()), TPoint(4, 2));
    // The header and colour table, then frames 2 and 3.
    const std::vector<Byte> all = p.SaveToData(), cut = p.FrameData();
    const std::vector<Byte> tail = MakeGif(8, 8, {{2, 3, 4, 2, 2, 20}, {1, 1, 2, 2, 3, 30}});
    EXPECT_EQ(cut, tail);
    EXPECT_LT(cut.size(), all.size());
    EXPECT_FALSE(p.Empty());
    // The decoder shows frame 2 in its place on the logical screen.
    EXPECT_EQ(TPoint(p.Width(), p.Height()), TPoint(8, 8));
    EXPECT_EQ(PixelOf(&p, 3, 4), clLime);

    p.SetFrame(3);
    p.FrameNext();
    EXPECT_EQ(p.Frame(), 1);
    p.FramePrev();
    EXPECT_EQ(p.Frame(), 3);
    p.FrameNext();

    // On a 100 ms tick: frame 1 shows 10/100 s, frame 2 20/100 s.
    std::vector<int> frames;
    for (int i = 0; i < 6; ++i) {
        p.Step();
        frames.push_back(p.Frame());
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 1, 2, 2, 3, 3}));

    THTMLPicture single;
    single.LoadFromData(MakeGif(2, 2, {{0, 0, 2, 2, 1, 10}}));
    EXPECT_FALSE(single.Step());
    EXPECT_EQ(single.Frame(), 1);
}

TEST(Pictures, OnlyLocalFileAddressesLoad)
{
    // A folder and file with capitals: the address keeps its case.
    const std::filesystem::path dir = TestOutputPath("PicFolder");
    std::filesystem::create_directories(dir);
    TBitmap src;
    src.SetSize(7, 5);
    const std::string path = (dir / "Logo.PNG").string();
    WriteFileBytes(path, EncodeBitmap(&src, "PNG"));
    // A script that would leave a mark if anything ran it.
    const std::string script = (dir / "run.sh").string();
    const std::string mark = (dir / "ran").string();
    std::ofstream(script) << "#!/bin/sh\ntouch " << mark << "\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);

    struct Case {
        std::string address;
        bool loads;
    };
    const Case cases[] = {
        {"file://" + path, true},
        {"FILE://" + path, true},
        {"file://" + (dir / "logo.png").string(), false}, // another name on this system
        {"http://example.invalid/logo.png", false},
        {"https://example.invalid/logo.png", false},
        {"ftp://example.invalid/logo.png", false},
        {"res://logo", false},
        {"file://" + script, false},
        {"file://", false},
        {"file:///dev/zero", false}, // endless: never read
        {"file://" + dir.string(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        THTMLPicture p;
        AnsiString error;
        p.OnDownLoadError = [&](TObject*, const AnsiString& e) { error = e; };
        p.LoadFromURL(c.address);
        EXPECT_EQ(!p.Empty(), c.loads);
        EXPECT_EQ(p.ID(), c.address);
        if (c.address.rfind("file://", 0) != 0 && c.address.rfind("FILE://", 0) != 0) {
            EXPECT_FALSE(error.empty());
        }
    }
    EXPECT_FALSE(std::filesystem::exists(mark));

    // Markup goes through the cache the same way.
    THTMLPictureCache cache;
    TBitmap bmp;
    bmp.SetSize(100, 40);
    AnsiString anchor, stripped, focus, id, value, type;
    int w = 0, h = 0, n = 0, num = -1;
    TRect ar, cr;
    for (const std::string& src : {"file://" + path, std::string("http://example.invalid/a.png"), "file://" + script}) {
        HTMLDrawEx(bmp.Canvas(), "<IMG SRC=\"" + src + "\">", TRect(0, 0, 100, 40), nullptr, -1, -1, -1, -1, 1, false,
                   false, false, false, true, false, true, false, 1.0, clBlue, clNone, clNone, clGray, anchor, stripped,
                   focus, w, h, n, num, ar, cr, id, value, type, &cache, nullptr, nullptr);
    }
    ASSERT_EQ(cache.Count(), 3);
    EXPECT_EQ(cache.FindPicture("file://" + path)->Width(), 7);
    EXPECT_EQ(cache.FindPicture("FILE://" + path), nullptr); // found by the exact address
    EXPECT_TRUE(cache.FindPicture("http://example.invalid/a.png")->Empty());
    EXPECT_FALSE(std::filesystem::exists(mark));
    std::filesystem::remove_all(dir);
}

TEST(Pictures, ContainerFindsUpperCasedNames)
{
    TPictureContainer c;
    TPictureItem* i = c.Items()->Add();
    i->Name = "logo";
    i->Tag = 7;
    TBitmap src;
    src.SetSize(4, 3);
    i->Picture()->LoadFromData(EncodeBitmap(&src, "PNG"));
    EXPECT_EQ(c.FindPicture("LOGO"), i->Picture());
    EXPECT_EQ(c.FindPicture("logo"), nullptr);

    TPictureContainer copy;
    copy.SetItems(*c.Items());
    ASSERT_EQ(copy.Items()->Count(), 1);
    EXPECT_EQ(copy.Items()->Items(0)->Tag, 7);
    EXPECT_NE(copy.FindPicture("LOGO"), i->Picture());
    EXPECT_EQ(copy.FindPicture("LOGO")->Width(), 4);
}

TEST(Pictures, ImageControlPlacesThePicture)
{
    TBitmap src;
    src.SetSize(40, 20);
    src.Canvas()->Brush()->SetColor(clNavy);
    src.Canvas()->FillRect(TRect(0, 0, 40, 20));
    struct Case {
        TPicturePosition pos;
        TPoint origin;
    };
    const Case cases[] = {{bpTopLeft, {0, 0}},     {bpTopRight, {60, 0}},     {bpBottomLeft, {0, 80}},
                          {bpBottomRight, {60, 80}}, {bpCenter, {30, 40}}};
    TForm form(nullptr);
    form.SetBounds(0, 0, 120, 120);
    auto* img = new THTMLImage(&form);
    img->SetParent(&form);
    img->HTMLPicture()->LoadFromData(EncodeBitmap(&src, "PNG"));
    for (const Case& c : cases) {
        img->SetPicturePosition(c.pos);
        EXPECT_EQ(img->PictureOrigin(), c.origin);
        TBitmap shot;
        RenderControl(img, &shot);
        EXPECT_EQ(shot.Canvas()->Pixels(c.origin.x + 1, c.origin.y + 1), clNavy);
    }
    img->SetPicturePosition(bpTiled);
    TBitmap shot;
    RenderControl(img, &shot);
    EXPECT_EQ(shot.Canvas()->Pixels(85, 65), clNavy); // the third tile across, fourth down
}
