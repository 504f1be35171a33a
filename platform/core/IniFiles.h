#pragma once
// Ini files: "[Section]" lines followed by "Key=Value" lines. Sections and keys
// compare without case. Files are written with "\r\n" and read with either line
// end; comments and blank lines of a file are kept when it is written back.
#include <memory>
#include <vector>

#include "platform/core/CodePages.h"
#include "platform/core/Component.h"
#include "platform/core/Strings.h"

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(const AnsiString& AFileName);
    ~TCustomIniFile() override;

    const AnsiString& FileName() const { return FFileName; }

    AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) const;
    void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value);
    // Accepts decimal, "$FF" and "0xFF"; anything else reads as Default.
    int ReadInteger(const AnsiString& Section, const AnsiString& Ident, int Default) const;
    void WriteInteger(const AnsiString& Section, const AnsiString& Ident, int Value);
    // Written as "1"/"0"; any integer other than 0 reads as true.
    bool ReadBool(const AnsiString& Section, const AnsiString& Ident, bool Default) const;
    void WriteBool(const AnsiString& Section, const AnsiString& Ident, bool Value);
    // With the program's decimal separator; a text that is no number reads as Default.
    double ReadFloat(const AnsiString& Section, const AnsiString& Ident, double Default) const;
    void WriteFloat(const AnsiString& Section, const AnsiString& Ident, double Value);

    bool SectionExists(const AnsiString& Section) const;
    bool ValueExists(const AnsiString& Section, const AnsiString& Ident) const;
    void ReadSections(TStrings* Strings) const;
    void ReadSection(const AnsiString& Section, TStrings* Strings) const;
    void ReadSectionValues(const AnsiString& Section, TStrings* Strings) const;
    void EraseSection(const AnsiString& Section);
    void DeleteKey(const AnsiString& Section, const AnsiString& Ident);

    // Writes the whole file.
    virtual void UpdateFile();

protected:
    // Called after every change; TIniFile writes the file at once.
    virtual void Changed() {}
    // Reads the file when it exists (a missing file is an empty ini file). A file that
    // starts with a UTF-8 or UTF-16 mark is read as such; one that is not text raises
    // EIniFileException "Unable to read <file>: not a text file".
    void LoadFile();
    void ParseLines(TStrings* List);
    void WriteLines(TStrings* List) const;
    void ClearAll();
    void SetFileName(const AnsiString& AFileName) { FFileName = AFileName; }

private:
    struct TLine {
        bool IsKey = false;
        AnsiString Key;
        AnsiString Value; // or the raw text of a comment or blank line
    };
    struct TSection {
        AnsiString Name;
        std::vector<TLine> Lines;
    };
    TSection* FindSection(const AnsiString& Section);
    const TSection* FindSection(const AnsiString& Section) const;
    static const TLine* FindKey(const TSection& S, const AnsiString& Ident);

    AnsiString FFileName;
    TTextMark FMark = TTextMark::None; // written back as it was read
    std::vector<TLine> FPreamble; // lines before the first section
    std::vector<TSection> FSections;
};

// Every change is written to the file at once, as the system's profile calls do.
// A failed write raises EIniFileException "Unable to write to <file>".
class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(const AnsiString& AFileName);

protected:
    void Changed() override;
};

// Changes stay in memory until UpdateFile.
class TMemIniFile : public TCustomIniFile {
public:
    explicit TMemIniFile(const AnsiString& AFileName);
    void Clear();
    void GetStrings(TStrings* List) const;
    void SetStrings(TStrings* List);
    void Rename(const AnsiString& FileName, bool Reload);
};
