#pragma once
// The markup renderer of cells, hints and the footer: a small tag language of fonts,
// colours, anchors, images, lists and embedded controls, laid out in a rectangle,
// drawn, measured or hit-tested in one call. Nothing is kept between calls.
#include "components/grid/Picturecontainer.h"
#include "platform/core/Types.h"
#include "platform/graphics/Color.h"

class TCanvas;
class TImageList;
class TGraphic;
class TBitmap;

bool HTMLDrawEx(TCanvas* Canvas, AnsiString s, const TRect& R, TImageList* SourceImages, int XPos, int YPos,
                int FocusIndex, int HoverIndex, int ShadowShift, bool HitTestOnly, bool MeasureOnly, bool Print,
                bool Selected, bool Blink, bool HoverOnly, bool WordWrap, bool Down, double PrintRatio,
                TColor URLColor, TColor HoverBrushColor, TColor HoverTextColor, TColor ShadowColor,
                AnsiString& HitAnchor, AnsiString& StrippedText, AnsiString& FocusHref, int& MeasuredWidth,
                int& MeasuredHeight, int& AnchorCount, int& HitAnchorNumber, TRect& HitAnchorRect,
                TRect& HitControlRect, AnsiString& HitControlId, AnsiString& HitControlValue,
                AnsiString& HitControlType, THTMLPictureCache* PictureCache, TPictureContainer* PictureContainer,
                void* OwnerHandle);

// The short form the grid's painting and hints use: draws (or only measures) and
// returns the measured size.
TPoint HTMLDrawEx(TCanvas* Canvas, const AnsiString& Text, const TRect& R, TColor URLColor, bool BlinkPhase,
                  bool MeasureOnly = false, bool WordWrap = true, TImageList* Images = nullptr,
                  THTMLPictureCache* Cache = nullptr, TPictureContainer* Container = nullptr);

// Text drawn turned by Degrees (counter-clockwise) until RestoreFont.
void SelectRotatedFont(TCanvas* Canvas, int Degrees);
void RestoreFont(TCanvas* Canvas);
// The desktop's small (16) or large (32) icon of a file, folder or file type, else a
// plain one; Size says which. With Print it is drawn PrintRatio times as large.
void DrawSystemIcon(TCanvas* Canvas, int X, int Y, int& Size, double PrintRatio, bool Print, bool Draw, bool Large,
                    const AnsiString& Name);
// Draws Bitmap stretched into R (a printer canvas's own resolution).
void PrintBitmap(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap);

// Colours of the markup: a "#RRGGBB" text, a pair of hex digits, a colour name.
TColor HexToColor(const AnsiString& s);
int HexPairValue(const AnsiString& s);
TColor TextToColor(const AnsiString& s);

// Embedded controls.
void ParseControlTag(const AnsiString& Tag, AnsiString& Type, AnsiString& ID, AnsiString& Width,
                     AnsiString& Value);
bool GetControlValue(const AnsiString& Markup, const AnsiString& ID, AnsiString& Value);
bool SetControlValue(AnsiString& Markup, const AnsiString& ID, const AnsiString& Value);
AnsiString DecodeLtGt(const AnsiString& s);
AnsiString EncodeLtGt(const AnsiString& s);

// Text functions. Positions are 1-based; 0 means not found (VarPos is in Ravutil.h).
AnsiString HTMLStrip(const AnsiString& Text);
AnsiString HiLight(const AnsiString& s, const AnsiString& Text, const AnsiString& Tag, bool CaseSensitive);
AnsiString UnHiLight(const AnsiString& s, const AnsiString& Tag);
int IPos(const AnsiString& Sub, const AnsiString& s);
int IVarPos(const AnsiString& Sub, const AnsiString& s, int& Pos);
int IStrToInt(const AnsiString& s);
bool TagReplace(const AnsiString& Find, const AnsiString& Replacement, AnsiString& s);
AnsiString UnwrapHashTag(const AnsiString& s);
AnsiString CRLFToBR(const AnsiString& s, bool Convert);

namespace Raghtmle {
AnsiString RemoveTags(const AnsiString& s);
int TextPosToTagPos(const AnsiString& s, int n);
int FindTextFrom(const AnsiString& Text, const AnsiString& VisibleText, int Offset, int& Position,
                 bool CaseSensitive);
} // namespace Raghtmle
