#pragma once
// Where the typed edit's attached label stands for each label position, and the border
// the edit family draws around itself.
#include "components/controls/VodurizTypes.h"
#include "platform/core/Types.h"
#include "platform/graphics/Color.h"

// Top-left corner of the label for a control at Bounds (whose height is Height), a label
// of LabelSize whose caption measures CaptionWidth, Margin pixels apart.
TPoint PlaceLabel(TLabelPosition Position, const TRect& Bounds, int Height, const TSize& LabelSize,
                  int CaptionWidth, int Margin);

class TCanvas;

// The edit family's own border over a W x H control: sunken when Sunken, else a frame in
// FrameColor with an inner frame.
void DrawEditBorder(TCanvas* Canvas, int W, int H, bool Sunken, TColor FrameColor);
