#include "components/grid/Ravobj.h"

#include "platform/core/Strings.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Picture.h"

namespace {
constexpr unsigned kDescending = 0x80000000u;
}

int TIntList::GetInteger(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FItems[size_t(Index)];
}

void TIntList::SetInteger(int Index, int Value)
{
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    FItems[size_t(Index)] = Value;
    Changed();
}

int TIntList::Add(int Value)
{
    FItems.push_back(Value);
    Changed();
    return Count() - 1;
}

void TIntList::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TIntList::Clear()
{
    if (FItems.empty())
        return;
    FItems.clear();
    Changed();
}

int TIntList::IndexOf(int Value) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[size_t(i)] == Value)
            return i;
    return -1;
}

AnsiString TIntList::GetStrValue() const
{
    AnsiString s;
    for (size_t i = 0; i < FItems.size(); ++i) {
        if (i)
            s += ',';
        s += std::to_string(FItems[i]);
    }
    return s;
}

void TIntList::SetStrValue(const AnsiString& Value)
{
    TStringList parts;
    parts.SetCommaText(Value);
    FItems.clear();
    for (int i = 0; i < parts.Count(); ++i) {
        const AnsiString p = parts[i];
        size_t used = 0;
        int v = 0;
        try {
            v = std::stoi(p, &used, 10);
        } catch (...) {
            used = 0;
        }
        if (p.empty() || used != p.size())
            throw EConvertError("'" + p + "' is not a valid integer value");
        Add(v);
    }
}

void TSortIndexList::AddIndex(int ACol, bool Ascending)
{
    Add(Ascending ? ACol : int(unsigned(ACol) | kDescending));
}

int TSortIndexList::FindIndex(int ACol) const
{
    for (int i = 0; i < Count(); ++i)
        if (int(unsigned(FItems[size_t(i)]) & ~kDescending) == ACol)
            return i;
    return -1;
}

void TSortIndexList::ToggleIndex(int ACol)
{
    const int i = FindIndex(ACol);
    if (i >= 0)
        SetInteger(i, int(unsigned(FItems[size_t(i)]) ^ kDescending));
}

void TFilePicture::SetFilename(const AnsiString& Value)
{
    FFilename = Value;
    TPicture pic;
    pic.LoadFromFile(Value);
    FWidth = pic.Width();
    FHeight = pic.Height();
}

void TFilePicture::DrawPicture(TCanvas* Canvas, const TRect& R)
{
    if (FFilename.empty())
        return;
    TPicture pic;
    pic.LoadFromFile(FFilename);
    if (pic.Graphic())
        Canvas->StretchDraw(R, pic.Graphic());
}

void TFilePicture::Assign(TPersistent* Source)
{
    if (auto* s = dynamic_cast<TFilePicture*>(Source)) {
        FFilename = s->FFilename;
        FWidth = s->FWidth;
        FHeight = s->FHeight;
        return;
    }
    TPersistent::Assign(Source);
}
