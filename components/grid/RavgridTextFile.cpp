// The grid's own text format, the save range, and the file helpers every
// format of the grid shares.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "components/grid/Ravgrid.h"
#include "platform/core/CodePages.h"
#include "platform/core/IntConvert.h"
#include "platform/core/SafeSave.h"
#include "platform/core/Streams.h"

namespace RavgridFile {

AnsiString ToFile(const AnsiString& Text, bool Oem)
{
    return Utf8ToCodePage(Text, Oem ? TCodePage::Oem850 : TCodePage::Windows1252);
}

AnsiString FromFile(const AnsiString& Bytes, bool Oem)
{
    return CodePageToUtf8(Bytes, Oem ? TCodePage::Oem850 : TCodePage::Windows1252);
}

bool ReadAll(const AnsiString& FileName, AnsiString& Data)
{
    std::FILE* f = std::fopen(FileName.c_str(), "rb");
    if (!f)
        return false;
    Data.clear();
    char buf[65536];
    size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        Data.append(buf, n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        throw EInOutError("I/O error reading " + FileName);
    return true;
}

bool TLineReader::Next(AnsiString& Line)
{
    if (FPos >= FData.size())
        return false;
    size_t end = FData.find('\n', FPos);
    const size_t stop = end == AnsiString::npos ? FData.size() : end;
    Line.assign(FData, FPos, stop - FPos);
    FPos = end == AnsiString::npos ? FData.size() : end + 1;
    if (Line.find('\r') != AnsiString::npos)
        std::erase(Line, '\r');
    return true;
}

TTextWriter::TTextWriter() = default;

TTextWriter::~TTextWriter()
{
    if (FAppend)
        std::fclose(FAppend);
}

bool TTextWriter::Open(const AnsiString& FileName, bool Append)
{
    // A new file replaces the old one only once it is whole; appending cannot work so.
    if (Append) {
        FAppend = std::fopen(FileName.c_str(), "ab");
        return FAppend != nullptr;
    }
    FSave = std::make_unique<TSafeSave>(FileName);
    return FSave->IsOpen();
}

void TTextWriter::Write(std::string_view Bytes)
{
    const bool ok = FSave ? FSave->Write(Bytes) : std::fwrite(Bytes.data(), 1, Bytes.size(), FAppend) == Bytes.size();
    if (!ok)
        throw EInOutError("I/O error writing the file");
}

void TTextWriter::Line(std::string_view Bytes)
{
    Write(Bytes);
    Write("\r\n");
}

void TTextWriter::Close()
{
    bool ok = true;
    if (FSave) {
        ok = FSave->Commit();
        FSave.reset();
    } else if (FAppend) {
        ok = std::fclose(FAppend) == 0;
        FAppend = nullptr;
    }
    if (!ok)
        throw EInOutError("I/O error writing the file");
}

TSavedColumns::TSavedColumns(TRavArodozIdad* Grid, int C0, int C1) : FGrid(Grid), FC0(C0)
{
    int width = 0;
    for (int c = C0; c <= C1; ++c) {
        FSource.push_back(Grid->SaveWithHiddenColumns ? c : Grid->RemapCol(c));
        width = std::max(width, FSource.back() + 1);
    }
    FTexts.resize(size_t(width));
    FBufs.resize(size_t(width));
}

void TSavedColumns::Read(int ARow) { FGrid->GetRowEx(ARow, FTexts, FBufs); }

TProgress::TProgress(TRavArodozIdad* Grid) : FGrid(Grid) {}

bool TProgress::Wanted() const { return bool(FGrid->OnFileProgress); }

void TProgress::Report(long long Numerator, long long Denominator)
{
    if (!FGrid->OnFileProgress)
        return;
    const int pct = int(std::llround(double(Numerator) * 100.0 / double(std::max(1LL, Denominator))));
    if (pct == FLast)
        return;
    FLast = pct;
    FGrid->OnFileProgress(FGrid, short(pct));
}

} // namespace RavgridFile

using namespace RavgridFile;

THTMLSettings::THTMLSettings() : FColWidths(std::make_unique<TIntList>(0, 0)) {}
THTMLSettings::~THTMLSettings() = default;

void THTMLSettings::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<THTMLSettings*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    SaveColor = s->SaveColor;
    SaveFonts = s->SaveFonts;
    FooterFile = s->FooterFile;
    HeaderFile = s->HeaderFile;
    BorderSize = s->BorderSize;
    CellSpacing = s->CellSpacing;
    CellPadding = s->CellPadding;
    TableStyle = s->TableStyle;
    PrefixTag = s->PrefixTag;
    SuffixTag = s->SuffixTag;
    Width = s->Width;
    FColWidths->SetStrValue(s->FColWidths->GetStrValue());
    XHTML = s->XHTML;
}

