#pragma once
// TOwHyperLink: a label whose font and background change while the mouse is over it,
// optionally outlined. TOwWebLabel opens its web address when clicked.
#include <memory>

#include "components/controls/Owclasses.h"
#include "components/controls/OwcontrolsBases.h"

class TOwHyperLink : public TOwGraphicImageControl {
public:
    explicit TOwHyperLink(TComponent* AOwner);
    ~TOwHyperLink() override;

    TFont* FontEnter() const { return FFontEnter.get(); }
    void SetFontEnter(TFont* v);
    TFont* FontLeave() const { return FFontLeave.get(); }
    void SetFontLeave(TFont* v);
    TColor ColorEnter() const { return FColorEnter; }
    void SetColorEnter(TColor v);
    TColor ColorLeave() const { return FColorLeave; }
    void SetColorLeave(TColor v);
    TOwTextOutline* TextOutline() const { return FTextOutline.get(); }
    void SetTextOutline(TOwTextOutline* v) { FTextOutline->Assign(v); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool MouseInside() const { return FMouseInside; }

    void CMTextChanged() override;

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;

    bool FMouseInside = false;

private:
    std::unique_ptr<TFont> FFontEnter;
    std::unique_ptr<TFont> FFontLeave;
    TColor FColorEnter = clBlue;
    TColor FColorLeave = clBlack;
    std::unique_ptr<TOwTextOutline> FTextOutline;
    TAlignment FAlignment = taCenter;
    bool FWordWrap = true;
};

// Draws Text from the top of R, outlined W pixels wide in OutlineColor when W > 0.
void DrawLinkText(TCanvas* Canvas, const TRect& R, const AnsiString& Text, bool WordWrap, TAlignment Alignment,
                  TColor OutlineColor, int W);

class TOwWebLabel : public TOwHyperLink {
public:
    explicit TOwWebLabel(TComponent* AOwner);

    const AnsiString& URL() const { return FURL; }
    void SetURL(const AnsiString& v) { FURL = v; }
    // Raised when the address cannot be opened (or is not a web or mail address).
    TNotifyEvent OnError;

    // Only web (http, https) and mail addresses are handed to the system.
    static bool IsOpenableURL(const AnsiString& URL);

protected:
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void ReportError();

private:
    AnsiString FURL;
};

// The frame a hot image draws while the mouse is over it.
class TOwHotRect : public TOwPersistent {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { Set(FColor, v); }
    int Width() const { return FWidth; }
    void SetWidth(int v) { Set(FWidth, v); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { Set(FVisible, v); }
    void Assign(TPersistent* Source) override;

private:
    TColor FColor = clYellow;
    int FWidth = 1;
    bool FVisible = true;
};

enum TOwHotImageDrawStyle { dsCenter, dsStretch };

// One picture normally and another while the mouse is over it, on a background colour
// that changes too, with a caption and a frame while hot.
class TOwHotImage : public TOwGraphicImageControl {
public:
    using enum Owcontrols::TOwTextAlignment;
    explicit TOwHotImage(TComponent* AOwner);
    ~TOwHotImage() override;

    TBitmap* ImageLeave() const { return FImageLeave.get(); }
    void SetImageLeave(TBitmap* v) { FImageLeave->Assign(v); }
    TBitmap* ImageEnter() const { return FImageEnter.get(); }
    void SetImageEnter(TBitmap* v) { FImageEnter->Assign(v); }
    TColor ColorEnter() const { return FColorEnter; }
    void SetColorEnter(TColor v);
    TColor ColorLeave() const { return FColorLeave; }
    void SetColorLeave(TColor v);
    TOwHotImageDrawStyle DrawStyle() const { return FDrawStyle; }
    void SetDrawStyle(TOwHotImageDrawStyle v);
    TOwTextAlignment TextAlignment() const { return FTextAlignment; }
    void SetTextAlignment(TOwTextAlignment v);
    TOwHotRect* HotRect() const { return FHotRect.get(); }
    void SetHotRect(TOwHotRect* v) { FHotRect->Assign(v); }
    bool MouseInside() const { return FMouseInside; }

    void CMTextChanged() override;

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void FontChanged() override;

private:
    std::unique_ptr<TBitmap> FImageLeave;
    std::unique_ptr<TBitmap> FImageEnter;
    TColor FColorEnter = clBlue;
    TColor FColorLeave = clBlack;
    TOwHotImageDrawStyle FDrawStyle = dsCenter;
    TOwTextAlignment FTextAlignment = vtaBottom;
    std::unique_ptr<TOwHotRect> FHotRect;
    bool FMouseInside = false;
};
