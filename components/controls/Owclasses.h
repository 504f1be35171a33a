#pragma once
// Property objects of the owner-drawn controls. Each tells its owner of every change
// through OnChange; BeginUpdate/EndUpdate fold several changes into one.
#include "platform/core/Component.h"
#include "platform/core/Events.h"
#include "platform/graphics/Color.h"

class TCanvas;

class TOwPersistent : public TPersistent {
public:
    void BeginUpdate() { ++FUpdateCount; }
    // Ends an update (never below 0) and reports the change.
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }
    TNotifyEvent OnChange;

protected:
    // Reports a change unless inside an update.
    void Changed();
    // Property setter: stores v and reports the change when it differs.
    template <typename T>
    void Set(T& field, T v)
    {
        if (field == v)
            return;
        field = v;
        Changed();
    }

private:
    int FUpdateCount = 0;
};

// Four colours: start and end of the gradient while off (Low) and while on (High).
class TOwPaletteEx : public TOwPersistent {
public:
    TOwPaletteEx();
    TColor Low1() const { return FLow1; }
    void SetLow1(TColor v) { Set(FLow1, v); }
    TColor Low2() const { return FLow2; }
    void SetLow2(TColor v) { Set(FLow2, v); }
    TColor High1() const { return FHigh1; }
    void SetHigh1(TColor v) { Set(FHigh1, v); }
    TColor High2() const { return FHigh2; }
    void SetHigh2(TColor v) { Set(FHigh2, v); }
    void Assign(TPersistent* Source) override;

private:
    TColor FLow1 = clGreen;
    TColor FLow2 = clBlack;
    TColor FHigh1 = clLime;
    TColor FHigh2 = clBlack;
};

enum class TOwBevelStyle { bsNone, bsLowered, bsRaised };
enum TOwBevelOutlineStyle { osOuter, osInner, osNone };

// A two-level bevel with optional black outlines, flat rings and a border.
class TOwBevel : public TOwPersistent {
public:
    TOwBevel();

    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v) { Set(FBorderWidth, v); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { Set(FBorderColor, v); }
    TColor InnerShadow() const { return FInnerShadow; }
    void SetInnerShadow(TColor v) { Set(FInnerShadow, v); }
    TColor InnerHighlight() const { return FInnerHighlight; }
    void SetInnerHighlight(TColor v) { Set(FInnerHighlight, v); }
    int InnerWidth() const { return FInnerWidth; }
    void SetInnerWidth(int v) { Set(FInnerWidth, v); }
    TOwBevelStyle InnerStyle() const { return FInnerStyle; }
    void SetInnerStyle(TOwBevelStyle v) { Set(FInnerStyle, v); }
    TOwBevelOutlineStyle InnerOutline() const { return FInnerOutline; }
    void SetInnerOutline(TOwBevelOutlineStyle v) { Set(FInnerOutline, v); }
    int InnerSpace() const { return FInnerSpace; }
    void SetInnerSpace(int v) { Set(FInnerSpace, v); }
    TColor InnerColor() const { return FInnerColor; }
    void SetInnerColor(TColor v) { Set(FInnerColor, v); }
    TColor OuterShadow() const { return FOuterShadow; }
    void SetOuterShadow(TColor v) { Set(FOuterShadow, v); }
    TColor OuterHighlight() const { return FOuterHighlight; }
    void SetOuterHighlight(TColor v) { Set(FOuterHighlight, v); }
    int OuterWidth() const { return FOuterWidth; }
    void SetOuterWidth(int v) { Set(FOuterWidth, v); }
    TOwBevelStyle OuterStyle() const { return FOuterStyle; }
    void SetOuterStyle(TOwBevelStyle v) { Set(FOuterStyle, v); }
    TOwBevelOutlineStyle OuterOutline() const { return FOuterOutline; }
    void SetOuterOutline(TOwBevelOutlineStyle v) { Set(FOuterOutline, v); }
    int OuterSpace() const { return FOuterSpace; }
    void SetOuterSpace(int v) { Set(FOuterSpace, v); }
    TColor OuterColor() const { return FOuterColor; }
    void SetOuterColor(TColor v) { Set(FOuterColor, v); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { Set(FVisible, v); }

    void Assign(TPersistent* Source) override;
    // Shrinks Rect by the bevel's total thickness.
    void GetVisibleArea(TRect& Rect) const;
    // Draws the bevel around Rect and shrinks Rect to the area inside it.
    void Paint(TCanvas* Canvas, TRect& Rect) const;
    // Top-left and bottom-right colours of a bevel of Style.
    static void BevelColors(TOwBevelStyle Style, TColor Shadow, TColor Highlight, TColor& TopLeft,
                            TColor& BottomRight);

private:
    int FBorderWidth = 0;
    TColor FBorderColor = clBtnFace;
    TColor FInnerShadow = clBtnShadow;
    TColor FInnerHighlight = clBtnHighlight;
    int FInnerWidth = 1;
    TOwBevelStyle FInnerStyle = TOwBevelStyle::bsLowered;
    TOwBevelOutlineStyle FInnerOutline = osNone;
    int FInnerSpace = 1;
    TColor FInnerColor = clBtnFace;
    TColor FOuterShadow = clBtnShadow;
    TColor FOuterHighlight = clBtnHighlight;
    int FOuterWidth = 1;
    TOwBevelStyle FOuterStyle = TOwBevelStyle::bsRaised;
    TOwBevelOutlineStyle FOuterOutline = osOuter;
    int FOuterSpace = 0;
    TColor FOuterColor = clBtnFace;
    bool FVisible = true;
};

// Outline of a text drawn by the hyperlink label.
class TOwTextOutline : public TOwPersistent {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { Set(FColor, v); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { Set(FVisible, v); }
    int Width() const { return FWidth; }
    void SetWidth(int v) { Set(FWidth, v); }
    void Assign(TPersistent* Source) override;

private:
    TColor FColor = clNavy;
    bool FVisible = true;
    int FWidth = 1;
};
