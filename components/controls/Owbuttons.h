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
