#pragma once
// Free functions of the grid library: text scanning, line-break escaping for the
// file and clipboard formats, number and date recognition, colour arithmetic,
// small drawing aids, and wildcard/condition matching. Positions count from 1;
// 0 means not found.
#include <set>

#include "platform/core/Types.h"
#include "platform/graphics/Color.h"

class TCanvas;
class TBitmap;
class TStrings;
class TWinControl;

struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend constexpr bool operator==(const TGridRect&, const TGridRect&) = default;
};

// Scanning and positions.
int CharPos(char ch, const AnsiString& s);
int VarCharPos(char ch, const AnsiString& s, int& pos);
int VarCharPosNC(char ch, const AnsiString& s, int& pos);
int VarPos(const AnsiString& sub, const AnsiString& s, int& pos);
int FIPos(const AnsiString& su, const AnsiString& s);
char FirstChar(const std::set<char>& chars, const AnsiString& s);
int SinglePos(char ch, const AnsiString& s, int& pos);
int NumSingleChar(char ch, AnsiString s);
int NumChar(char ch, const AnsiString& s);
AnsiString GetToken(AnsiString& s, const AnsiString& delim);
AnsiString GetNextLine(AnsiString& s, bool multiline);
int LinesInText(const AnsiString& s, bool multiline);
AnsiString StringListToText(const TStrings* list);
bool IsInGridRect(const TGridRect& r, int col, int row);
bool NameToCell(const AnsiString& name, TPoint& point);
int Max(int a, int b);
int Min(int a, int b);
int CheckLimits(int value, int min, int max);
AnsiString RectString(const TRect& r);

// Escaping and line breaks.
void LineFeedsToCSV(AnsiString& s);
void CSVToLineFeeds(AnsiString& s);
void LineFeedsToJava(AnsiString& s);
void JavaToLineFeeds(AnsiString& s);
AnsiString LineFeedsToXLS(const AnsiString& s);
AnsiString LfToFile(const AnsiString& s);
AnsiString FileToLf(const AnsiString& s, bool multiline);
AnsiString LFToCLF(const AnsiString& s);
AnsiString CLFToLF(const AnsiString& s);
AnsiString HTMLLineBreaks(const AnsiString& s);
AnsiString DoubleToSingleChar(char ch, const AnsiString& s);
void StringToPassword(AnsiString& s, char ch);
// The program's text to the OEM code page (850) and back.
void StringToOem(AnsiString& s);
void OemToString(AnsiString& s);

// Classification, numbers and dates.
enum { ttPlain = 0, ttHTML = 1, ttRTF = 2, ttFormula = 3 };
int TextType(const AnsiString& s, bool html);
enum { atNumeric = 0, atFloat = 1, atString = 2 };
int IsType(const AnsiString& s);
AnsiString RemoveSeps(const AnsiString& s);
AnsiString FixDecimalSeparator(const AnsiString& s);
TDateTime StrToShortdateUS(const AnsiString& s);
TDateTime StrToShortDateEU(const AnsiString& s);
TDateTime GetNextDate(TDateTime d, Word years, Word months, Word days, TDateTime step);
AnsiString ShiftCase(const AnsiString& s);
bool IsURL(const AnsiString& s);
void StripURLProtocol(AnsiString& s);

// Colours and drawing.
enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };

TColor DarkenColor(TColor c);
AnsiString HTMLColor(TColor c);
void DrawBitmapTransp(TCanvas* Canvas, TBitmap* bmp, TColor bkcolor, const TRect& r);
void DrawBitmapResourceTransp(TCanvas* Canvas, TColor bkcolor, const TRect& r, const AnsiString& ResName);
void DrawErrorLines(TWinControl* Control, TCanvas* Canvas, const AnsiString& Text, const TRect& r, int VOffset,
                    int FirstChar, int CharCount);
// The small filled arrow of a scroll or drop-down button, centred in r, in the
// canvas's current brush and pen.
void DrawButtonArrow(TCanvas* Canvas, const TRect& r, TArrowDirection Direction);

// Wildcard and condition matching.
bool Matches(const char* condition, const char* value);
bool MatchStr(const AnsiString& condition, const AnsiString& value, bool caseSensitive);
bool MatchStrEx(const AnsiString& condition, const AnsiString& value, bool caseSensitive);
