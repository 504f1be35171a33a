// Workbooks: cell addresses, and the .xlsx reader over a zip archive and the XML reader.
#include "platform/office/Spreadsheet.h"

#include <zip.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/core/DateTime.h"
#include "platform/core/FileUtils.h"
#include "platform/office/XlsxPackage_p.h"
#include "platform/office/XmlReader.h"

AnsiString ColumnLetters(int Col)
{
    AnsiString s;
    while (Col > 0) {
        const int d = (Col - 1) % 26;
        s.insert(s.begin(), char('A' + d));
        Col = (Col - 1) / 26;
    }
    return s;
}

int LettersToColumn(const AnsiString& Letters)
{
    int n = 0;
    for (char ch : Letters) {
        const char c = char(std::toupper(static_cast<unsigned char>(ch)));
        if (c < 'A' || c > 'Z')
            break;
        if (n > 100000)
            return 0; // no sheet has that many columns
        n = n * 26 + (c - 'A' + 1);
    }
    return n;
}

namespace {

// "$B$3" or "B3" as column and row; false when it is no cell address.
bool ParseCell(AnsiString s, int& Col, int& Row)
{
    s.erase(std::remove(s.begin(), s.end(), '$'), s.end());
    size_t i = 0;
    while (i < s.size() && std::isalpha(static_cast<unsigned char>(s[i])))
        ++i;
    if (i == 0 || i > 3 || i == s.size())
        return false;
    Col = LettersToColumn(s.substr(0, i));
    Row = 0;
    for (size_t k = i; k < s.size(); ++k) {
        if (!std::isdigit(static_cast<unsigned char>(s[k])) || Row > 10000000)
            return false;
        Row = Row * 10 + (s[k] - '0');
    }
    return Col > 0 && Row > 0;
}

} // namespace

bool ParseRange(const AnsiString& Range, int& Left, int& Top, int& Right, int& Bottom)
{
    const size_t colon = Range.find(':');
    if (colon == AnsiString::npos) {
        // A single cell is a range of one.
        if (!ParseCell(Range, Left, Top))
            return false;
        Right = Left;
        Bottom = Top;
        return true;
    }
    if (!ParseCell(Range.substr(0, colon), Left, Top) || !ParseCell(Range.substr(colon + 1), Right, Bottom))
        return false;
    return Left <= Right && Top <= Bottom;
}

bool UsedRange(const TSheet& Sheet, int& Left, int& Top, int& Right, int& Bottom)
{
    // Some writers state the whole sheet; a stated range of more than this many cells
    // gives way to the cells the sheet really holds.
    constexpr long long MaxStatedCells = 1000000;
    if (!Sheet.Dimension.empty() && ParseRange(Sheet.Dimension, Left, Top, Right, Bottom) &&
        (long long)(Right - Left + 1) * (Bottom - Top + 1) <= MaxStatedCells) {
        // A stated range that leaves out cells the sheet holds is widened to them.
        for (const auto& [at, cell] : Sheet.Cells) {
            Top = std::min(Top, at.first);
            Bottom = std::max(Bottom, at.first);
            Left = std::min(Left, at.second);
            Right = std::max(Right, at.second);
        }
        return true;
    }
    if (Sheet.Cells.empty())
        return false;
    Top = Sheet.Cells.begin()->first.first;
    Bottom = Sheet.Cells.rbegin()->first.first;
    Left = Right = Sheet.Cells.begin()->first.second;
    for (const auto& [at, cell] : Sheet.Cells) {
        Left = std::min(Left, at.second);
        Right = std::max(Right, at.second);
    }
    return true;
}

namespace {

struct TZipFileCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};

AnsiString Fail(const AnsiString& FileName, const AnsiString& Why)
{
    return "Cannot read workbook " + FileName + ": " + Why;
}

} // namespace

namespace XlsxPackage {

bool ReadMember(zip_t* z, const AnsiString& Name, std::string& Bytes, const AnsiString& FileName)
{
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(z, Name.c_str(), ZIP_FL_NOCASE, &st) != 0)
        return false;
    std::unique_ptr<zip_file_t, TZipFileCloser> f(zip_fopen(z, Name.c_str(), ZIP_FL_NOCASE));
    if (!f)
        throw ESpreadsheetError(Fail(FileName, "damaged archive"));
    Bytes.clear();
    char buf[65536];
    for (;;) {
        const zip_int64_t n = zip_fread(f.get(), buf, sizeof buf);
        if (n < 0)
            throw ESpreadsheetError(Fail(FileName, "damaged archive"));
        if (n == 0)
            break;
        Bytes.append(buf, size_t(n));
    }
    return true;
}

