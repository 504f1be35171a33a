#pragma once
// Private to the platform layer: the look of the Qt controls.
class QStyle;

namespace zvforms {

// The classic look the controls are drawn in. It draws the frame of a line edit from a
// picture of it made once per size, state and palette: a line edit repaints all of itself
// on each new text, and stroking its frame line by line again costs more than its text.
QStyle* NewControlStyle();

} // namespace zvforms
