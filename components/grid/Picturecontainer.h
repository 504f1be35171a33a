#pragma once
// Pictures that markup shows: THTMLPicture keeps a picture file's bytes and decodes
// them through the platform (BMP, PNG, GIF with its frames, JPEG, ICO; metafiles are
// not decoded); THTMLPictureCache holds the pictures markup loaded by address;
// TPictureContainer the pictures it names; THTMLImage shows one picture.
#include <functional>
#include <memory>
#include <vector>

#include "platform/forms/Controls.h"
#include "platform/graphics/Graphic.h"

class TImageFile;

using TDownloadErrorEvent = std::function<void(TObject* Sender, const AnsiString& Err)>;

class THTMLPicture : public TGraphic {
public:
    THTMLPicture();
    ~THTMLPicture() override;

    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    // The size is the picture's own.
    void SetWidth(int) override {}
    void SetHeight(int) override {}

    // Any failure leaves an empty picture and raises nothing.
    void LoadFromFile(const AnsiString& FileName) override;
    // Keeps the bytes and decodes them; raises Exception "Could not load image. Invalid
    // format" for bytes of no picture format.
    void LoadFromData(const std::vector<Byte>& Data) override;
    std::vector<Byte> SaveToData() const override { return FData; }
    // Loads only local "file://" addresses, from exactly that file. Any other address
    // (remote, a resource) leaves the picture empty and reports OnDownLoadError: a
    // text must never make the program fetch or run anything.
    void LoadFromURL(const AnsiString& Address);
    void Assign(TPersistent* Source) override;
    // Stretched into R with Stretch, else at its own size at R's top-left.
    void DrawOn(TCanvas* ACanvas, const TRect& R) override;

    // The address it was loaded from, as given.
    const AnsiString& ID() const { return FID; }
    int GetMaxWidth() const;
    int GetMaxHeight() const;

    // Animated GIF files: frames counted from 1.
    bool IsGIFFile() const;
    int GetFrameCount();
    // The frame's delay in 1/100 s, -1 when there is no such frame.
    int GetFrameTime(int Frame) const;
    int Frame() const { return FFrame; }
    void SetFrame(int Frame);
    void FrameNext();
    void FramePrev();
    // Called on a regular 100 ms tick: takes the next frame when its time has come.
    bool Step();
    int FrameXPos() const { return FFrameXPos; }
    int FrameYPos() const { return FFrameYPos; }
    int FrameWidth() const { return FFrameWidth; }
    int FrameHeight() const { return FFrameHeight; }
    // The bytes the decoder is given for the current frame: the header and tables, then
    // this frame and the ones after it.
    std::vector<Byte> FrameData();

    bool Stretch = false;
    TNotifyEvent OnFrameChange;
    TDownloadErrorEvent OnDownLoadError;

private:
    void Decode();
    void ResetFrames();

    std::vector<Byte> FData;
    bool FEmpty = true;
    std::unique_ptr<TImageFile> FImage;
    AnsiString FID;
    int FFrame = 1;
    int FFrameCount = -1;
    int FNextFrameTime = -1;
    int FTicks = -1;
    int FFrameXPos = 0, FFrameYPos = 0, FFrameWidth = 0, FFrameHeight = 0;
};

// The pictures markup loaded by address; owns them.
class THTMLPictureCache {
public:
    THTMLPictureCache();
    ~THTMLPictureCache();
    // A new empty picture at the end.
    THTMLPicture* AddPicture();
    // The first picture loaded from exactly this address (letter case counts).
    THTMLPicture* FindPicture(const AnsiString& Address) const;
    int Count() const { return static_cast<int>(FItems.size()); }
    THTMLPicture* Items(int Index) const { return FItems.at(static_cast<size_t>(Index)).get(); }
    void ClearPictures() { FItems.clear(); }
    // Steps every picture; true when any changed its frame.
    bool Animate();

private:
    std::vector<std::unique_ptr<THTMLPicture>> FItems;
};

class TPictureItem {
public:
    TPictureItem();
    ~TPictureItem();
    THTMLPicture* Picture() const { return FPicture.get(); }
    void SetPicture(THTMLPicture* Value) { FPicture->Assign(Value); }
    AnsiString Name;
    int Tag = 0;

private:
    std::unique_ptr<THTMLPicture> FPicture;
};

class TPictureCollection {
public:
    TPictureItem* Add();
    // Appends: the index is not used.
    TPictureItem* Insert(int Index);
    int Count() const { return static_cast<int>(FItems.size()); }
    TPictureItem* Items(int Index) const { return FItems.at(static_cast<size_t>(Index)).get(); }
    void Delete(int Index) { FItems.erase(FItems.begin() + Index); }
    void Clear() { FItems.clear(); }
    void Assign(const TPictureCollection& Source);
    bool Animate();

private:
    std::vector<std::unique_ptr<TPictureItem>> FItems;
};

class TPictureContainer : public TComponent {
public:
    explicit TPictureContainer(TComponent* AOwner = nullptr);
    ~TPictureContainer() override;
    TPictureCollection* Items() { return &FItems; }
    void SetItems(const TPictureCollection& Value) { FItems.Assign(Value); }
    // The picture of the first item whose upper-cased name is Name (callers pass it upper-cased).
    THTMLPicture* FindPicture(const AnsiString& Name) const;

private:
    TPictureCollection FItems;
};

enum TPicturePosition { bpTopLeft, bpTopRight, bpBottomLeft, bpBottomRight, bpCenter, bpTiled, bpStretched };

class THTMLImage : public TGraphicControl {
public:
    explicit THTMLImage(TComponent* AOwner);
    ~THTMLImage() override;
    THTMLPicture* HTMLPicture() const { return FPicture.get(); }
    void SetHTMLPicture(THTMLPicture* Value) { FPicture->Assign(Value); }
    TPicturePosition PicturePosition() const { return FPicturePosition; }
    void SetPicturePosition(TPicturePosition Value);
    // Where the picture's top-left goes for the positions that draw it once.
    TPoint PictureOrigin() const;

protected:
    void Paint() override;

private:
    std::unique_ptr<THTMLPicture> FPicture;
    TPicturePosition FPicturePosition = bpTopLeft;
};
