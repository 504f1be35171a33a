#pragma once
// TFont: typeface, size, colour and style of text drawn on a canvas or shown by a control.
// Size is in points, Height in pixels (negative: the character height without
// internal leading, as the class library keeps it); the screen has 96 pixels per inch.
#include "platform/graphics/Color.h"
#include "platform/graphics/GraphicsObject.h"

enum TFontStyle : unsigned {
    fsBold = 1u << 0,
    fsItalic = 1u << 1,
    fsUnderline = 1u << 2,
    fsStrikeOut = 1u << 3,
};
// A set of TFontStyle bits; test with Style() & fsBold.
using TFontStyles = unsigned;

enum TFontPitch { fpDefault, fpVariable, fpFixed };

constexpr int ScreenPixelsPerInch = 96;

class TFont : public TGraphicsObject {
public:
    TFont();

    const AnsiString& Name() const { return FName; }
    void SetName(const AnsiString& v);
    int Size() const;
    void SetSize(int v);
    int Height() const { return FHeight; }
    void SetHeight(int v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles v);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch v);
    int Charset() const { return FCharset; }
    void SetCharset(int v);
    // Text angle in tenths of a degree, counter-clockwise (the escapement of a logical font).
    int Orientation() const { return FOrientation; }
    void SetOrientation(int v);
    int PixelsPerInch() const { return ScreenPixelsPerInch; }

    void Assign(TPersistent* Source) override;
    // True when both fonts would draw the same text the same way.
    bool SameAs(const TFont& Other) const;

private:
    AnsiString FName = "MS Sans Serif";
    int FHeight = -11; // 8 points
    TColor FColor = clWindowText;
    TFontStyles FStyle = 0;
    TFontPitch FPitch = fpDefault;
    int FCharset = 1; // DEFAULT_CHARSET
    int FOrientation = 0;
};