AnsiString MemberPath(const AnsiString& Target)
{
    if (!Target.empty() && Target[0] == '/')
        return Target.substr(1);
    return "xl/" + Target;
}

} // namespace XlsxPackage

using namespace XlsxPackage;

namespace {

bool IsDateFormatCode(const AnsiString& Code)
{
    bool quoted = false;
    int bracket = 0;
    for (char ch : Code) {
        if (ch == '"')
            quoted = !quoted;
        else if (!quoted && ch == '[')
            ++bracket;
        else if (!quoted && ch == ']' && bracket > 0)
            --bracket;
        else if (!quoted && bracket == 0) {
            const char c = char(std::tolower(static_cast<unsigned char>(ch)));
            if (c == 'y' || c == 'd' || c == 'h' || c == 's')
                return true;
        }
    }
    return false;
}

// For each cell style: does it show its number as a date or time.
std::vector<bool> DateStyles(const TXmlElement& Styles)
{
    std::map<int, bool> custom;
    if (const TXmlElement* fmts = Styles.Child("numFmts"))
        for (const TXmlElement& f : fmts->Children)
            custom[std::atoi(f.Attr("numFmtId").c_str())] = IsDateFormatCode(f.Attr("formatCode"));
    std::vector<bool> out;
    if (const TXmlElement* xfs = Styles.Child("cellXfs"))
        for (const TXmlElement& xf : xfs->Children) {
            const int id = std::atoi(xf.Attr("numFmtId").c_str());
            const auto it = custom.find(id);
            out.push_back(it != custom.end() ? it->second : (id >= 14 && id <= 22) || (id >= 45 && id <= 47));
        }
    return out;
}

// An ISO 8601 date, time or both ("2024-01-02", "2024-01-02T10:20:30.5", "10:20:30", a zone
// after it ignored) as days since 30 Dec 1899; false when it is none.
bool IsoDate(const AnsiString& Text, double& Value)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, n = 0;
    double sec = 0;
    const char* t = Text.c_str();
    TDateTime date = 0, time = 0;
    if (std::sscanf(t, "%4d-%2d-%2d%n", &y, &mo, &d, &n) == 3) {
        if (!TryEncodeDate(Word(y), Word(mo), Word(d), date))
            return false;
        t += n;
        if (*t == 'T' || *t == ' ')
            ++t;
        else if (*t != '\0' && *t != 'Z' && *t != '+' && *t != '-')
            return false;
    }
    if (std::isdigit(static_cast<unsigned char>(*t))) {
        if (std::sscanf(t, "%2d:%2d%n", &h, &mi, &n) != 2)
            return false;
        t += n;
        if (*t == ':' && std::sscanf(t + 1, "%lf", &sec) != 1)
            return false;
        const int whole = int(sec);
        if (sec < 0 || !TryEncodeTime(Word(h), Word(mi), Word(whole), Word(std::lround((sec - whole) * 1000) % 1000), time))
            return false;
    } else if (date == 0 && y == 0)
        return false;
    Value = date + time;
    return true;
}

// One cell as the sheet states it, finished at its end tag.
struct TRawCell {
    AnsiString Ref, Type, Style, Value, Inline;
    bool HasValue = false;
};

