// Bodies still to come.
#include "main/Public.h"

void SendCommand(const AnsiString&) {}
AnsiString ReadReply() { return {}; }
bool SendAndVerify(const AnsiString&, const AnsiString&, const AnsiString&) { return true; }
AnsiString NormalizeQueryReply(const AnsiString&, const AnsiString&) { return {}; }
void WaitMeasureTime() {}
void QueryRange() {}
void QueryFunction() {}
bool IdentifyInstrument() { return false; }
bool IsNumericReply(const AnsiString&) { return true; }
void ProcessFetchReply(const AnsiString&) {}
bool ReplyInDcrForm() { return false; }
AnsiString FormatReplyValue(const AnsiString&, int) { return {}; }
AnsiString FormatSignificant(double, int) { return {}; }
int FunctionIndex(const AnsiString&) { return 1; }
int MonitorIndex(const AnsiString&) { return 0; }
int PrefixExponent(const AnsiString&) { return 0; }
int UnitPrefixIndex(int, const AnsiString&, const AnsiString&) { return 0; }
AnsiString NormalizeDecimalText(const AnsiString& Text) { return Text; }
TValueUnit ApplyValueUnit(TValueKind, int, int, const AnsiString& Display) { return {Display, Display, ""}; }
void ShowBinResult(const AnsiString&) {}
void ShowPage(const AnsiString&) {}
void StartLiveLog() {}
bool OpenLiveLog() { return false; }
void CloseLiveLog() {}
void AppendLiveLogRecord() {}
void EndLiveLog() {}
void ShowSetupCaptionColors() {}
