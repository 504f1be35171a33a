#pragma once
// Pieces the list sweep shares with the sweep graph: the saved files' header and their
// safe writing, the nominal unit lists and nominal text, the sweep point rule and the
// reading of a measured value text.
#include <functional>

#include "platform/core/Types.h"

// The text right-aligned in Width characters, never cut (a printf "%<Width>s" field).
AnsiString RightAlign(const AnsiString& Text, size_t Width);

// The seven header lines of every saved file, each ended by "\r\n"; FileName is the path
// the file is saved under.
AnsiString DataFileHeader(const AnsiString& FileName);

// Writes Content to FileName without ever losing the file already there: a temporary file
// in the same folder is written, flushed and renamed over it. On failure the old file is
// kept, the temporary removed, a "Warning" box names the file, and false is returned.
bool SaveTextFileSafely(const AnsiString& FileName, const AnsiString& Content);
// The same for a file another writer produces: Write gets the temporary's path and
// returns whether it wrote it.
bool SaveFileSafely(const AnsiString& FileName, const std::function<bool(const AnsiString& TempName)>& Write);

// Fills the nominal unit box of the list sweep panel ("ListSweep") or of the sweep graph
// panel ("SweepGraph") with the unit list of the function's kind; item 0 selected.
void FillNominalUnitBox(const AnsiString& FunctionName, const AnsiString& Selector);

// The nominal as the instrument takes it: the value with 7 significant digits and the
// prefix of unit position UnitPos (0-based) of the function's kind; kilohenry is sent in
// henry and megohm in kilohm, and ohm and henry carry no prefix.
AnsiString NominalText(int Function, double Value, int UnitPos);

// Point K (1..N) of a sweep from Start to End: Start + (K-1)(End-Start)/(N-1); N = 1 gives
// Start. Never beyond End.
double SweepPointValue(double Start, double End, int N, int K);

// A measured value text ("-1.23456 kohm", " 0.00000 pF", "OVERLOAD  F") split into its
// number, prefix letter ("" when none) and unit. False for an empty text and for
// "OVERLOAD" (or its cut form "OVERLOA"), whose number is then 0.
bool ParseValueText(const AnsiString& Text, double& Number, AnsiString& Prefix, AnsiString& Unit);
