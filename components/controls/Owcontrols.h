#pragma once
// Enumerations, ranges and lookup tables shared by the owner-drawn controls.
#include <array>
#include <functional>

#include "platform/core/Types.h"
#include "platform/graphics/DrawTextFlags.h"

class TObject;

enum TOwDrawStyle { dsOwnerDraw, dsNormal };
enum TOwTransparentMode { tmPixel, tmColor };
// The grid has its own vtaTop..vtaBottom: these names live in the library's scope (the
// classes that take them bring them in with `using enum`).
namespace Owcontrols {
enum TOwTextAlignment { vtaLeft, vtaCenter, vtaRight, vtaTopLeft, vtaTop, vtaTopRight, vtaBottomLeft, vtaBottom, vtaBottomRight };
}
using Owcontrols::TOwTextAlignment;
enum TOwAlignment { vaLeftJustify, vaRightJustify, vaCenter };
enum TOwOrientation { voVertical, voHorizontal };
enum TOwGradDirection { gdUpDown, gdUpDownHalf, gdLeftRight, gdLeftRightHalf, gdChord1, gdChord2 };
enum TOwImageTextLayout { ImageLeft, ImageRight, ImageTop, ImageBottom };
enum TOwTickMarks { tmNone, tmBoth, tmBottomRight, tmTopLeft };
enum TOwProgressStyle { psBottomLeft, psTopRight };
enum TOwScrollDirection { sdRightToLeft, sdLeftToRight, sdTopToBottom, sdBottomToTop };

// Integer ranges (documentation of the allowed values; plain integers in code).
using TOwColInt = int;     // 1..2147483647
using TOwRowInt = int;     // 1..2147483647
using TOwMaxInt = int;     // 1..2147483647
using TOwIntMax = int;     // 1..2147483647
using TOwWordInt = int;    // 0..2147483647
using TOwByteInt = int;    // 0..255
using TOwHoursInt = int;   // 0..23
using TOwMinutesInt = int; // 0..59
using TOwSecondsInt = int; // 0..59
using TOwPercentInt = int; // 0..100
using TOwInt10 = int;      // 1..10
using TOwAngle = int;      // 0..359
using TOwTextAngle = int;  // 0..359
using TOwDegrees = int;    // 0..360

using TOwHoursChangeEvent = std::function<void(TObject* Sender, Word Hours)>;
using TOwMinutesChangeEvent = std::function<void(TObject* Sender, Word Minutes)>;
using TOwSecondsChangeEvent = std::function<void(TObject* Sender, Word Seconds)>;

// DrawText format of each text alignment (callers add DT_SINGLELINE).
constexpr std::array<unsigned, 9> cfTextAlign{4, 5, 6, 0, 1, 2, 8, 9, 10};
// DrawGradientExt style of each gradient direction.
constexpr std::array<int, 6> cfGradDirection{1, 5, 2, 6, 3, 4};
// DrawGradient direction of each orientation.
constexpr std::array<int, 2> cfOrientation{0, 1};
// CalcImageTextLayout layout of each image position.
constexpr std::array<int, 4> cfImageTextLayout{1, 2, 3, 4};

// The hand cursor the library installs in the screen's cursor table.
constexpr int crOwHandPoint = 99;

constexpr const char* OwVersion = "1.3";
