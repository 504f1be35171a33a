#pragma once
// TOwDisplay: a panel like the recessed glass of an instrument display: a double lowered
// bevel and inside it a shadow of one-pixel lines along two edges, stepping in colour.
#include <memory>

#include "components/controls/Owclasses.h"
#include "components/controls/OwcontrolsBases.h"

enum TOwShadowLayout { soTopLeft, soTopRight, soBottomLeft, soBottomRight };

class TOwDisplayBevel : public TOwBevel {
public:
    TOwDisplayBevel();
};

// Draws n L-shaped lines into Rect along the layout's two edges, from Color1 stepping
// towards Color2.
void DrawDisplayShadow(TCanvas* Canvas, TRect Rect, TColor Color1, TColor Color2, int Width, TOwShadowLayout Layout);

class TOwDisplay : public TOwCustomControl {
public:
    explicit TOwDisplay(TComponent* AOwner);
    ~TOwDisplay() override;
    TOwDisplayBevel* Bevel() const { return FBevel.get(); }
    void SetBevel(TOwBevel* v) { FBevel->Assign(v); }
    int ShadowWidth() const { return FShadowWidth; }
    void SetShadowWidth(int v);
    TColor ShadowColor1() const { return FShadowColor1; }
    void SetShadowColor1(TColor v);
    TColor ShadowColor2() const { return FShadowColor2; }
    void SetShadowColor2(TColor v);
    TOwShadowLayout ShadowLayout() const { return FShadowLayout; }
    void SetShadowLayout(TOwShadowLayout v);

protected:
    void Paint() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void BoundsChanged() override;

private:
    std::unique_ptr<TOwDisplayBevel> FBevel;
    int FShadowWidth = 5;
    TColor FShadowColor1 = 6190950;
    TColor FShadowColor2 = 8165509;
    TOwShadowLayout FShadowLayout = soTopLeft;
};
