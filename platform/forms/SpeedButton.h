#pragma once
// TSpeedButton: a graphic button (it never takes the focus) with an optional glyph;
// with a GroupIndex it stays down like a radio button (AllowAllUp lets it come up).
#include <memory>

#include "platform/forms/Controls.h"
#include "platform/graphics/Bitmap.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;

    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* v);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    // The parent shows through the face while the button is up.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v) { FGroupIndex = v; }
    bool Down() const { return FDown; }
    void SetDown(bool v);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v) { FAllowAllUp = v; }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout v);
    int Margin() const { return FMargin; }
    void SetMargin(int v);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v);

    void Click() override;
    void CMMouseEnter() override;
    void CMMouseLeave() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    bool FFlat = false;
    bool FTransparent = false;
    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    bool FPressed = false;
    bool FMouseInside = false;
};
