#include "components/controls/OwclassesProps.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/core/Exceptions.h"
#include "platform/core/List.h"
#include "platform/core/Streams.h"
#include "platform/graphics/Canvas.h"

// ---------------------------------------------------------------- palette

void TOwPalette::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TOwPalette*>(Source);
    if (!s)
        return TOwPersistent::Assign(Source);
    BeginUpdate();
    SetLow(s->FLow);
    SetHigh(s->FHigh);
    EndUpdate();
}

void TOwPalette::ToBMP(TBitmap* Bitmap, TColor DarkColor, TColor LightColor) const
{
    TCanvas* c = Bitmap->Canvas();
    const TColor dark = ColorToRGB(DarkColor), light = ColorToRGB(LightColor);
    const TColor low = ColorToRGB(FLow), high = ColorToRGB(FHigh);
    for (int y = 0; y < Bitmap->Height(); ++y)
        for (int x = 0; x < Bitmap->Width(); ++x) {
            // Judged on the pixel as it was, so the second colour never catches the first's result.
            const TColor p = c->Pixels(x, y);
            if (p == dark)
                c->SetPixels(x, y, low);
            else if (p == light)
                c->SetPixels(x, y, high);
        }
}

// ---------------------------------------------------------------- range with position

void TOwMinMax::SetMinValue(int v)
{
    if (v == FMinValue || v >= FMaxValue)
        return;
    FMinValue = v;
    if (FPosition < v)
        SetPosition(v);
    else
        Changed();
}

void TOwMinMax::SetMaxValue(int v)
{
    if (v == FMaxValue || v <= FMinValue)
        return;
    FMaxValue = v;
    if (FPosition > v)
        SetPosition(v);
    else
        Changed();
}

void TOwMinMax::SetPosition(int v)
{
    v = std::clamp(v, FMinValue, FMaxValue);
    Set(FPosition, v);
}

void TOwMinMax::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TOwMinMax*>(Source);
    if (!s)
        return TOwPersistent::Assign(Source);
    // Set one by one, a source range beside the current one would be refused in part.
    if (s->FMinValue == FMinValue && s->FMaxValue == FMaxValue && s->FPosition == FPosition)
        return;
    FMinValue = s->FMinValue;
    FMaxValue = s->FMaxValue;
    FPosition = s->FPosition;
    Changed();
}

// ---------------------------------------------------------------- 3D text

void TOwFont3D::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TOwFont3D*>(Source);
    if (!s)
        return TOwPersistent::Assign(Source);
    BeginUpdate();
    SetStyle(s->FStyle);
    SetHighlightColor(s->FHighlightColor);
    SetShadowColor(s->FShadowColor);
    SetHighlightDepth(s->FHighlightDepth);
    SetShadowDepth(s->FShadowDepth);
    EndUpdate();
}

void TOwFont3D::Paint(TCanvas* Canvas, const TRect& Rect, const AnsiString& Text, unsigned Format) const
{
    Canvas->Brush()->SetStyle(bsClear);
    const TColor own = Canvas->Font()->Color();
    auto copy = [&](TColor color, int d) {
        Canvas->Font()->SetColor(color);
        TRect r(Rect.Left + d, Rect.Top + d, Rect.Right + d, Rect.Bottom + d);
        Canvas->DrawText(Text, r, Format);
    };
    switch (FStyle) {
    case f3dRaised:
        copy(FShadowColor, FShadowDepth);
        copy(FHighlightColor, -FHighlightDepth);
        break;
    case f3dSunken:
        copy(FHighlightColor, FHighlightDepth);
        copy(FShadowColor, -FShadowDepth);
        break;
    case f3dShadow:
        copy(FShadowColor, FShadowDepth);
        break;
    case f3dNone:
        break;
    }
    Canvas->Font()->SetColor(own);
    TRect r = Rect;
    Canvas->DrawText(Text, r, Format);
}

// ---------------------------------------------------------------- glyph strip

TOwGlyphs::TOwGlyphs() : FBitmap(std::make_unique<TBitmap>()) {}

TOwGlyphs::~TOwGlyphs() = default;

void TOwGlyphs::SetBitmap(TBitmap* v)
{
    FBitmap->Assign(v);
    Changed();
}

void TOwGlyphs::SetNumGlyphs(int v) { Set(FNumGlyphs, std::clamp(v, 1, 4)); }

void TOwGlyphs::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TOwGlyphs*>(Source);
    if (!s)
        return TOwPersistent::Assign(Source);
    BeginUpdate();
    SetBitmap(s->FBitmap.get());
    SetNumGlyphs(s->FNumGlyphs);
    EndUpdate();
}

