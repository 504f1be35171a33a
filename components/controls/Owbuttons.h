#pragma once
// TOwShadowButton: a caption button drawn as a shape over an offset shadow shape; a
// press moves the face toward the shadow, and a release over the face clicks.
#include <memory>

#include "components/controls/OwcontrolsBases.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Pen.h"

// Face fill of a shadow button (black unless set).
class TOwShadowBrush : public TBrush {
public:
    TOwShadowBrush() { SetColor(clBlack); }
};

// Face outline of a shadow button (lime unless set); its width insets face and caption.
class TOwShadowPen : public TPen {
public:
    TOwShadowPen() { SetColor(clLime); }
};

enum TOwShadowButtonStyle { ssRectangle, ssRoundRect };
enum TOwShadowDirection { sdTopLeft, sdTopRight, sdBottomLeft, sdBottomRight };

class TOwShadowButton : public TOwGraphicImageControl {
public:
    using enum Owcontrols::TOwTextAlignment;
    explicit TOwShadowButton(TComponent* AOwner);
    ~TOwShadowButton() override;

    TOwShadowBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* v) { FBrush->Assign(v); }
    TOwShadowPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* v) { FPen->Assign(v); }
    int Depth() const { return FDepth; }
    // Values below 3 are ignored.
    void SetDepth(int v);
    int DepthAdjust() const { return FDepthAdjust; }
    void SetDepthAdjust(int v) { FDepthAdjust = v; }
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v);
    TColor ShadowOutline() const { return FShadowOutline; }
    void SetShadowOutline(TColor v);
    TOwShadowButtonStyle Style() const { return FStyle; }
    void SetStyle(TOwShadowButtonStyle v);
    TOwShadowDirection Direction() const { return FDirection; }
    void SetDirection(TOwShadowDirection v);
    TOwTextAlignment TextAlign() const { return FTextAlign; }
    void SetTextAlign(TOwTextAlignment v);
    TColor DisabledTextColor() const { return FDisabledTextColor; }
    void SetDisabledTextColor(TColor v);

    bool Pressed() const { return FPressed; }
    // The face's caption area at the last paint: where the mouse hits.
    const TRect& FaceRect() const { return FFaceRect; }

    // Alt plus the caption's accelerator letter clicks an enabled button.
    bool CMDialogChar(char Key) override;
    // The face and caption rectangles for the current size and state (as DrawButton lays them out).
    void Layout(TRect& Face, TRect& Shadow, TRect& Caption) const;

    void Click() override;
    void CMEnabledChanged() override;
    void CMTextChanged() override;
    void CMFontChanged() override;

protected:
    void Paint() override;
    void DrawButton();
    void AdjustBtnRect(TRect& R, int Amount) const;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void ToolChanged(TObject*) { UpdateControlCanvas(); }

    int FDepth = 4;
    int FDepthAdjust = 2;
    TColor FShadowColor = clBtnShadow;
    TColor FShadowOutline = clBtnShadow;
    std::unique_ptr<TOwShadowBrush> FBrush;
    std::unique_ptr<TOwShadowPen> FPen;
    TOwShadowButtonStyle FStyle = ssRoundRect;
    TOwShadowDirection FDirection = sdBottomRight;
    TOwTextAlignment FTextAlign = vtaCenter;
    TColor FDisabledTextColor = clInactiveCaption;
    bool FPressed = false;
    bool FTracking = false;
    TRect FFaceRect;
};

