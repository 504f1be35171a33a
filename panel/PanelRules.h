#pragma once
// The front panel's rules that need no window: the neighbours of the field cursor, the
// units of a typed comparator value, and the number texts of the settings.
#include "platform/core/Types.h"

// What the cursor's neighbour rules look at.
struct TCursorContext {
    bool Log = false;   // live logging is on
    bool Dcr = false;   // the function is DCR
    bool Mon = false;   // a monitor is ABS or PER
    bool Aux = false;   // the AUX bin is on
    int Bins = 1;       // number of bins
};
// Directions of the arrow keys.
enum { cdUp = 1, cdDown = 2, cdLeft = 3, cdRight = 4 };
// The field an arrow key moves to from Field on Page; -1 when the selection stays.
// Pages without fields (3, 7-9) give Field back.
int NextCursorField(int Page, int Field, int Direction, const TCursorContext& C);

// A typed comparator value turned into its stored form: 1e-5 of the unit Unit (1-4).
struct TCompEntry {
    Int64 Value;
    int Unit;
};
// V typed with the unit index Unit into Field of Page, for Function and comparator Mode.
TCompEntry ConvertCompEntry(double V, int Unit, int Function, int Field, int Mode, int Page);

// Rounds half away from zero.
Int64 RoundHalfAway(double V);
// The fixed-point text of V with at most Precision significant digits and Decimals decimals.
AnsiString FixedText(double V, int Precision, int Decimals);
// A comparator value (V in its unit) as it is shown and sent: 5 decimals below 10, one
// fewer for each further decade, none from 100000 up.
AnsiString CompValueText(double V);
