#pragma once
// Where the typed edit's attached label stands for each label position.
#include "components/controls/VodurizTypes.h"
#include "platform/core/Types.h"

// Top-left corner of the label for a control at Bounds (whose height is Height), a label
// of LabelSize whose caption measures CaptionWidth, Margin pixels apart.
TPoint PlaceLabel(TLabelPosition Position, const TRect& Bounds, int Height, const TSize& LabelSize,
                  int CaptionWidth, int Margin);