// ---------------------------------------------------------------- rectangle

void TOwRect::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    Changed();
}

void TOwRect::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TOwRect*>(Source);
    if (!s)
        return TOwPersistent::Assign(Source);
    BeginUpdate();
    SetLeft(s->FLeft);
    SetTop(s->FTop);
    SetWidth(s->FWidth);
    SetHeight(s->FHeight);
    EndUpdate();
}

// ---------------------------------------------------------------- integer list

namespace {
constexpr int kMaxIntListSize = 134217727;
}

int TOwIntList::Add(int Value)
{
    if (FCount == Capacity())
        Grow();
    FItems[static_cast<size_t>(FCount)] = Value;
    return FCount++;
}

void TOwIntList::Delete(int Index)
{
    if (Index < 0 || Index >= FCount)
        throw Exception("TOwIntList index out of bounds");
    --FCount;
    std::copy(FItems.begin() + Index + 1, FItems.begin() + FCount + 1, FItems.begin() + Index);
}

void TOwIntList::SetCount(int v)
{
    if (v < 0 || v > kMaxIntListSize)
        throw Exception("TOwIntList Count overrun");
    if (v > Capacity())
        SetCapacity(v);
    if (v > FCount)
        std::fill(FItems.begin() + FCount, FItems.begin() + v, 0);
    FCount = v;
}

void TOwIntList::SetCapacity(int v)
{
    if (v < FCount || v > kMaxIntListSize)
        throw Exception("TOwIntList Capacity overrun");
    if (v != Capacity()) {
        FItems.resize(static_cast<size_t>(v));
        FItems.shrink_to_fit();
    }
}

void TOwIntList::Grow()
{
    const int c = Capacity();
    SetCapacity(c + (c > 64 ? c / 4 : c > 8 ? 16 : 4));
}

void TOwIntList::Clear()
{
    FCount = 0;
    SetCapacity(0);
}

// ---------------------------------------------------------------- collection

TOwCollectionItem::TOwCollectionItem(TOwCollection* Collection) { SetCollection(Collection); }

TOwCollectionItem::~TOwCollectionItem() { SetCollection(nullptr); }

void TOwCollectionItem::SetCollection(TOwCollection* Value)
{
    if (Value == FCollection)
        return;
    if (FCollection)
        FCollection->RemoveItem(this);
    if (Value)
        Value->InsertItem(this);
}

void TOwCollectionItem::Changed(bool AllItems)
{
    if (FCollection && FCollection->FUpdateCount == 0)
        FCollection->Update(AllItems ? nullptr : this);
}

TOwCollection::~TOwCollection()
{
    FUpdateCount = 1; // no updates while dying
    Clear();
}

TOwCollectionItem* TOwCollection::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        ListIndexError(Index);
    return FItems[static_cast<size_t>(Index)];
}

void TOwCollection::EndUpdate()
{
    --FUpdateCount;
    Changed();
}

void TOwCollection::Changed()
{
    if (FUpdateCount == 0)
        Update(nullptr);
}