void StoreCell(const TRawCell& C, int& Row, int& Col, const std::vector<AnsiString>& Shared,
               const std::vector<bool>& Dates, TSheet& Sheet)
{
    int cc = Col + 1, rr = Row;
    if (!C.Ref.empty()) {
        size_t i = 0;
        while (i < C.Ref.size() && std::isalpha(static_cast<unsigned char>(C.Ref[i])))
            ++i;
        cc = LettersToColumn(C.Ref.substr(0, i));
        rr = std::atoi(C.Ref.c_str() + i);
    }
    Col = cc;
    if (cc <= 0 || rr <= 0)
        return;
    TSheetCell cell;
    if (C.Type == "s") {
        const long idx = C.HasValue ? std::atol(C.Value.c_str()) : -1;
        if (idx < 0 || size_t(idx) >= Shared.size())
            return;
        cell.Text = Shared[size_t(idx)];
    } else if (C.Type == "inlineStr")
        cell.Text = C.Inline;
    else if (C.Type == "str") {
        if (!C.HasValue)
            return;
        cell.Text = C.Value;
    } else if (C.Type == "b") {
        if (!C.HasValue)
            return;
        cell.Kind = TSheetCell::ckBool;
        cell.Number = C.Value == "1" ? 1 : 0;
    } else if (C.Type == "d") {
        if (!C.HasValue || C.Value.empty())
            return;
        // A date cell that cannot be read keeps its text.
        if (IsoDate(C.Value, cell.Number))
            cell.Kind = TSheetCell::ckDate;
        else
            cell.Text = C.Value;
    } else if (C.Type == "e") {
        cell.Kind = TSheetCell::ckError;
        cell.Text = C.HasValue ? C.Value : AnsiString("#N/A");
    } else {
        if (!C.HasValue || C.Value.empty())
            return; // a formatted empty cell
        cell.Number = std::strtod(C.Value.c_str(), nullptr);
        cell.Kind = TSheetCell::ckNumber;
        const int style = std::atoi(C.Style.c_str());
        if (style >= 0 && size_t(style) < Dates.size() && Dates[size_t(style)])
            cell.Kind = TSheetCell::ckDate;
    }
    Sheet.Cells[{rr, cc}] = std::move(cell);
}

// The sheet read as it streams past: large sheets are never held as a tree.
void ReadSheetXml(const std::string& Bytes, const std::vector<AnsiString>& Shared, const std::vector<bool>& Dates,
                  TSheet& Sheet)
{
    TXmlPullReader r(Bytes);
    int row = 0, col = 0;
    TRawCell cell;
    bool inCell = false, inValue = false, inInline = false, inRun = false, inPhonetic = false;
    for (TXmlPullReader::TToken t = r.Next(); t != TXmlPullReader::xtDone; t = r.Next()) {
        const AnsiString& n = r.Name();
        if (t == TXmlPullReader::xtStart) {
            if (n == "dimension")
                Sheet.Dimension = r.Attr("ref");
            else if (n == "row") {
                const AnsiString at = r.Attr("r");
                row = at.empty() ? row + 1 : std::atoi(at.c_str());
                col = 0;
            } else if (n == "c") {
                cell = TRawCell{r.Attr("r"), r.Attr("t"), r.Attr("s"), "", "", false};
                inCell = true;
            } else if (inCell && n == "v") {
                inValue = true;
                cell.HasValue = true;
            } else if (inCell && n == "is")
                inInline = true;
            else if (inInline && n == "rPh")
                inPhonetic = true;
            else if (inInline && n == "t")
                inRun = true;
        } else if (t == TXmlPullReader::xtEnd) {
            if (n == "c" && inCell) {
                StoreCell(cell, row, col, Shared, Dates, Sheet);
                inCell = false;
            } else if (n == "v")
                inValue = false;
            else if (n == "is")
                inInline = false;
            else if (n == "rPh")
                inPhonetic = false;
            else if (n == "t")
                inRun = false;
        } else if (inValue)
            cell.Value += r.Text();
        else if (inRun && !inPhonetic)
            cell.Inline += r.Text();
    }
}

// Every string item's text runs joined, phonetic runs left out.
std::vector<AnsiString> ReadSharedStrings(const std::string& Bytes)
{
    std::vector<AnsiString> out;
    TXmlPullReader r(Bytes);
    bool inItem = false, inRun = false, inPhonetic = false;
    for (TXmlPullReader::TToken t = r.Next(); t != TXmlPullReader::xtDone; t = r.Next()) {
        const AnsiString& n = r.Name();
        if (t == TXmlPullReader::xtStart) {
            if (n == "si") {
                out.emplace_back();
                inItem = true;
            } else if (inItem && n == "rPh")
                inPhonetic = true;
            else if (inItem && n == "t")
                inRun = true;
        } else if (t == TXmlPullReader::xtEnd) {
            if (n == "si")
                inItem = false;
            else if (n == "rPh")
                inPhonetic = false;
            else if (n == "t")
                inRun = false;
        } else if (inRun && !inPhonetic)
            out.back() += r.Text();
    }
    return out;
}

