#pragma once
// TOwBitmapButton: a button that is only a picture, a strip of up to four frames (up,
// mouse over, pressed, disabled). With Transparent on, only the picture's opaque pixels
// take the mouse.
#include <memory>

#include "components/controls/OwcontrolsBases.h"

using TOwNumGlyphs = int; // 1..4

class TOwBitmapButton : public TOwGraphicImageControl {
public:
    explicit TOwBitmapButton(TComponent* AOwner);
    ~TOwBitmapButton() override;

    // The frame strip; loading a file into it changes the picture in place.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* v);
    TOwNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(TOwNumGlyphs v);
    int VIndent() const { return FVIndent; }
    void SetVIndent(int v);
    int HIndent() const { return FHIndent; }
    void SetHIndent(int v);
    TOwTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TOwTransparentMode v);

    int FrameWidth() const { return FFrameWidth; }
    int FrameHeight() const { return FFrameHeight; }
    bool Pressed() const { return FPressed; }
    bool MouseInside() const { return FMouseInside; }
    TBitmap* HitMask() const { return FHitMask.get(); }

    TRect GetImageRect(int Index) const;
    TRect DestRect() const;
    TColor GetTransparentColor() const;
    // Whether (X, Y) hits the picture (and, when Transparent, one of its opaque pixels).
    bool InControl(int X, int Y) const;
    // The frame a paint shows now.
    int FrameIndex() const;

    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    void Click() override;
    void CMMouseEnter() override;
    void CMMouseLeave() override;
    void CMEnabledChanged() override;
    void CMColorChanged() override;

protected:
    void Paint() override;
    void Loaded() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void GlyphChanged(TObject* Sender);
    void AdjustImageSize();
    void BuildHitMask();

    std::unique_ptr<TBitmap> FGlyph;
    std::unique_ptr<TBitmap> FHitMask;
    TOwNumGlyphs FNumGlyphs = 1;
    int FFrameWidth = 0;
    int FFrameHeight = 0;
    int FVIndent = 2;
    int FHIndent = 2;
    bool FMouseInside = false;
    TOwTransparentMode FTransparentMode = tmColor;
    bool FPressed = false;
    bool FTracking = false;
    bool FFiring = false; // MouseUp is raising the click
};

class TOwBitmapList;
class TOwChangeLink;

// TOwBitmapImage: one bitmap of a shared bitmap list, chosen by index, at the top-left,
// centred or stretched.
class TOwBitmapImage : public TOwGraphicImageControl {
public:
    explicit TOwBitmapImage(TComponent* AOwner);
    ~TOwBitmapImage() override;
    bool Center() const { return FCenter; }
    void SetCenter(bool v);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v);
    int BitmapIndex() const { return FBitmapIndex; }
    void SetBitmapIndex(int v);
    TOwBitmapList* BitmapList() const { return FBitmapList; }
    void SetBitmapList(TOwBitmapList* v);
    // The list's bitmap at BitmapIndex (nullptr without one).
    TBitmap* GetBitmap() const;
    TRect DestRect() const;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool FCenter = true;
    bool FStretch = false;
    int FBitmapIndex = -1;
    TOwBitmapList* FBitmapList = nullptr;
    std::unique_ptr<TOwChangeLink> FLink;
};
