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

class TOwFont3D;

enum TOwCheckBoxState { vcbUnchecked, vcbChecked, vcbGrayed };
// How the texture fills the control: tiled from the top-left, or stretched over it.
enum TOwCheckBoxTexture { cbtTile, cbtStretch };
enum TOwRadioButtonTexture { rbtTile, rbtStretch };
// Frames in a glyph strip, in state order.
using TOwCheckBoxGlyphs = int;    // 1..3
using TOwRadioButtonGlyphs = int; // 1..2

// What the bitmap check box and radio button share: a glyph frame from a strip of a
// shared bitmap list chosen by the state, a 3-D caption, an optional texture and a
// focus frame.
class TOwBitmapToggle : public TOwCustomImageControl {
public:
    explicit TOwBitmapToggle(TComponent* AOwner);
    ~TOwBitmapToggle() override;
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v) { SetAndLayOut(FSpacing, v); }
    int Margin() const { return FMargin; }
    void SetMargin(int v) { SetAndLayOut(FMargin, v); }
    TOwImageTextLayout Layout() const { return FLayout; }
    void SetLayout(TOwImageTextLayout v) { SetAndLayOut(FLayout, v); }
    int EnabledGlyphIndex() const { return FEnabledGlyphIndex; }
    void SetEnabledGlyphIndex(int v) { SetAndLayOut(FEnabledGlyphIndex, v); }
    int DisabledGlyphIndex() const { return FDisabledGlyphIndex; }
    void SetDisabledGlyphIndex(int v) { SetAndLayOut(FDisabledGlyphIndex, v); }
    TColor TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(TColor v) { SetAndPaint(FTransparentColor, v); }
    int TextureIndex() const { return FTextureIndex; }
    void SetTextureIndex(int v) { SetAndPaint(FTextureIndex, v); }
    TOwFont3D* Font3D() const { return FFont3D.get(); }
    void SetFont3D(TOwFont3D* v);
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor v) { SetAndPaint(FFocusColor, v); }
    int FocusOffset() const { return FFocusOffset; }
    void SetFocusOffset(int v) { SetAndPaint(FFocusOffset, v); }
    TOwBitmapList* BitmapList() const { return FBitmapList; }
    void SetBitmapList(TOwBitmapList* v);
    TRect GlyphRect() const { return FGlyphRect; }
    TNotifyEvent OnChange;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void CMTextChanged() override;
    void CMEnabledChanged() override;
    void CMFontChanged() override;
    void DoEnter() override;
    void DoExit() override;
    bool CMDialogChar(char Key) override;

protected:
    // The frame of the strip the state shows.
    virtual int FrameIndex() const = 0;
    // A click or a space: the state's next step.
    virtual void Activate() = 0;
    virtual bool FocusOnAnyPress() const { return false; }
    // The caption's accelerator: focus, and for a check box also the toggle.
    virtual bool AccelActivates() const { return true; }
    virtual void Changed() { FireEvent(OnChange, this); }
    // The published NumGlyphs and TextureStyle of each control, in its own types.
    int GlyphCount() const { return FNumGlyphs; }
    void SetGlyphCount(int v) { SetAndLayOut(FNumGlyphs, v); }
    bool TextureStretched() const { return FTextureStretch; }
    void SetTextureStretched(bool v) { SetAndPaint(FTextureStretch, v); }
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyPress(char& Key) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CalcPaintParams(bool Repaint);

private:
    template <class T>
    void SetAndLayOut(T& Field, T v)
    {
        if (Field == v)
            return;
        Field = v;
        CalcPaintParams(true);
    }
    template <class T>
    void SetAndPaint(T& Field, T v)
    {
        if (Field == v)
            return;
        Field = v;
        Invalidate();
    }
    TBitmap* ListBitmap(int Index) const;
    int FSpacing = 5;
    int FMargin = -1;
    TOwImageTextLayout FLayout = ImageLeft;
    int FNumGlyphs;
    int FEnabledGlyphIndex = -1;
    int FDisabledGlyphIndex = -1;
    TColor FTransparentColor = clOlive;
    int FTextureIndex = -1;
    bool FTextureStretch = false;
    std::unique_ptr<TOwFont3D> FFont3D;
    TColor FFocusColor = clBlue;
    int FFocusOffset = 0;
    TOwBitmapList* FBitmapList = nullptr;
    std::unique_ptr<TOwChangeLink> FLink;
    TRect FGlyphRect{0, 0, 0, 0};
    TRect FTextRect{0, 0, 0, 0};
    bool FPressed = false;

protected:
    void SetNumGlyphsDefault(int v) { FNumGlyphs = v; }
};

class TOwBitmapCheckBox : public TOwBitmapToggle {
public:
    explicit TOwBitmapCheckBox(TComponent* AOwner);
    TOwCheckBoxState State() const { return FState; }
    void SetState(TOwCheckBoxState v);
    bool Checked() const { return FState == vcbChecked; }
    void SetChecked(bool v) { SetState(v ? vcbChecked : vcbUnchecked); }
    bool AllowGrayed = false;
    void Toggle();
    TOwCheckBoxGlyphs NumGlyphs() const { return GlyphCount(); }
    void SetNumGlyphs(TOwCheckBoxGlyphs v) { SetGlyphCount(v); }
    TOwCheckBoxTexture TextureStyle() const { return TextureStretched() ? cbtStretch : cbtTile; }
    void SetTextureStyle(TOwCheckBoxTexture v) { SetTextureStretched(v == cbtStretch); }

protected:
    int FrameIndex() const override { return FState; }
    void Activate() override { Toggle(); }

private:
    TOwCheckBoxState FState = vcbUnchecked;
};

class TOwBitmapRadioButton : public TOwBitmapToggle {
public:
    explicit TOwBitmapRadioButton(TComponent* AOwner);
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    TOwRadioButtonGlyphs NumGlyphs() const { return GlyphCount(); }
    void SetNumGlyphs(TOwRadioButtonGlyphs v) { SetGlyphCount(v); }
    TOwRadioButtonTexture TextureStyle() const { return TextureStretched() ? rbtStretch : rbtTile; }
    void SetTextureStyle(TOwRadioButtonTexture v) { SetTextureStretched(v == rbtStretch); }

protected:
    int FrameIndex() const override { return FChecked ? 1 : 0; }
    void Activate() override { SetChecked(true); }
    bool FocusOnAnyPress() const override { return true; }
    bool AccelActivates() const override { return false; }

private:
    bool FChecked = false;
};