// TOwHyperButton: a flat button with a caption and an optional glyph that fills with
// ColorEnter and shows a raised frame while the mouse is over it, and a sunken one while
// pressed.
class TOwHyperButton : public TOwGraphicImageControl {
public:
    explicit TOwHyperButton(TComponent* AOwner);
    ~TOwHyperButton() override;
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* v) { FGlyph->Assign(v); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { SetAndPaint(FBorderColor, v); }
    TColor BorderHighlight() const { return FBorderHighlight; }
    void SetBorderHighlight(TColor v) { SetAndPaint(FBorderHighlight, v); }
    TColor BorderShadow() const { return FBorderShadow; }
    void SetBorderShadow(TColor v) { SetAndPaint(FBorderShadow, v); }
    TColor ColorEnter() const { return FColorEnter; }
    void SetColorEnter(TColor v) { SetAndPaint(FColorEnter, v); }
    TColor ColorLeave() const { return FColorLeave; }
    void SetColorLeave(TColor v) { SetAndPaint(FColorLeave, v); }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v) { SetAndPaint(FSpacing, v); }
    int Margin() const { return FMargin; }
    void SetMargin(int v) { SetAndPaint(FMargin, v); }
    TOwImageTextLayout Layout() const { return FLayout; }
    void SetLayout(TOwImageTextLayout v) { SetAndPaint(FLayout, v); }
    TColor DisabledText = clInactiveCaption;
    bool DisabledAnimate = true;
    bool Hot() const { return FHot; }
    bool Down() const { return FDown; }
    TRect TextRect() const { return FTextRect; }

    void Click() override {} // the click comes from MouseUp
    void CMTextChanged() override;
    void CMEnabledChanged() override;

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    template <class T>
    void SetAndPaint(T& Field, T v)
    {
        if (Field == v)
            return;
        Field = v;
        UpdateControlCanvas();
    }
    void CalcPaintParams();
    std::unique_ptr<TBitmap> FGlyph;
    TColor FBorderColor = clGray;
    TColor FBorderHighlight = clWindow;
    TColor FBorderShadow = clBlack;
    TColor FColorEnter = 704216;
    TColor FColorLeave = clBtnFace;
    int FSpacing = 5;
    int FMargin = -1;
    TOwImageTextLayout FLayout = ImageLeft;
    TRect FGlyphRect{0, 0, 0, 0};
    TRect FTextRect{0, 0, 0, 0};
    bool FHot = false;
    bool FHeld = false;
    bool FDown = false;
};

class TOwPalette;

// TOwPowerButton: a push button with a small LED beside its caption that toggles Active
// on every click, like an instrument's power switch.
class TOwPowerButton : public TOwCustomImageControl {
public:
    explicit TOwPowerButton(TComponent* AOwner);
    ~TOwPowerButton() override;
    bool Active() const { return FActive; }
    void SetActive(bool v);
    int LedWidth() const { return FLedWidth; }
    void SetLedWidth(int v) { SetAndLayOut(FLedWidth, v < 1 ? 1 : v); }
    int LedHeight() const { return FLedHeight; }
    void SetLedHeight(int v) { SetAndLayOut(FLedHeight, v < 1 ? 1 : v); }
    TOwPalette* Palette() const { return FPalette.get(); }
    void SetPalette(TOwPalette* v);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v) { SetAndPaint(FBevelWidth, v); }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor v) { SetAndPaint(FHighlightColor, v); }
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v) { SetAndPaint(FShadowColor, v); }
    TColor OutlineColor() const { return FOutlineColor; }
    void SetOutlineColor(TColor v) { SetAndPaint(FOutlineColor, v); }
    int OutlineWidth() const { return FOutlineWidth; }
    void SetOutlineWidth(int v) { SetAndPaint(FOutlineWidth, v); }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v) { SetAndLayOut(FSpacing, v); }
    int Margin() const { return FMargin; }
    void SetMargin(int v) { SetAndLayOut(FMargin, v); }
    TOwImageTextLayout Layout() const { return FLayout; }
    void SetLayout(TOwImageTextLayout v) { SetAndLayOut(FLayout, v); }
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor v) { SetAndPaint(FFocusColor, v); }
    TRect LedRect() const { return FLedRect; }
    bool Down() const { return FDown; }

    void Click() override {} // the click comes from MouseUp and the space bar
    bool CMDialogChar(char Key) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void CMTextChanged() override;
    void CMFontChanged() override;
    void CMEnabledChanged() override;
    void DoEnter() override;
    void DoExit() override;

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
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
    bool FActive = false;
    int FLedWidth = 12;
    int FLedHeight = 12;
    std::unique_ptr<TOwPalette> FPalette;
    int FBevelWidth = 2;
    TColor FHighlightColor = clBtnHighlight;
    TColor FShadowColor = clBtnShadow;
    TColor FOutlineColor = clBlack;
    int FOutlineWidth = 1;
    int FSpacing = 5;
    int FMargin = -1;
    TOwImageTextLayout FLayout = ImageLeft;
    TColor FFocusColor = clBlue;
    bool FHeld = false;
    bool FDown = false;
    TRect FTextRect{0, 0, 0, 0};
    TRect FLedRect{0, 0, 0, 0};
};