// ---------------------------------------------------------------- save range

int TRavArodozIdad::GetSaveStartCol() { return SaveWithFixedCells ? 0 : GetFixedColsEx(); }
int TRavArodozIdad::GetSaveEndCol() { return SaveWithFixedCells ? ColCount() - 1 : ColCount() - FFixedRightCols - 1; }
int TRavArodozIdad::GetSaveStartRow() { return SaveWithFixedCells ? 0 : GetFixedRowsEx(); }
int TRavArodozIdad::GetSaveEndRow() { return SaveWithFixedCells ? RowCount() - 1 : RowCount() - FFixedFooters - 1; }

int TRavArodozIdad::GetSaveColCount()
{
    return SaveWithFixedCells ? ColCount() : ColCount() - GetFixedColsEx() - FFixedRightCols;
}

int TRavArodozIdad::GetSaveRowCount()
{
    return SaveWithFixedCells ? RowCount() : RowCount() - GetFixedRowsEx() - FFixedFooters;
}

void TRavArodozIdad::CellsLoaded()
{
    CalcFooter(-1);
    FloatFooterUpdate();
}

// ---------------------------------------------------------------- text file

namespace {

// Whole numbers of the text file: leading blanks, a sign, hexadecimal prefixes;
// reading stops at the first character that does not fit.
int LenientInt(const AnsiString& S)
{
    int v = 0, code = 0;
    Val(S, v, code);
    return v;
}

// "col,row,text": the text keeps any further commas.
void SplitCellLine(const AnsiString& Line, AnsiString& C, AnsiString& R, AnsiString& Text)
{
    const size_t p1 = Line.find(',');
    if (p1 == AnsiString::npos) {
        C = Line;
        R.clear();
        Text.clear();
        return;
    }
    C = Line.substr(0, p1);
    const size_t p2 = Line.find(',', p1 + 1);
    if (p2 == AnsiString::npos) {
        R = Line.substr(p1 + 1);
        Text.clear();
        return;
    }
    R = Line.substr(p1 + 1, p2 - p1 - 1);
    Text = Line.substr(p2 + 1);
}

AnsiString WidthLine(int ACol, int AWidth) { return "cw " + IntToStr(ACol) + "," + IntToStr(AWidth); }

// "col,row,text" and the line end, appended without a string per part: a million rows
// write eight million of them.
void AppendCellLine(AnsiString& Line, int ACol, int ARow, std::string_view Text)
{
    char number[16];
    Line.append(number, static_cast<size_t>(std::to_chars(number, number + sizeof number, ACol).ptr - number));
    Line += ',';
    Line.append(number, static_cast<size_t>(std::to_chars(number, number + sizeof number, ARow).ptr - number));
    Line += ',';
    const bool plain = std::all_of(Text.begin(), Text.end(), [](char ch) {
        return static_cast<unsigned char>(ch) < 0x80 && ch != '\r';
    });
    if (plain)
        Line += Text;
    else
        Line += ToFile(LfToFile(AnsiString(Text)));
    Line += "\r\n";
}

} // namespace

void TRavArodozIdad::SaveToFile(const AnsiString& FileName)
{
    TTextWriter out;
    if (!out.Open(FileName, false))
        throw VEvoRaraVedad("Cannot Create " + FileName);
    const int H = SaveWithHiddenColumns ? FNumHiddenColumns : 0;
    const int c0 = GetSaveStartCol(), c1 = GetSaveEndCol() + H;
    const int r0 = GetSaveStartRow(), r1 = GetSaveEndRow();
    out.Line(IntToStr(GetSaveColCount() + H) + "," + IntToStr(GetSaveRowCount()));
    for (int c = c0; c <= c1; ++c)
        out.Line(WidthLine(c, ColWidths(c)));
    TProgress progress(this);
    TSavedColumns cols(this, c0, c1);
    AnsiString lines;
    for (int r = r0; r <= r1; ++r) {
        lines.clear();
        cols.Read(r);
        for (int c = c0; c <= c1; ++c) {
            const std::string_view s = cols.Text(c);
            if (!s.empty())
                AppendCellLine(lines, c, r, s);
        }
        out.Write(lines);
        progress.Report(r, GetSaveRowCount() - 1);
    }
    out.Close();
}

