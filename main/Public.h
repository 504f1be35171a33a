#pragma once
// The free functions of the instrument link: the command exchange, identification,
// polling replies, value formatting, comparator result, page display and the live log.
// They work on the one main window through LCRForm, on the window's thread only.
#include "platform/core/Types.h"

// ---- Command exchange ----
// Writes Text to the port; false when nothing went out. A line that fails under the write
// (the device vanished) is the instrument going off line: while connected, the off-line
// reaction runs and the operation in progress ends silently (EAbort).
bool WritePort(const AnsiString& Text);
// Writes one line (a line feed is added) and waits as the line needs; pauses polling for it.
void SendCommand(const AnsiString& Command);
// The reply line waiting at the port, without its line feed; empty when nothing arrived.
AnsiString ReadReply();
// Sends Command with its read-back Query and repeats it while the reply differs from Expected;
// false when the instrument never confirmed it.
bool SendAndVerify(const AnsiString& Command, const AnsiString& Query, const AnsiString& Expected);
// Kind: "Freq", "Level(V)", "Level(mA)" or "Nominal"; any other kind gives "".
AnsiString NormalizeQueryReply(const AnsiString& Reply, const AnsiString& Kind);
// Sleeps for the instrument's measuring time.
void WaitMeasureTime();
void QueryRange();
void QueryFunction();

// ---- Connection ----
bool IdentifyInstrument();

// ---- Replies ----
// True when every character is one of "0123456789+-.e" (the empty text too).
bool IsNumericReply(const AnsiString& Text);
void ProcessFetchReply(const AnsiString& Reply);
// The fetch query the reply of LastCommand answers is in DCR form.
bool ReplyInDcrForm();

// ---- Measured values and number helpers ----
// Mantissa and exponent of a 12-character number field; false when it is no number.
bool ParseReplyField(const AnsiString& Field, double& Mantissa, int& Exponent);
AnsiString FormatReplyValue(const AnsiString& Field, int Digits);
// The engineering prefix letter of a power of ten (3 "k" ... -15 "f"); "" for any other.
AnsiString PrefixOfPower(int Power);
AnsiString FormatSignificant(double Value, int Digits);
int FunctionIndex(const AnsiString& Name);
int MonitorIndex(const AnsiString& Name);
int PrefixExponent(const AnsiString& Prefix);
int UnitPrefixIndex(int Function, const AnsiString& Prefix, const AnsiString& Part);
AnsiString NormalizeDecimalText(const AnsiString& Text);

// The unit step of one value: moves it into the unit the instrument's display uses,
// appends the unit and names the unit picture (a file of the bitmap folder, "" for none).
enum class TValueKind { Primary, Secondary, Monitor };
struct TValueUnit {
    AnsiString Text;    // the new display text with its unit
    AnsiString Number;  // the number text shown on the instrument pages
    AnsiString Picture; // file name of the unit picture, "" when the value has none
};
TValueUnit ApplyValueUnit(TValueKind Kind, int Function, int Monitor, const AnsiString& Display);

// ---- Comparator result ----
void ShowBinResult(const AnsiString& Field);

// ---- Page display ----
// Mode "Send" switches panel, instrument page and polling; any other mode only redraws.
void ShowPage(const AnsiString& Mode);
// The picture of title soft key 1-4 of page 1, 2, 4, 5 or 6 ("ViewParaFrame.bmp" elsewhere).
const char* TitleKeyPicture(int Page, int Key);

// ---- Live log ----
void StartLiveLog();
bool OpenLiveLog();
void CloseLiveLog();
void AppendLiveLogRecord();
void EndLiveLog();
void ShowSetupCaptionColors();
