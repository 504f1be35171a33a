#pragma once
// TStaticText: a label with a window of its own (and an optional border).
#include "platform/forms/Controls.h"

namespace zvqt {
class TShapedLine;
}

enum TStaticBorderStyle { sbsNone, sbsSingle, sbsSunken };

class TStaticText : public TCustomControl {
public:
    explicit TStaticText(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TStaticBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TStaticBorderStyle v);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);

    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    void CMTextChanged() override;
    void CMFontChanged() override;

protected:
    void WindowShown() override;
    void Paint() override;
    int NonClientWidth() const override { return FBorderStyle == sbsSunken ? 1 : FBorderStyle == sbsSingle ? 1 : 0; }
    void PaintNonClient(TCanvas* Canvas) override;

    TAlignment FAlignment = taLeftJustify;
    TStaticBorderStyle FBorderStyle = sbsNone;
    bool FShowAccelChar = true;
    bool FTransparent = false;

private:
    TRect ChangedTextPart(const AnsiString& Before, int BeforeWidth) const;
    // The measure is of the text and font as they are now.
    bool MeasuredAsShown() const;
    // Where a line of the alignment starts in R.
    int TextLeft(const TRect& R, int TextWidth) const;

    struct {
        AnsiString Text;
        std::unique_ptr<TFont> Font;
        int Width = 0, Height = 0;
        std::shared_ptr<const zvqt::TShapedLine> Line; // the text shaped, for the paint too
    } FMeasured; // the last text measured for the automatic size, in its font
    bool FSizeWhenShown = false; // a text changed while off the screen, not measured yet
};