void TRavArodozIdad::LoadFromFile(const AnsiString& FileName)
{
    AnsiString data;
    if (!ReadAll(FileName, data))
        throw VEvoRaraVedad("Cannot open file " + FileName);
    const Int64 bytes = Int64(data.size());
    TLineReader in(std::move(data));
    const int FC = SaveWithFixedCells ? 0 : GetFixedColsEx();
    const int FR = SaveWithFixedCells ? 0 : GetFixedRowsEx();
    AnsiString line;
    // A file without a header, or whose header gives no cells (or negative counts), holds no data.
    Int64 cols = 0, rows = 0;
    if (in.Next(line) && !line.empty()) {
        const size_t comma = line.find(',');
        cols = Int64(LenientInt(line.substr(0, comma))) + FC;
        rows = comma == AnsiString::npos ? FR : Int64(LenientInt(line.substr(comma + 1))) + FR;
    }
    if (cols <= 0 || rows <= 0 || !HeaderFits(cols - FC, rows - FR, bytes))
        throw VEvoRaraVedad("File contains no data or corrupt file " + FileName);
    SetColCountEx(int(cols));
    SetRowCountEx(int(rows));
    TProgress progress(this);
    AnsiString cs, rs, text;
    while (in.Next(line)) {
        if (line.empty())
            continue;
        if (line.starts_with("cw")) {
            const size_t comma = line.find(',');
            const int c = LenientInt(line.substr(3, comma == AnsiString::npos ? AnsiString::npos : comma - 3));
            const int w = comma == AnsiString::npos ? 0 : LenientInt(line.substr(comma + 1, 255));
            if (c >= 0 && c < ColCount())
                SetColWidths(c, w);
            continue;
        }
        SplitCellLine(line, cs, rs, text);
        const int c = LenientInt(cs), r = LenientInt(rs);
        if (c >= 0 && c < ColCount() && r >= 0 && r < RowCount())
            SetGridCell(c, r, FileToLf(FromFile(text), FMultilinecells));
        // No window messages are handled here: nothing else may run against a half-loaded grid.
        progress.Report(r, RowCount() - 1);
    }
    CellsChanged(TRect(0, 0, ColCount(), RowCount()));
    CellsLoaded();
    Invalidate();
}

void TRavArodozIdad::SaveToStream(TStream* Stream)
{
    AnsiString out;
    auto line = [&](const AnsiString& s) {
        out += s;
        out += "\r\n";
    };
    line(IntToStr(GetSaveColCount()) + "," + IntToStr(GetSaveRowCount()));
    for (int c = 0; c < ColCount(); ++c)
        line(WidthLine(c, ColWidths(c)));
    const int c0 = GetSaveStartCol(), r0 = GetSaveStartRow();
    for (int r = r0; r <= GetSaveEndRow(); ++r)
        for (int c = c0; c <= GetSaveEndCol(); ++c) {
            const AnsiString s = SaveCell(c, r);
            if (!s.empty())
                AppendCellLine(out, c - c0, r - r0, s);
        }
    Stream->WriteBuffer(out.data(), int(out.size()));
}

void TRavArodozIdad::LoadFromStream(TStream* Stream)
{
    // Lines end at the byte 13; the byte after it is skipped whatever it is.
    auto readLine = [Stream](AnsiString& s) {
        s.clear();
        char ch = 0;
        while (Stream->Read(&ch, 1) == 1) {
            if (ch == '\r') {
                Stream->Read(&ch, 1);
                return;
            }
            s += ch;
        }
    };
    auto atEnd = [Stream] { return Stream->Position() >= Stream->Size(); };
    const int c0 = GetSaveStartCol(), r0 = GetSaveStartRow();
    AnsiString line;
    if (!atEnd()) {
        readLine(line);
        if (!line.empty()) {
            const size_t comma = line.find(',');
            const Int64 cols = Int64(StrToInt(line.substr(0, comma))) + c0;
            const Int64 rows = Int64(StrToInt(comma == AnsiString::npos ? AnsiString() : line.substr(comma + 1))) + r0;
            if (cols < 0 || rows < 0 || !HeaderFits(cols - c0, rows - r0, Stream->Size()))
                throw EConvertError("'" + line + "' is not a valid grid size");
            SetColCountEx(int(cols));
            SetRowCountEx(int(rows));
        }
    }
    AnsiString cs, rs, text;
    while (!atEnd()) {
        readLine(line);
        if (line.empty())
            continue;
        if (line.starts_with("cw")) {
            const AnsiString rest = line.substr(std::min<size_t>(3, line.size()));
            const size_t comma = rest.find(',');
            const int c = StrToInt(rest.substr(0, comma));
            const int w = StrToInt(comma == AnsiString::npos ? AnsiString() : rest.substr(comma + 1));
            if (c >= 0 && c < ColCount())
                SetColWidths(c, w);
            continue;
        }
        SplitCellLine(line, cs, rs, text);
        const int c = c0 + StrToInt(cs), r = r0 + StrToInt(rs);
        // Like the file loader, a cell outside the grid is not written.
        if (c >= 0 && c < ColCount() && r >= 0 && r < RowCount())
            SetCellEx(c, r, FileToLf(FromFile(text), FMultilinecells));
    }
    CellsChanged(TRect(0, 0, ColCount(), RowCount()));
    CellsLoaded();
}
