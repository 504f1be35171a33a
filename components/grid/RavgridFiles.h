#pragma once
// What the grid's file formats share: the progress event, the HTML settings
// object, and the helpers that read and write 8-bit text files.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "components/grid/Ravobj.h"
#include "platform/core/Component.h"

class TRavArodozIdad;
class TSafeSave;
class TStream;

using TGridProgressEvent = std::function<void(TObject* Sender, short Progress)>;

// Options of the HTML export, owned by the grid.
class THTMLSettings : public TPersistent {
public:
    THTMLSettings();
    ~THTMLSettings() override;
    void Assign(TPersistent* Source) override;

    bool SaveColor = true;
    bool SaveFonts = true;
    AnsiString FooterFile;
    AnsiString HeaderFile;
    int BorderSize = 1;
    int CellSpacing = 0;
    int CellPadding = 0;
    AnsiString TableStyle;
    AnsiString PrefixTag;
    AnsiString SuffixTag;
    int Width = 100;
    TIntList* ColWidths() const { return FColWidths.get(); }
    bool XHTML = false;

private:
    std::unique_ptr<TIntList> FColWidths;
};

namespace RavgridFile {

// The program's text in an 8-bit file (Windows-1252, or code page 850 with the OEM conversion) and back.
AnsiString ToFile(const AnsiString& Text, bool Oem = false);
AnsiString FromFile(const AnsiString& Bytes, bool Oem = false);

// Whether a text file or stream of Bytes bytes can hold the grid its header claims. Every
// column has a width line, so there are never more columns than bytes; rows have no line of
// their own, so an empty grid of up to kRowsWithoutBytes rows is always taken, and beyond that
// a row costs the file at least a byte. This keeps a damaged header from making the grid
// reserve rows no file of that size was written from.
constexpr long long kRowsWithoutBytes = 65536;
inline bool HeaderFits(long long Cols, long long Rows, long long Bytes)
{
    return Cols >= 0 && Rows >= 0 && Cols <= Bytes && Rows <= std::max(Bytes, kRowsWithoutBytes);
}

// A whole file's bytes; false when it cannot be opened.
bool ReadAll(const AnsiString& FileName, AnsiString& Data);

// Lines of a file's bytes: a line ends at LF or CR LF, a CR not followed by LF
// is dropped; a last line without its end counts, an end of file after a line end adds none.
class TLineReader {
public:
    explicit TLineReader(AnsiString Data) : FData(std::move(Data)) {}
    bool Next(AnsiString& Line);
    bool AtEnd() const { return FPos >= FData.size(); }
    size_t Pos() const { return FPos; }
    void SetPos(size_t Pos) { FPos = Pos; }

private:
    AnsiString FData;
    size_t FPos = 0;
};

// An output file; every line is written with CR LF. Write errors raise EInOutError.
class TTextWriter {
public:
    TTextWriter();
    ~TTextWriter();
    TTextWriter(const TTextWriter&) = delete;
    TTextWriter& operator=(const TTextWriter&) = delete;
    // Creates (or, with Append, appends to) the file; false when it cannot. A created
    // file replaces one of the same name at Close, whole; given up, it leaves the old one.
    bool Open(const AnsiString& FileName, bool Append);
    void Write(std::string_view Bytes);
    void Line(std::string_view Bytes);
    void Close();

private:
    std::unique_ptr<TSafeSave> FSave; // a created file
    std::FILE* FAppend = nullptr;     // an appended one
};

// The columns C0..C1 a save writes, each the grid's column it stands for (hidden ones
// skipped unless they are saved too), read a row at a time in one pass over the row.
class TSavedColumns {
public:
    TSavedColumns(TRavArodozIdad* Grid, int C0, int C1);
    void Read(int ARow);
    // The grid's column that saved column ACol shows.
    int Source(int ACol) const { return FSource[size_t(ACol - FC0)]; }
    // GetCellEx of that column in the row read last.
    std::string_view Text(int ACol) const
    {
        const int s = Source(ACol);
        return s < 0 ? std::string_view() : FTexts[size_t(s)];
    }

private:
    TRavArodozIdad* FGrid;
    int FC0;
    std::vector<int> FSource;
    std::vector<std::string_view> FTexts;
    std::vector<AnsiString> FBufs;
};

// Raises the grid's OnFileProgress when the percentage changed since the last one raised.
class TProgress {
public:
    explicit TProgress(TRavArodozIdad* Grid);
    bool Wanted() const;
    void Report(long long Numerator, long long Denominator);

private:
    TRavArodozIdad* FGrid;
    int FLast = -1;
};

// The column and row counts a binary cell stream holds, read from its first record.
TPoint BinStreamSize(TStream* Stream);

} // namespace RavgridFile
