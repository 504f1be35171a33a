#pragma once
// The markup renderer of cells, hints and the footer. Until the renderer is
// built, markup is drawn as its plain text (tags removed) in the canvas font;
// the call keeps its place and its measure.
#include "platform/core/Types.h"
#include "platform/graphics/Color.h"

class TCanvas;

// Draws (or only measures) markup text in R; returns the size it takes.
TPoint HTMLDrawEx(TCanvas* Canvas, const AnsiString& Text, const TRect& R, TColor URLColor, bool BlinkPhase,
                  bool MeasureOnly = false, bool WordWrap = true);
// The text without its tags.
AnsiString HTMLStrip(const AnsiString& Text);
