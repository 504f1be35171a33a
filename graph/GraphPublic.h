#pragma once
// What the instrument link calls of the sweep graph.
#include "platform/core/Types.h"

void RunSweepGraphPoint(int Point);
void PlotSweepGraphPoint(int Point);
void StoreSweepGraphData();
// "Default", "Start", "Terminate" or "OK".
void SetSweepGraphState(const AnsiString& State);