void TOwCollection::Clear()
{
    if (FItems.empty())
        return;
    BeginUpdate();
    try {
        while (!FItems.empty())
            delete FItems.back(); // its destructor takes it out
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TOwCollection::InsertItem(TOwCollectionItem* Item)
{
    FItems.push_back(Item);
    Item->FIndex = Count() - 1;
    Item->FCollection = this;
}

void TOwCollection::RemoveItem(TOwCollectionItem* Item)
{
    FItems.erase(std::remove(FItems.begin(), FItems.end(), Item), FItems.end());
    Item->FCollection = nullptr;
}

// ---------------------------------------------------------------- bitmap list

namespace {
constexpr char kMagic[4] = {'b', 'T', '5', '\0'};
constexpr int kBmpFileHeader = 14, kBmpInfoHeader = 40;

[[noreturn]] void InvalidFormat() { throw Exception("Invalid file format"); }
} // namespace

void ReadBitmapRecord(TStream* Stream, TBitmap* Bitmap)
{
    // One BMP file: its file header's size field says how many bytes it takes.
    std::vector<Byte> record(kBmpFileHeader);
    Stream->ReadBuffer(record.data(), kBmpFileHeader);
    std::uint32_t size = 0;
    std::memcpy(&size, record.data() + 2, 4);
    if (record[0] != 'B' || record[1] != 'M' || size < kBmpFileHeader + kBmpInfoHeader
        || size > static_cast<std::uint64_t>(Stream->Size() - Stream->Position()) + kBmpFileHeader)
        throw EInvalidGraphic("Bitmap image is not valid");
    record.resize(size);
    Stream->ReadBuffer(record.data() + kBmpFileHeader, static_cast<int>(size) - kBmpFileHeader);
    Bitmap->LoadFromData(record);
}

TOwBitmaps::TOwBitmaps() = default;

TOwBitmaps::~TOwBitmaps()
{
    OnChange = nullptr;
    FBitmaps.clear();
}

void TOwBitmaps::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        ListIndexError(Index);
}

TBitmap* TOwBitmaps::Bitmaps(int Index) const
{
    CheckIndex(Index);
    return FBitmaps[static_cast<size_t>(Index)].get();
}

void TOwBitmaps::SetBitmap(int Index, TBitmap* Bitmap)
{
    CheckIndex(Index);
    FBitmaps[static_cast<size_t>(Index)]->Assign(Bitmap);
    Changed();
}

int TOwBitmaps::Add(TBitmap* Bitmap)
{
    auto b = std::make_unique<TBitmap>();
    b->Assign(Bitmap);
    FBitmaps.push_back(std::move(b));
    Changed();
    return Count() - 1;
}

void TOwBitmaps::Insert(int Index, TBitmap* Bitmap)
{
    if (Index < 0 || Index > Count())
        ListIndexError(Index);
    auto b = std::make_unique<TBitmap>();
    b->Assign(Bitmap);
    FBitmaps.insert(FBitmaps.begin() + Index, std::move(b));
    Changed();
}

void TOwBitmaps::Delete(int Index)
{
    CheckIndex(Index);
    FBitmaps.erase(FBitmaps.begin() + Index);
    Changed();
}

void TOwBitmaps::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FBitmaps[static_cast<size_t>(Index1)], FBitmaps[static_cast<size_t>(Index2)]);
    Changed();
}

void TOwBitmaps::Move(int CurIndex, int NewIndex)
{
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    auto b = std::move(FBitmaps[static_cast<size_t>(CurIndex)]);
    FBitmaps.erase(FBitmaps.begin() + CurIndex);
    FBitmaps.insert(FBitmaps.begin() + NewIndex, std::move(b));
    Changed();
}

int TOwBitmaps::IndexOf(const TBitmap* Bitmap) const
{
    for (int i = 0; i < Count(); ++i)
        if (FBitmaps[static_cast<size_t>(i)].get() == Bitmap)
            return i;
    return -1;
}

void TOwBitmaps::Clear()
{
    BeginUpdate();
    FBitmaps.clear();
    EndUpdate();
    Changed();
}

void TOwBitmaps::Assign(TPersistent* Source)
{
    if (!Source) {
        Clear();
        return;
    }
    auto* s = dynamic_cast<TOwBitmaps*>(Source);
    if (!s)
        return; // another class: ignored
    BeginUpdate();
    Clear();
    for (const auto& b : s->FBitmaps)
        Add(b.get());
    EndUpdate();
}

void TOwBitmaps::LoadFromStream(TStream* Stream)
{
    // The header must be there in full, and the count must fit in what follows.
    const Int64 left = Stream->Size() - Stream->Position();
    if (left < 8)
        InvalidFormat();
    char magic[4];
    std::int32_t n = 0;
    Stream->ReadBuffer(magic, 4);
    if (std::memcmp(magic, kMagic, 4) != 0)
        InvalidFormat();
    Stream->ReadBuffer(&n, 4);
    if (n <= 0)
        return;
    if (static_cast<Int64>(n) * (kBmpFileHeader + kBmpInfoHeader) > left - 8)
        InvalidFormat();
    for (int i = 0; i < n; ++i) {
        TBitmap scratch;
        ReadBitmapRecord(Stream, &scratch);
        Add(&scratch);
    }
}

void TOwBitmaps::SaveToStream(TStream* Stream)
{
    Stream->WriteBuffer(kMagic, 4);
    const std::int32_t n = Count();
    Stream->WriteBuffer(&n, 4);
    for (const auto& b : FBitmaps)
        b->SaveToStream(Stream);
}

void TOwBitmaps::LoadFromFile(const AnsiString& FileName)
{
    TFileStream f(FileName, fmOpenRead);
    BeginUpdate();
    try {
        LoadFromStream(&f);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TOwBitmaps::SaveToFile(const AnsiString& FileName)
{
    TFileStream f(FileName, fmCreate);
    SaveToStream(&f);
}

void TOwBitmaps::ReadData(TStream* Stream)
{
    BeginUpdate();
    try {
        Clear();
        LoadFromStream(Stream);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TOwBitmaps::WriteData(TStream* Stream)
{
    BeginUpdate();
    SaveToStream(Stream);
    EndUpdate();
}
