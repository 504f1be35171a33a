#pragma once
// What the instrument link and the front panel call of the list sweep.
#include "platform/core/Types.h"

void RunListStep(int Step);
// "Default", "Start", "Terminate", "OK" or "Step".
void SetListMeasState(const AnsiString& State);
void CompareListStep(int Step);

// ---- Within the list sweep ----
// Row 1 holds no step.
bool ListIsEmpty();
void ListReplyTimerTimer();
// Opens the step nominal panel for Row ("Get") or stores it ("Set").
void EditListStepNominal(int Row, const AnsiString& Mode);
// Refills the nominal unit box of a sweep panel ("ListSweep" or "SweepGraph").
void FillNominalUnitBox(const AnsiString& FunctionName, const AnsiString& Selector);
void ValidateListSetupRow();
// A field outside the step table accepted its value: the input error ends, unless a refused
// cell of the table still waits for its value.
void EndInputError();
void CopyListSteps();
void BuildListSteps();
void WriteListSetupFile(const AnsiString& Path);
void ReadListSetupFile(const AnsiString& Path);
void WriteListMeasResultFile(const AnsiString& Path);
// The setup section of the files: marker, column names and one "\r\n"-ended line per step.
AnsiString ListSetupSectionText();
