#pragma once
// The labelled ticks of a chart axis, chosen as a chart component chooses them: steps of
// 1, 2 or 5 times a power of ten, no more labels than fit side by side along the axis,
// so that no label is cut or overlaps its neighbour. The screen chart, the report's chart
// and a saved bitmap all draw their grid and labels from this choice.
#include <functional>
#include <vector>

#include "platform/core/Types.h"

struct TAxisTicks {
    std::vector<double> Values;     // ascending, within the range
    std::vector<AnsiString> Labels; // one per value
};

// Ticks for the range [Lo, Hi] of an axis drawn Length pixels long. LabelLength gives the
// pixels a label takes along the axis (its width on a horizontal axis, its height on a
// vertical one). A linear axis takes the smallest 1-2-5 step whose labels fit, at most ten
// labels; a logarithmic one (Lo > 0) takes 1, 2 and 5 of each decade, or whole decades,
// or every second, third ... decade, whichever is the densest that fits; within less than
// a decade it steps linearly.
TAxisTicks ChooseAxisTicks(double Lo, double Hi, bool Logarithmic, int Length,
                           const std::function<int(const AnsiString&)>& LabelLength);
