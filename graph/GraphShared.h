#pragma once
// What the sweep graph's own files share.
#include "platform/core/Types.h"

// A cell of the sweep point table.
AnsiString GridCell(int Col, int Row);
// Drops the compare pass: its rows, stored texts and series.
void DropComparePass();
