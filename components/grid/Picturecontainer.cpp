#include "components/grid/Picturecontainer.h"

#include <filesystem>

#include "platform/core/Exceptions.h"
#include "platform/core/StringUtils.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/ImageFile.h"

namespace {

int Word16(const std::vector<Byte>& d, size_t p) { return p + 1 < d.size() ? d[p] | (d[p + 1] << 8) : 0; }

// A frame starts with a 4-byte graphic control extension directly followed by an image descriptor.
bool FrameAt(const std::vector<Byte>& d, size_t p)
{
    return d[p] == 0x21 && p + 8 < d.size() && d[p + 1] == 0xF9 && d[p + 2] == 0x04 && d[p + 8] == 0x2C;
}

} // namespace

// ---- THTMLPicture ----

THTMLPicture::THTMLPicture() : FImage(std::make_unique<TImageFile>()) {}
THTMLPicture::~THTMLPicture() = default;

bool THTMLPicture::Empty() const { return FEmpty || FImage->Empty(); }
int THTMLPicture::Width() const { return FImage->Width(); }
int THTMLPicture::Height() const { return FImage->Height(); }

bool THTMLPicture::IsGIFFile() const
{
    return FData.size() > 4 && FData[0] == 'G' && FData[1] == 'I' && FData[2] == 'F' && FData[3] == '8';
}

int THTMLPicture::GetFrameCount()
{
    if (FFrameCount >= 0 || !IsGIFFile())
        return FFrameCount;
    int n = 0;
    for (size_t p = 0; p < FData.size(); ++p)
        if (FrameAt(FData, p))
            ++n;
    FFrameCount = n;
    return n;
}

int THTMLPicture::GetFrameTime(int Frame) const
{
    if (!IsGIFFile())
        return -1;
    int n = 0;
    for (size_t p = 0; p < FData.size(); ++p)
        if (FrameAt(FData, p) && ++n == Frame)
            return Word16(FData, p + 4);
    return -1;
}

std::vector<Byte> THTMLPicture::FrameData()
{
    if (!IsGIFFile() || GetFrameCount() < 1)
        return FData;
    std::vector<Byte> out;
    out.reserve(FData.size());
    bool copying = true;
    int n = 0;
    for (size_t p = 0; p < FData.size(); ++p) {
        if (FrameAt(FData, p)) {
            ++n;
            copying = n >= FFrame;
            if (n == FFrame) {
                FFrameXPos = Word16(FData, p + 9);
                FFrameYPos = Word16(FData, p + 11);
                FFrameWidth = Word16(FData, p + 13);
                FFrameHeight = Word16(FData, p + 15);
            }
        }
        if (copying)
            out.push_back(FData[p]);
    }
    return out;
}

void THTMLPicture::Decode()
{
    try {
        FImage->LoadFromData(FrameData());
    } catch (const EInvalidGraphic&) {
        throw Exception("Could not load image. Invalid format");
    }
}

void THTMLPicture::ResetFrames()
{
    FFrame = 1;
    FFrameCount = -1;
    FNextFrameTime = -1;
    FTicks = -1;
    FFrameXPos = FFrameYPos = FFrameWidth = FFrameHeight = 0;
}

void THTMLPicture::LoadFromData(const std::vector<Byte>& Data)
{
    ResetFrames();
    FData = Data;
    FEmpty = false;
    try {
        Decode();
    } catch (...) {
        FEmpty = true;
        FImage->Assign(nullptr);
        throw;
    }
    Changed();
}

void THTMLPicture::LoadFromFile(const AnsiString& FileName)
{
    try {
        LoadFromData(ReadFileBytes(FileName));
    } catch (const Exception&) {
        FData.clear();
        FEmpty = true;
        FImage->Assign(nullptr);
    }
}

void THTMLPicture::LoadFromURL(const AnsiString& Address)
{
    static const AnsiString scheme = "FILE://";
    if (Address.size() >= scheme.size() && UpperCase(Address.substr(0, scheme.size())) == scheme) {
        FID = Address;
        const AnsiString path = Address.substr(scheme.size());
        // Only a plain file: a device or pipe named in a text would never end.
        std::error_code ec;
        if (!path.empty() && std::filesystem::is_regular_file(path, ec))
            LoadFromFile(path);
        return;
    }
    FID = Address;
    if (OnDownLoadError)
        OnDownLoadError(this, "Only local files are loaded: " + Address);
}

void THTMLPicture::Assign(TPersistent* Source)
{
    if (Source == this)
        return;
    if (!Source) {
        ResetFrames();
        FData.clear();
        FEmpty = true;
        FImage->Assign(nullptr);
        Changed();
        return;
    }
    if (auto* p = dynamic_cast<THTMLPicture*>(Source)) {
        Stretch = p->Stretch;
        FID = p->FID;
        if (p->FEmpty)
            Assign(nullptr);
        else
            LoadFromData(p->FData);
        return;
    }
    TGraphic::Assign(Source);
}

void THTMLPicture::DrawOn(TCanvas* ACanvas, const TRect& R)
{
    if (Empty() || !ACanvas)
        return;
    if (Stretch)
        FImage->DrawOn(ACanvas, R);
    else
        FImage->DrawOn(ACanvas, TRect(R.Left, R.Top, R.Left + Width(), R.Top + Height()));
}