class TOwFont3D;

// TOwDemoButton: a push button drawn by itself: an optional tiled texture, an outline (in
// FocusColor while focused), a bevel that sinks while pressed and a 3-D caption in one
// font while the mouse is over it and another otherwise.
class TOwDemoButton : public TOwCustomImageControl {
public:
    using enum Owcontrols::TOwTextAlignment;
    explicit TOwDemoButton(TComponent* AOwner);
    ~TOwDemoButton() override;
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(TBitmap* v) { FBitmap->Assign(v); }
    TFont* FontEnter() const { return FFontEnter.get(); }
    void SetFontEnter(TFont* v) { FFontEnter->Assign(v); }
    TFont* FontLeave() const { return FFontLeave.get(); }
    void SetFontLeave(TFont* v) { FFontLeave->Assign(v); }
    TOwFont3D* Font3D() const { return FFont3D.get(); }
    void SetFont3D(TOwFont3D* v);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v) { SetAndPaint(FBevelWidth, v); }
    int OutlineWidth() const { return FOutlineWidth; }
    void SetOutlineWidth(int v) { SetAndPaint(FOutlineWidth, v); }
    TColor OutlineColor() const { return FOutlineColor; }
    void SetOutlineColor(TColor v) { SetAndPaint(FOutlineColor, v); }
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v) { SetAndPaint(FShadowColor, v); }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor v) { SetAndPaint(FHighlightColor, v); }
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor v) { SetAndPaint(FFocusColor, v); }
    TOwTextAlignment TextAlignment() const { return FTextAlignment; }
    void SetTextAlignment(TOwTextAlignment v) { SetAndPaint(FTextAlignment, v); }
    TColor DisabledTextColor() const { return FDisabledTextColor; }
    void SetDisabledTextColor(TColor v) { SetAndPaint(FDisabledTextColor, v); }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v) { SetAndPaint(FFlat, v); }
    bool Down() const { return FDown; }
    bool Hot() const { return FHot; }

    void Click() override {} // the click comes from the release
    bool CMDialogChar(char Key) override;
    void CMTextChanged() override;
    void CMEnabledChanged() override;
    void DoEnter() override;
    void DoExit() override;

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;

private:
    template <class T>
    void SetAndPaint(T& Field, T v)
    {
        if (Field == v)
            return;
        Field = v;
        Invalidate();
    }
    void DoMouseDown(int X, int Y);
    bool Inside(int X, int Y) const { return X >= 0 && Y >= 0 && X < Width() && Y < Height(); }
    std::unique_ptr<TBitmap> FBitmap;
    std::unique_ptr<TFont> FFontEnter;
    std::unique_ptr<TFont> FFontLeave;
    std::unique_ptr<TOwFont3D> FFont3D;
    int FBevelWidth = 2;
    int FOutlineWidth = 1;
    TColor FOutlineColor = clBlack;
    TColor FShadowColor = clBtnShadow;
    TColor FHighlightColor = clBtnHighlight;
    TColor FFocusColor = clBlue;
    TOwTextAlignment FTextAlignment = vtaCenter;
    TColor FDisabledTextColor = clInactiveCaption;
    bool FFlat = false;
    bool FHot = false;
    bool FDown = false;
    bool FTracking = false;
};

