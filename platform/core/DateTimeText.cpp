// Date and time texts: FormatDateTime and the readers StrToDate/StrToTime.
#include <cmath>

#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/StringUtils.h"

namespace {

char Up(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

AnsiString Pad2(int v)
{
    AnsiString s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

AnsiString PadN(int v, size_t n)
{
    AnsiString s = std::to_string(v);
    return s.size() < n ? AnsiString(n - s.size(), '0') + s : s;
}

bool StartsWithNoCase(const AnsiString& s, size_t at, const char* word)
{
    size_t i = 0;
    for (; word[i]; ++i)
        if (at + i >= s.size() || Up(s[at + i]) != Up(word[i]))
            return false;
    return true;
}

// True when an am/pm token follows this hour before the next hour: the first
// unquoted 'a' decides, so "h a ampm" stays on the 24-hour clock.
bool Uses12Hour(const AnsiString& f, size_t from)
{
    for (size_t i = from; i < f.size(); ++i) {
        char c = f[i];
        if (c == '"' || c == '\'') {
            size_t close = f.find(c, i + 1);
            if (close == AnsiString::npos)
                return false;
            i = close;
        } else if (c == 'a' || c == 'A') {
            return StartsWithNoCase(f, i, "am/pm") || StartsWithNoCase(f, i, "a/p") || StartsWithNoCase(f, i, "ampm");
        } else if (c == 'h' || c == 'H') {
            return false;
        }
    }
    return false;
}

struct TDateParts {
    Word Year, Month, Day, Hour, Min, Sec, MSec;
    int DayOfWeek;
    bool HasTime;
};

void AppendFormat(AnsiString& out, const AnsiString& f, const TDateParts& p, const TFormatSettings& fs, int depth)
{
    if (depth > 2)
        return;
    char lastToken = ' ';
    size_t i = 0;
    while (i < f.size()) {
        char c = f[i];
        if (c == '"' || c == '\'') {
            size_t close = f.find(c, i + 1);
            size_t end = close == AnsiString::npos ? f.size() : close;
            out += f.substr(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        char token = Up(c);
        if (token >= 'A' && token <= 'Z') {
            if (token == 'M' && lastToken == 'H')
                token = 'N';
            lastToken = token;
        }
        size_t count = 1;
        auto runOf = [&](char letter) {
            count = 1;
            while (i + count < f.size() && Up(f[i + count]) == letter)
                ++count;
        };
        switch (token) {
        case 'Y':
            runOf('Y');
            out += count <= 2 ? Pad2(p.Year % 100) : PadN(p.Year, 4);
            break;
        case 'M':
            runOf('M');
            if (count == 1)
                out += std::to_string(p.Month);
            else if (count == 2)
                out += Pad2(p.Month);
            else if (count == 3)
                out += fs.ShortMonthNames[static_cast<size_t>(p.Month - 1)];
            else
                out += fs.LongMonthNames[static_cast<size_t>(p.Month - 1)];
            break;
        case 'N':
            runOf(Up(c)); // 'n' or an 'm' read as minutes
            out += count == 1 ? std::to_string(p.Min) : Pad2(p.Min);
            break;
        case 'D':
            runOf('D');
            if (count == 1)
                out += std::to_string(p.Day);
            else if (count == 2)
                out += Pad2(p.Day);
            else if (count == 3)
                out += fs.ShortDayNames[static_cast<size_t>(p.DayOfWeek - 1)];
            else if (count == 4)
                out += fs.LongDayNames[static_cast<size_t>(p.DayOfWeek - 1)];
            else
                AppendFormat(out, count == 5 ? fs.ShortDateFormat : fs.LongDateFormat, p, fs, depth + 1);
            break;
        case 'H': {
            runOf('H');
            int h = p.Hour;
            if (Uses12Hour(f, i + count)) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            out += count == 1 ? std::to_string(h) : Pad2(h);
            break;
        }
        case 'S':
            runOf('S');
            out += count == 1 ? std::to_string(p.Sec) : Pad2(p.Sec);
            break;
        case 'Z':
            runOf('Z');
            out += count < 3 ? std::to_string(p.MSec) : PadN(p.MSec, 3);
            break;
        case 'T':
            runOf('T');
            AppendFormat(out, count == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, p, fs, depth + 1);
            break;
        case 'C':
            AppendFormat(out, fs.ShortDateFormat, p, fs, depth + 1);
            if (p.HasTime) {
                out += ' ';
                AppendFormat(out, fs.LongTimeFormat, p, fs, depth + 1);
            }
            break;
        case 'A': {
            bool pm = p.Hour >= 12;
            if (StartsWithNoCase(f, i, "am/pm")) {
                AnsiString word = f.substr(pm ? i + 3 : i, 2);
                out += word;
                count = 5;
            } else if (StartsWithNoCase(f, i, "a/p")) {
                out += f[pm ? i + 2 : i];
                count = 3;
            } else if (StartsWithNoCase(f, i, "ampm")) {
                out += pm ? fs.TimePMString : fs.TimeAMString;
                count = 4;
            } else {
                out += c;
            }
            break;
        }
        case '/':
            out += fs.DateSeparator;
            break;
        case ':':
            out += fs.TimeSeparator;
            break;
        default:
            out += c;
            break;
        }
        i += count;
    }
}

// ---- readers ----

struct TScanner {
    const AnsiString& S;
    size_t Pos = 0;

    void Blanks()
    {
        while (Pos < S.size() && S[Pos] == ' ')
            ++Pos;
    }
    bool Number(int& value, int& length)
    {
        Blanks();
        size_t start = Pos;
        long v = 0;
        while (Pos < S.size() && S[Pos] >= '0' && S[Pos] <= '9' && Pos - start < 9)
            v = v * 10 + (S[Pos++] - '0');
        length = static_cast<int>(Pos - start);
        value = static_cast<int>(v);
        return length > 0;
    }
    bool Char(char c)
    {
        Blanks();
        if (Pos < S.size() && S[Pos] == c) {
            ++Pos;
            return true;
        }
        return false;
    }
    bool Word(const AnsiString& w)
    {
        Blanks();
        if (!w.empty() && S.size() - Pos >= w.size() && SameText(S.substr(Pos, w.size()), w)) {
            Pos += w.size();
            return true;
        }
        return false;
    }
    bool AtEnd()
    {
        Blanks();
        return Pos >= S.size();
    }
};

enum TDateOrder { doMDY, doDMY, doYMD };

TDateOrder DateOrder(const AnsiString& fmt)
{
    for (char c : fmt) {
        switch (Up(c)) {
        case 'Y': return doYMD;
        case 'M': return doMDY;
        case 'D': return doDMY;
        default: break;
        }
    }
    return doMDY;
}

bool ScanDate(TScanner& sc, TDateTime& value, const TFormatSettings& fs)
{
    int n1, n2, n3, l1, l2, l3 = 0;
    if (!sc.Number(n1, l1) || !sc.Char(fs.DateSeparator) || !sc.Number(n2, l2))
        return false;
    Word curY, curM, curD;
    DecodeDate(Now(), curY, curM, curD);
    int y, m, d, yearLength;
    TDateOrder order = DateOrder(fs.ShortDateFormat);
    if (sc.Char(fs.DateSeparator)) {
        if (!sc.Number(n3, l3))
            return false;
        switch (order) {
        case doMDY: m = n1; d = n2; y = n3; yearLength = l3; break;
        case doDMY: d = n1; m = n2; y = n3; yearLength = l3; break;
        default: y = n1; m = n2; d = n3; yearLength = l1; break;
        }
    } else {
        y = curY;
        yearLength = 4;
        if (order == doDMY) {
            d = n1;
            m = n2;
        } else {
            m = n1;
            d = n2;
        }
    }
    if (yearLength <= 2) {
        int pivot = curY - fs.TwoDigitYearCenturyWindow;
        y += pivot / 100 * 100;
        if (fs.TwoDigitYearCenturyWindow > 0 && y < pivot)
            y += 100;
    }
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31)
        return false;
    return TryEncodeDate(static_cast<Word>(y), static_cast<Word>(m), static_cast<Word>(d), value);
}

bool ScanTime(TScanner& sc, TDateTime& value, const TFormatSettings& fs)
{
    int baseHour = -1;
    auto scanAmPm = [&] {
        if (sc.Word(fs.TimeAMString) || sc.Word("AM"))
            baseHour = 0;
        else if (sc.Word(fs.TimePMString) || sc.Word("PM"))
            baseHour = 12;
    };
    scanAmPm();
    int hour, min = 0, sec = 0, msec = 0, len;
    if (!sc.Number(hour, len))
        return false;
    if (sc.Char(fs.TimeSeparator)) {
        if (!sc.Number(min, len))
            return false;
        if (sc.Char(fs.TimeSeparator)) {
            if (!sc.Number(sec, len))
                return false;
            if (sc.Char(fs.DecimalSeparator) && !sc.Number(msec, len))
                return false;
        }
    }
    if (baseHour < 0)
        scanAmPm();
    if (baseHour >= 0) {
        if (hour == 0 || hour > 12)
            return false;
        if (hour == 12)
            hour = 0;
        hour += baseHour;
    }
    if (hour > 23 || min > 59 || sec > 59 || msec > 999)
        return false;
    return TryEncodeTime(static_cast<Word>(hour), static_cast<Word>(min), static_cast<Word>(sec), static_cast<Word>(msec), value);
}

} // namespace

AnsiString FormatDateTime(const AnsiString& Format, TDateTime Value, const TFormatSettings& Settings)
{
    TDateParts p{};
    DecodeDate(Value, p.Year, p.Month, p.Day);
    DecodeTime(Value, p.Hour, p.Min, p.Sec, p.MSec);
    p.DayOfWeek = DayOfWeek(Value);
    p.HasTime = p.Hour || p.Min || p.Sec || p.MSec;
    AnsiString out;
    AppendFormat(out, Format.empty() ? AnsiString("c") : Format, p, Settings, 0);
    return out;
}

AnsiString FormatDateTime(const AnsiString& Format, TDateTime Value) { return FormatDateTime(Format, Value, FormatSettings); }
AnsiString DateToStr(TDateTime Value) { return FormatDateTime("ddddd", Value); }
AnsiString TimeToStr(TDateTime Value) { return FormatDateTime("tt", Value); }
AnsiString DateTimeToStr(TDateTime Value) { return FormatDateTime("c", Value); }

TDateTime StrToDate(const AnsiString& S, const TFormatSettings& Settings)
{
    TScanner sc{S};
    TDateTime v = 0;
    if (!ScanDate(sc, v, Settings) || !sc.AtEnd())
        throw EConvertError("'" + S + "' is not a valid date");
    return v;
}

TDateTime StrToDate(const AnsiString& S) { return StrToDate(S, FormatSettings); }

TDateTime StrToTime(const AnsiString& S, const TFormatSettings& Settings)
{
    TScanner sc{S};
    TDateTime v = 0;
    if (!ScanTime(sc, v, Settings) || !sc.AtEnd())
        throw EConvertError("'" + S + "' is not a valid time");
    return v;
}

TDateTime StrToTime(const AnsiString& S) { return StrToTime(S, FormatSettings); }

TDateTime StrToDateTime(const AnsiString& S)
{
    TScanner sc{S};
    TDateTime d = 0, t = 0;
    bool ok = ScanDate(sc, d, FormatSettings);
    if (ok && !sc.AtEnd())
        ok = ScanTime(sc, t, FormatSettings) && sc.AtEnd();
    if (!ok) {
        // A time alone is a time on day 0.
        TScanner timeOnly{S};
        d = 0;
        if (!ScanTime(timeOnly, t, FormatSettings) || !timeOnly.AtEnd())
            throw EConvertError("'" + S + "' is not a valid date and time");
    }
    return d < 0 ? d - t : d + t;
}

bool TryStrToDate(const AnsiString& S, TDateTime& Value)
{
    TScanner sc{S};
    TDateTime v = 0;
    if (!ScanDate(sc, v, FormatSettings) || !sc.AtEnd())
        return false;
    Value = v;
    return true;
}

bool TryStrToTime(const AnsiString& S, TDateTime& Value)
{
    TScanner sc{S};
    TDateTime v = 0;
    if (!ScanTime(sc, v, FormatSettings) || !sc.AtEnd())
        return false;
    Value = v;
    return true;
}
