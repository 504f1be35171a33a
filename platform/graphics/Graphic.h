#pragma once
// TGraphic: base of the pictures a canvas can draw (TBitmap, TIcon) and a TPicture holds.
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Events.h"

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
public:
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int v) = 0;
    virtual void SetHeight(int v) = 0;
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool v);
    bool Modified() const { return FModified; }
    void SetModified(bool v);

    // A missing or unreadable file raises EFOpenError "Cannot open file "<path>". <reason>";
    // a file that is no picture of this kind raises EInvalidGraphic.
    virtual void LoadFromFile(const AnsiString& FileName);
    // Raises EFCreateError "Cannot create file "<path>". <reason>" when the file cannot be written.
    virtual void SaveToFile(const AnsiString& FileName);
    // From the stream's position to its end / at its position.
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream);

    // The file's bytes in and out (the picture format of the class).
    virtual void LoadFromData(const std::vector<Byte>& Data) = 0;
    virtual std::vector<Byte> SaveToData() const = 0;

    TNotifyEvent OnChange;

    // Draws the picture stretched into R of ACanvas (TCanvas::Draw and StretchDraw call it).
    virtual void DrawOn(TCanvas* ACanvas, const TRect& R) = 0;

protected:
    virtual void Changed();

private:
    bool FTransparent = false;
    bool FModified = false;
};

// Reads a whole file, raising EFOpenError as the class library words it.
std::vector<Byte> ReadFileBytes(const AnsiString& FileName);
// Writes a whole file, raising EFCreateError as the class library words it.
void WriteFileBytes(const AnsiString& FileName, const std::vector<Byte>& Data);