class TOwBitmapList;
class TOwChangeLink;
class TOwTimer;

// TOwAniButton: a button whose face is one frame of a strip from a shared bitmap list;
// a press runs the strip forward and back, one frame per timer tick, or in switch style
// forward on one press and back on the next.
class TOwAniButton : public TOwGraphicImageControl {
public:
    explicit TOwAniButton(TComponent* AOwner);
    ~TOwAniButton() override;
    int ImageCount() const { return FImageCount; }
    void SetImageCount(int v);
    int BitmapIndex() const { return FBitmapIndex; }
    void SetBitmapIndex(int v);
    int MaskIndex() const { return FMaskIndex; }
    void SetMaskIndex(int v);
    TOwBitmapList* BitmapList() const { return FBitmapList; }
    void SetBitmapList(TOwBitmapList* v);
    bool SwitchStyle() const { return FSwitchStyle; }
    void SetSwitchStyle(bool v);
    Cardinal Interval() const;
    void SetInterval(Cardinal v);
    bool Threaded() const;
    void SetThreaded(bool v);
    bool Down() const { return FImageCount > 0 && FFrame == FImageCount - 1; }
    void SetDown(bool v);
    int Frame() const { return FFrame; }
    bool Running() const;
    // One tick of the animation (the timer's).
    void TimerEvent();
    // A press at (X, Y) counts (no mask, or a black mask pixel there).
    bool InControl(int X, int Y) const;

    void Click() override {} // the click comes from MouseUp
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;

protected:
    void Paint() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    enum TPhase { phForward, phBackward, phFinishing };
    void UpdateImage();
    TBitmap* ListBitmap(int Index) const;
    int FImageCount = 0;
    int FFrameWidth = 0;
    int FFrameHeight = 0;
    int FFrame = 0;
    int FMaskIndex = -1;
    int FBitmapIndex = -1;
    std::unique_ptr<TOwTimer> FTimer;
    bool FPressed = false;
    bool FSwitchStyle = false;
    TPhase FPhase = phForward;
    TOwBitmapList* FBitmapList = nullptr;
    std::unique_ptr<TOwChangeLink> FLink;
};

class TStream;

// TOwShapeBtn: a button shaped like its bitmap (the transparent colour is outside) with a
// generated two-pixel rim, raised or pressed; only presses on the shape count.
class TOwShapeBtn : public TOwGraphicImageControl {
public:
    explicit TOwShapeBtn(TComponent* AOwner);
    ~TOwShapeBtn() override;
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(TBitmap* v) { FBitmap->Assign(v); }
    TBitmap* UpImage() const { return FUp.get(); }
    TBitmap* DownImage() const { return FDown.get(); }
    bool Down() const { return FIsDown; }
    bool PtInMask(int X, int Y) const;
    // The form property "BitmapData": the up image, then the down image, as BMP files.
    virtual void ReadBitmapData(TStream* Stream);
    virtual void WriteBitmapData(TStream* Stream);
    // The system colours changed: the rims are made again.
    void CMSysColorChange() { BitmapChanged(); }

    void Click() override {} // the click comes from MouseUp
    bool CMDialogChar(char Key) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void CMTextChanged() override;
    void CMFontChanged() override;

protected:
    void Paint() override;
    void Loaded() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void BitmapChanged();
    void CreateMaskBitmap();
    std::unique_ptr<TBitmap> FBitmap;
    std::unique_ptr<TBitmap> FUp;
    std::unique_ptr<TBitmap> FDown;
    std::unique_ptr<TBitmap> FMask;
    bool FHeld = false;
    bool FIsDown = false;
};

// The raised (Pressed false) or pressed image of a shape with its two-pixel rim.
void Create3DBitmap(TBitmap* Source, bool Pressed, TBitmap* Dest);
