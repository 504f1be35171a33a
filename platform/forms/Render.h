#pragma once
// Rendering controls to pictures, for tests and for looking at what was built.
#include "platform/forms/Controls.h"
#include "platform/graphics/Bitmap.h"

// Draws Control (a form with its classic frame) into Bitmap, sized to the control.
void RenderControl(TControl* Control, TBitmap* Bitmap);
// Saves the rendering as a PNG file; false when the file cannot be written.
bool SaveControlToPng(TControl* Control, const AnsiString& FileName);
