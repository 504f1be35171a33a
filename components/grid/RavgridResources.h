#pragma once
// The pictures the grid draws from its own resources: the filter button of a
// header ("RAGFILT"), the focus marks of middle-button panning ("INTLI1" both
// ways, "INTLI2" horizontal, "INTLI3" vertical), and its cursors, which the
// screen knows by number from the first use of the grid on.
#include "platform/core/Types.h"
#include "platform/forms/Controls.h"

class TBitmap;

namespace Ravgrid {

// Panning: no movement, then the eight directions.
constexpr TCursor crPanNone = 8000;
constexpr TCursor crPanDown = 8001;
constexpr TCursor crPanLeft = 8002;
constexpr TCursor crPanRight = 8003;
constexpr TCursor crPanUp = 8004;
constexpr TCursor crPanUpRight = 8005;
constexpr TCursor crPanUpLeft = 8006;
constexpr TCursor crPanDownRight = 8007;
constexpr TCursor crPanDownLeft = 8008;
// Zones: a row header selects the row, a column header the column; the corner cell all.
constexpr TCursor crSelectRow = 8010;
constexpr TCursor crSelectCol = 8011;
constexpr TCursor crSelectAll = 8012;

// The picture of a named resource; nullptr for a name the grid does not carry.
TBitmap* GridBitmap(const AnsiString& Name);
// Makes the grid's cursors known to the screen (once; later calls do nothing).
void RegisterGridCursors();

} // namespace Ravgrid
