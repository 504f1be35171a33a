#pragma once
// The sweep graph's free functions: what the instrument link calls and what the tab's
// handlers share. They work on the one main window through LCRForm.
#include "platform/core/Types.h"

class TCheckBox;
class TLabel;
class TOwUserLed;
class TPanel;
class TVodUriz;

void RunSweepGraphPoint(int Point);
void PlotSweepGraphPoint(int Point);
void StoreSweepGraphData();
// "Default", "Start", "Terminate" or "OK".
void SetSweepGraphState(const AnsiString& State);

void SetupSweepGraph();
void ResetSweepGraphSeries();
void ScaleSweepGraph();
void ShowSweepGraphUnits();
// The number of a value text of quantity Trace (0-3) in the graph's prefix of that quantity.
AnsiString ConvertToGraphUnit(int Trace, int Row, const AnsiString& Mode, const AnsiString& Text);
// A monitor's ABS value in the unit of the nominal unit box.
AnsiString ConvertPrimaryToGraphUnit(const AnsiString& Text);
// Writes the result file; false (after a "Warning" box) when it could not be written.
bool WriteSweepGraphResultFile(const AnsiString& FileName);
// The result file's text for FileName.
AnsiString SweepGraphResultText(const AnsiString& FileName);

// The controls of trace N (1-8).
TVodUriz* GraphLimitEdit(int N, bool Upper);
TLabel* GraphUnitLab(int N, bool Upper);
TCheckBox* GraphCheckOf(int N);
TOwUserLed* SweepGraphSwatch(int N);
TPanel* GraphTypeStatusOf(int N);
// Column titles, widths and alignment of the sweep point table.
void SetUpSweepResultGrid(class TRavArodozIdad* Grid);
