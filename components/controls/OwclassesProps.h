#pragma once
// More property objects of the owner-drawn controls (two-colour palette, range with a
// position, 3D text, glyph strip, rectangle), a growable integer list, a minimal owned
// collection and the bitmap list with its stream format.
#include <memory>
#include <vector>

#include "components/controls/Owclasses.h"
#include "platform/graphics/Bitmap.h"

class TStream;

class TOwPalette : public TOwPersistent {
public:
    TColor Low() const { return FLow; }
    void SetLow(TColor v) { Set(FLow, v); }
    TColor High() const { return FHigh; }
    void SetHigh(TColor v) { Set(FHigh, v); }
    void Assign(TPersistent* Source) override;
    // Low for an index of 0 or less, High otherwise.
    virtual TColor GetColors(int Index) const { return Index <= 0 ? FLow : FHigh; }
    // Recolours a two-colour picture: DarkColor pixels become Low, LightColor pixels High
    // (judged on the picture as it was, so no pixel is recoloured twice).
    void ToBMP(TBitmap* Bitmap, TColor DarkColor, TColor LightColor) const;

private:
    TColor FLow = clGreen;
    TColor FHigh = clLime;
};

class TOwMinMax : public TOwPersistent {
public:
    int MinValue() const { return FMinValue; }
    void SetMinValue(int v);
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int v);
    int Position() const { return FPosition; }
    void SetPosition(int v);
    // Takes the source's three values as they are (one change).
    void Assign(TPersistent* Source) override;

private:
    int FMinValue = 0;
    int FMaxValue = 100;
    int FPosition = 0;
};

enum TOwFont3DStyle { f3dNone, f3dRaised, f3dSunken, f3dShadow };

class TOwFont3D : public TOwPersistent {
public:
    TOwFont3DStyle Style() const { return FStyle; }
    void SetStyle(TOwFont3DStyle v) { Set(FStyle, v); }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor v) { Set(FHighlightColor, v); }
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v) { Set(FShadowColor, v); }
    int HighlightDepth() const { return FHighlightDepth; }
    void SetHighlightDepth(int v) { Set(FHighlightDepth, v); }
    int ShadowDepth() const { return FShadowDepth; }
    void SetShadowDepth(int v) { Set(FShadowDepth, v); }
    void Assign(TPersistent* Source) override;
    // Text in the canvas font with the raised, sunken or shadow copies behind it.
    void Paint(TCanvas* Canvas, const TRect& Rect, const AnsiString& Text, unsigned Format) const;

private:
    TOwFont3DStyle FStyle = f3dNone;
    TColor FHighlightColor = clBtnHighlight;
    TColor FShadowColor = clBtnShadow;
    int FHighlightDepth = 1;
    int FShadowDepth = 1;
};

class TOwGlyphs : public TOwPersistent {
public:
    TOwGlyphs();
    ~TOwGlyphs() override;
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(TBitmap* v);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int v);
    void Assign(TPersistent* Source) override;

private:
    std::unique_ptr<TBitmap> FBitmap;
    int FNumGlyphs = 2;
};

class TOwRect : public TOwPersistent {
public:
    int Left() const { return FLeft; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    int Top() const { return FTop; }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    int Width() const { return FWidth; }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    int Height() const { return FHeight; }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return TRect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top); }
    void Assign(TPersistent* Source) override;

private:
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
};

class TOwIntList : public TObject {
public:
    ~TOwIntList() override { Clear(); }
    int Add(int Value);
    void Delete(int Index);
    int Items(int Index) const { return FItems[static_cast<size_t>(Index)]; }
    int Count() const { return FCount; }
    void SetCount(int v);
    int Capacity() const { return static_cast<int>(FItems.size()); }
    void SetCapacity(int v);
    void Clear();

private:
    void Grow();
    std::vector<int> FItems; // Capacity items
    int FCount = 0;
};

class TOwCollection;

class TOwCollectionItem : public TObject {
public:
    explicit TOwCollectionItem(TOwCollection* Collection);
    ~TOwCollectionItem() override;
    TOwCollection* Collection() const { return FCollection; }
    void SetCollection(TOwCollection* Value);
    int Index() const { return FIndex; }

protected:
    void Changed(bool AllItems);

private:
    friend class TOwCollection;
    TOwCollection* FCollection = nullptr;
    int FIndex = 0;
};

class TOwCollection : public TObject {
public:
    TOwCollection() = default;
    ~TOwCollection() override;
    int Count() const { return static_cast<int>(FItems.size()); }
    TOwCollectionItem* Items(int Index) const;
    virtual void Update(TOwCollectionItem*) {}
    virtual void BeginUpdate() { ++FUpdateCount; }
    virtual void EndUpdate();
    void Clear();
    int UpdateCount() const { return FUpdateCount; }

protected:
    void Changed();

private:
    friend class TOwCollectionItem;
    void InsertItem(TOwCollectionItem* Item);
    void RemoveItem(TOwCollectionItem* Item);
    std::vector<TOwCollectionItem*> FItems; // owned
    int FUpdateCount = 0;
};

// Reads exactly one BMP file image from Stream into Bitmap (EInvalidGraphic when it is none).
void ReadBitmapRecord(TStream* Stream, TBitmap* Bitmap);

// An ordered list of its own copies of bitmaps, with a stream format: "bT5\0", the
// count, then one BMP file per bitmap.
class TOwBitmaps : public TOwPersistent {
public:
    TOwBitmaps();
    ~TOwBitmaps() override;
    int Count() const { return static_cast<int>(FBitmaps.size()); }
    TBitmap* Bitmaps(int Index) const;
    void SetBitmap(int Index, TBitmap* Bitmap);
    int Add(TBitmap* Bitmap);
    void Insert(int Index, TBitmap* Bitmap);
    void Delete(int Index);
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    int IndexOf(const TBitmap* Bitmap) const;
    void Clear();
    void Assign(TPersistent* Source) override;
    // Appends the bitmaps of a stream; "Invalid file format" when it is none.
    virtual void LoadFromStream(TStream* Stream);
    virtual void SaveToStream(TStream* Stream);
    virtual void LoadFromFile(const AnsiString& FileName);
    virtual void SaveToFile(const AnsiString& FileName);
    // The form property "Bitmaps": written only with bitmaps; reading replaces the list.
    bool HasBitmaps() const { return Count() > 0; }
    void ReadData(TStream* Stream);
    void WriteData(TStream* Stream);

private:
    void CheckIndex(int Index) const;
    std::vector<std::unique_ptr<TBitmap>> FBitmaps;
};