int THTMLPicture::GetMaxWidth() const
{
    const int w = IsGIFFile() ? Word16(FData, 6) : 0;
    return w > 0 ? w : Width();
}

int THTMLPicture::GetMaxHeight() const
{
    const int h = IsGIFFile() ? Word16(FData, 8) : 0;
    return h > 0 ? h : Height();
}

void THTMLPicture::SetFrame(int Frame)
{
    FFrame = Frame;
    if (FData.empty())
        return;
    Decode();
    FireEvent(OnFrameChange, this);
}

void THTMLPicture::FrameNext()
{
    SetFrame(FFrame < GetFrameCount() ? FFrame + 1 : 1);
}

void THTMLPicture::FramePrev()
{
    SetFrame(FFrame > 1 ? FFrame - 1 : GetFrameCount());
}

bool THTMLPicture::Step()
{
    if (Empty() || GetFrameCount() < 2)
        return false;
    bool stepped = false;
    if (FNextFrameTime < 0)
        FNextFrameTime = GetFrameTime(FFrame);
    else if (FTicks * 10 >= FNextFrameTime) {
        FrameNext();
        FNextFrameTime += GetFrameTime(FFrame);
        stepped = true;
    }
    ++FTicks;
    return stepped;
}

// ---- THTMLPictureCache ----

THTMLPictureCache::THTMLPictureCache() = default;
THTMLPictureCache::~THTMLPictureCache() = default;

THTMLPicture* THTMLPictureCache::AddPicture()
{
    FItems.push_back(std::make_unique<THTMLPicture>());
    return FItems.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const AnsiString& Address) const
{
    for (const auto& p : FItems)
        if (p->ID() == Address)
            return p.get();
    return nullptr;
}

bool THTMLPictureCache::Animate()
{
    bool any = false;
    for (const auto& p : FItems)
        any = p->Step() || any;
    return any;
}

// ---- the container ----

TPictureItem::TPictureItem() : FPicture(std::make_unique<THTMLPicture>()) {}
TPictureItem::~TPictureItem() = default;

TPictureItem* TPictureCollection::Add()
{
    FItems.push_back(std::make_unique<TPictureItem>());
    return FItems.back().get();
}

TPictureItem* TPictureCollection::Insert(int) { return Add(); }

void TPictureCollection::Assign(const TPictureCollection& Source)
{
    if (&Source == this)
        return;
    FItems.clear();
    for (const auto& s : Source.FItems) {
        TPictureItem* i = Add();
        i->Name = s->Name;
        i->Tag = s->Tag;
        i->SetPicture(s->Picture());
    }
}

bool TPictureCollection::Animate()
{
    bool any = false;
    for (const auto& i : FItems)
        any = i->Picture()->Step() || any;
    return any;
}

TPictureContainer::TPictureContainer(TComponent* AOwner) : TComponent(AOwner) {}
TPictureContainer::~TPictureContainer() = default;

THTMLPicture* TPictureContainer::FindPicture(const AnsiString& Name) const
{
    for (int i = 0; i < FItems.Count(); ++i)
        if (UpperCase(FItems.Items(i)->Name) == Name)
            return FItems.Items(i)->Picture();
    return nullptr;
}

// ---- THTMLImage ----

THTMLImage::THTMLImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<THTMLPicture>())
{
    FPicture->OnChange = [this](TObject*) { Invalidate(); };
    SetBounds(0, 0, 100, 100);
}

THTMLImage::~THTMLImage() { FPicture->OnChange = nullptr; }

void THTMLImage::SetPicturePosition(TPicturePosition Value)
{
    if (Value == FPicturePosition)
        return;
    FPicturePosition = Value;
    Invalidate();
}

TPoint THTMLImage::PictureOrigin() const
{
    const int dx = std::max(0, Width() - FPicture->Width()), dy = std::max(0, Height() - FPicture->Height());
    switch (FPicturePosition) {
    case bpTopRight:
        return TPoint(dx, 0);
    case bpBottomLeft:
        return TPoint(0, dy);
    case bpBottomRight:
        return TPoint(dx, dy);
    case bpCenter:
        return TPoint(dx / 2, dy / 2);
    default:
        return TPoint(0, 0);
    }
}

void THTMLImage::Paint()
{
    TGraphicControl::Paint();
    if (FPicture->Empty())
        return;
    TCanvas* cv = Canvas();
    const int pw = FPicture->Width(), ph = FPicture->Height();
    if (FPicturePosition == bpStretched) {
        const bool stretch = FPicture->Stretch;
        FPicture->Stretch = true;
        FPicture->DrawOn(cv, TRect(0, 0, Width(), Height()));
        FPicture->Stretch = stretch;
    } else if (FPicturePosition == bpTiled && pw > 0 && ph > 0) {
        for (int y = 0; y < Height(); y += ph)
            for (int x = 0; x < Width(); x += pw)
                FPicture->DrawOn(cv, TRect(x, y, x + pw, y + ph));
    } else {
        const TPoint o = PictureOrigin();
        FPicture->DrawOn(cv, TRect(o.x, o.y, o.x + pw, o.y + ph));
    }
}