// A streamed part: its XML errors name the file and the part.
template <typename F>
auto ReadPart(zip_t* z, const AnsiString& Name, const AnsiString& FileName, bool& Found, F Read)
{
    std::string bytes;
    Found = ReadMember(z, Name, bytes, FileName);
    try {
        return Read(bytes);
    } catch (const EXmlError& e) {
        throw ESpreadsheetError(Fail(FileName, Name + ": " + e.Message()));
    }
}

TXmlElement ReadXmlMember(zip_t* z, const AnsiString& Name, const AnsiString& FileName, bool& Found)
{
    return ReadPart(z, Name, FileName, Found,
                    [&](const std::string& b) { return Found ? ParseXml(b) : TXmlElement(); });
}

} // namespace

TWorkbook ReadXlsx(const AnsiString& FileName)
{
    if (!FileExists(FileName))
        throw ESpreadsheetError(Fail(FileName, "file not found"));
    int err = 0;
    TZip z(zip_open(FileName.c_str(), ZIP_RDONLY, &err));
    if (!z)
        throw ESpreadsheetError(Fail(FileName, "not a spreadsheet file"));
    bool found = false;
    const TXmlElement wb = ReadXmlMember(z.get(), "xl/workbook.xml", FileName, found);
    if (!found)
        throw ESpreadsheetError(Fail(FileName, "not a spreadsheet file"));
    const TXmlElement rels = ReadXmlMember(z.get(), "xl/_rels/workbook.xml.rels", FileName, found);
    std::map<AnsiString, AnsiString> targets;
    for (const TXmlElement& r : rels.Children)
        targets[r.Attr("Id")] = r.Attr("Target");

    const std::vector<AnsiString> shared =
        ReadPart(z.get(), "xl/sharedStrings.xml", FileName, found,
                 [&](const std::string& b) { return found ? ReadSharedStrings(b) : std::vector<AnsiString>(); });
    const TXmlElement styles = ReadXmlMember(z.get(), "xl/styles.xml", FileName, found);
    const std::vector<bool> dates = DateStyles(styles);

    TWorkbook book;
    if (const TXmlElement* views = wb.Child("bookViews"))
        if (const TXmlElement* view = views->Child("workbookView"))
            book.ActiveSheet = std::atoi(view->Attr("activeTab").c_str());
    if (const TXmlElement* sheets = wb.Child("sheets"))
        for (const TXmlElement& s : sheets->Children) {
            TSheet sheet;
            sheet.Name = s.Attr("name");
            const auto it = targets.find(s.Attr("id"));
            if (it == targets.end())
                throw ESpreadsheetError(Fail(FileName, "sheet " + sheet.Name + " has no part"));
            ReadPart(z.get(), MemberPath(it->second), FileName, found, [&](const std::string& b) {
                if (!found)
                    throw ESpreadsheetError(Fail(FileName, "sheet " + sheet.Name + " is missing"));
                ReadSheetXml(b, shared, dates, sheet);
                return 0;
            });
            book.Sheets.push_back(std::move(sheet));
        }
    if (book.Sheets.empty())
        throw ESpreadsheetError(Fail(FileName, "the workbook has no sheets"));
    if (book.ActiveSheet < 0 || size_t(book.ActiveSheet) >= book.Sheets.size())
        book.ActiveSheet = 0;
    return book;
}

bool IsLegacyWorkbook(const AnsiString& FileName)
{
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(FileName.c_str(), "rb"), &std::fclose);
    unsigned char head[4] = {0, 0, 0, 0};
    return f && std::fread(head, 1, 4, f.get()) == 4 && head[0] == 0xD0 && head[1] == 0xCF && head[2] == 0x11 &&
           head[3] == 0xE0;
}

TWorkbook ReadWorkbook(const AnsiString& FileName)
{
    if (!FileExists(FileName))
        throw ESpreadsheetError(Fail(FileName, "file not found"));
    return IsLegacyWorkbook(FileName) ? ReadXls(FileName) : ReadXlsx(FileName);
}
