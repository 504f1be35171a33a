#pragma once
// What the sweep graph's own files share.
#include "platform/core/Types.h"

// The identified model's highest test frequency in kHz and the tail of its range message.
double ModelHighestKHz();
AnsiString ModelRangeTail();
// A cell of the sweep point table.
AnsiString GridCell(int Col, int Row);
// Drops the compare pass: its rows, stored texts and series.
void DropComparePass();
