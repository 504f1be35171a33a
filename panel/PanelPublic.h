#pragma once
// What the front panel offers the rest of the program: the field cursor, keypad, page and soft
// keys, the setters of every instrument setting and the comparator. Free functions on the one
// main window (LCRForm), run on the window's thread only.
#include "platform/core/Types.h"

// ---- Field cursor ----
// 1 Up, 2 Down, 3 Left, 4 Right.
void MoveCursor(int Direction);
// "Now" draws CursorField selected, "Before" draws PrevCursorField unselected.
void HighlightField(const AnsiString& State);

// ---- Keypad ----
// 1-9 the digits, 10 zero, 11 point, 12 sign or backspace, 13 Esc, 15 Enter.
void KeypadKey(int Key);
// Converts the typed text for the selected field and hands it to its setter. False when the
// text is no number: nothing is sent and the entry stays open.
bool CommitEntry();

// ---- Power-on defaults and the measurement setup of the list and sweep pages ----
void PresetDefaults();
void StoreOrRestoreMeasSetup();

// ---- Soft keys ----
// Key 1-5 a press, 0 a redraw of the keys for the selected field.
void HandleSoftKey(int Key);
void FunctionMenuKey(int Key);
void MonitorMenuKey(int Key);

// ---- Setters: store, redraw on every page, send and read back ----
// Code 1-16, or 17 for the display of automatic LCZ selection.
void SetFunction(int Code);
// A preset index 1-15, else a frequency in 0.01 Hz.
void SetFrequency(int Arg);
// A frequency in 0.01 Hz, never a preset: clamped to 10 Hz .. the model's maximum.
void SetFrequencyValue(double Value);
// A preset index 1-7, else a level in its stored encoding; Mode "Send" sends.
void SetLevel(int Arg, const AnsiString& Mode);
// A level in its stored encoding, never a preset: clamped to the level's range.
void SetLevelValue(double Value, const AnsiString& Mode);
void SetRange(int Code, const AnsiString& Mode);
void SetTriggerSource(int Source);
void SetSpeed(int Speed);
void SetSourceResistance(int Value, const AnsiString& Mode);
// A preset 0-4, else a bias in 0.01 V.
void SetBias(int Arg);
// A bias in 0.01 V, never a preset.
void SetBiasValue(int Value);
// Selector "LCZ" or "ALC".
void SetLczOrAlc(const AnsiString& Selector, int Value);
void SetTriggerDelay(int Ms);
void SetAverage(int Count);
// Selector "Mon1" or "Mon2".
void SetMonitor(const AnsiString& Selector, int Code);

// ---- Comparator ----
// Value in 1e-5 of the unit Unit (1-4) of the field's kind; Field 14/15 the nominal,
// 4-13 and 19-28 the limits; Highlight "Now" draws it selected; Mode "Send" sends.
void SetCompValue(Int64 Value, int Unit, int Field, const AnsiString& Highlight, const AnsiString& Mode);
// Writes the limit line of bin 1-9, or 10 for the secondary parameter.
void SendBinLimits(int Bin);
// Selector "COMP" or "AUX".
void SetCompSwitch(const AnsiString& Selector, int Value);
void SetCompMode(int Mode, const AnsiString& SendMode);
void SetBeep(int Value);
void OpenMenuKey(int Key);
void SetOpenLimit(int Value);
void SetBinNumber(int Bins);
// "Delete", "Delete_Line", "Clear_Table" or "Clear_Table_No_Message".
void EditBinTable(const AnsiString& Action);
// 1 counting on, 2 counting off, 5 reset (asks first).
void ShowBinCounts(int Action);

// Sends a setting with its read-back; when the instrument never confirms it, the status bar
// names the setting.
void VerifySetting(const AnsiString& Setting, const AnsiString& Command, const AnsiString& Query,
                   const AnsiString& Expected);

// The comparator branch of CommitEntry: a typed nominal or limit with EntryUnit.
void CommitCompEntry(double Value);
