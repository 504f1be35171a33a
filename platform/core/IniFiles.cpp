#include "platform/core/IniFiles.h"

#include "platform/core/FileUtils.h"
#include "platform/core/FloatConvert.h"
#include "platform/core/IntConvert.h"
#include "platform/core/Streams.h"
#include "platform/core/StringUtils.h"

TCustomIniFile::TCustomIniFile(const AnsiString& AFileName) : FFileName(AFileName) {}

TCustomIniFile::~TCustomIniFile() = default;

TCustomIniFile::TSection* TCustomIniFile::FindSection(const AnsiString& Section)
{
    for (auto& s : FSections)
        if (SameText(s.Name, Section))
            return &s;
    return nullptr;
}

const TCustomIniFile::TSection* TCustomIniFile::FindSection(const AnsiString& Section) const
{
    return const_cast<TCustomIniFile*>(this)->FindSection(Section);
}

const TCustomIniFile::TLine* TCustomIniFile::FindKey(const TSection& S, const AnsiString& Ident)
{
    for (const auto& l : S.Lines)
        if (l.IsKey && SameText(l.Key, Ident))
            return &l;
    return nullptr;
}

AnsiString TCustomIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) const
{
    const TSection* s = FindSection(Section);
    const TLine* l = s ? FindKey(*s, Ident) : nullptr;
    return l ? l->Value : Default;
}

void TCustomIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value)
{
    TSection* s = FindSection(Section);
    if (!s) {
        // A blank line parts the new section from what comes before it.
        std::vector<TLine>& before = FSections.empty() ? FPreamble : FSections.back().Lines;
        if (!before.empty() && (before.back().IsKey || !Trim(before.back().Value).empty()))
            before.push_back(TLine{false, {}, {}});
        FSections.push_back(TSection{Section, {}});
        s = &FSections.back();
    }
    if (auto* l = const_cast<TLine*>(FindKey(*s, Ident))) {
        if (l->Value == Value)
            return;
        l->Value = Value;
    } else {
        // After the last key; in a section without keys, ahead of its trailing blank lines.
        size_t at = s->Lines.size();
        while (at > 0 && !s->Lines[at - 1].IsKey)
            --at;
        if (at == 0) {
            at = s->Lines.size();
            while (at > 0 && Trim(s->Lines[at - 1].Value).empty())
                --at;
        }
        s->Lines.insert(s->Lines.begin() + static_cast<long>(at), TLine{true, Ident, Value});
    }
    Changed();
}

int TCustomIniFile::ReadInteger(const AnsiString& Section, const AnsiString& Ident, int Default) const
{
    AnsiString s = ReadString(Section, Ident, AnsiString());
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
        s = "$" + s.substr(2);
    return StrToIntDef(s, Default);
}

void TCustomIniFile::WriteInteger(const AnsiString& Section, const AnsiString& Ident, int Value)
{
    WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const AnsiString& Section, const AnsiString& Ident, bool Default) const
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const AnsiString& Section, const AnsiString& Ident, bool Value)
{
    WriteString(Section, Ident, Value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(const AnsiString& Section, const AnsiString& Ident, double Default) const
{
    double v = Default;
    AnsiString s = ReadString(Section, Ident, AnsiString());
    return !s.empty() && TryStrToFloat(s, v) ? v : Default;
}

void TCustomIniFile::WriteFloat(const AnsiString& Section, const AnsiString& Ident, double Value)
{
    WriteString(Section, Ident, FloatToStr(Value));
}

bool TCustomIniFile::SectionExists(const AnsiString& Section) const { return FindSection(Section) != nullptr; }

bool TCustomIniFile::ValueExists(const AnsiString& Section, const AnsiString& Ident) const
{
    const TSection* s = FindSection(Section);
    return s && FindKey(*s, Ident);
}

void TCustomIniFile::ReadSections(TStrings* Strings) const
{
    Strings->BeginUpdate();
    Strings->Clear();
    for (const auto& s : FSections)
        Strings->Add(s.Name);
    Strings->EndUpdate();
}

void TCustomIniFile::ReadSection(const AnsiString& Section, TStrings* Strings) const
{
    Strings->BeginUpdate();
    Strings->Clear();
    if (const TSection* s = FindSection(Section))
        for (const auto& l : s->Lines)
            if (l.IsKey)
                Strings->Add(l.Key);
    Strings->EndUpdate();
}

void TCustomIniFile::ReadSectionValues(const AnsiString& Section, TStrings* Strings) const
{
    Strings->BeginUpdate();
    Strings->Clear();
    if (const TSection* s = FindSection(Section))
        for (const auto& l : s->Lines)
            if (l.IsKey)
                Strings->Add(l.Key + "=" + l.Value);
    Strings->EndUpdate();
}

void TCustomIniFile::EraseSection(const AnsiString& Section)
{
    for (auto it = FSections.begin(); it != FSections.end(); ++it)
        if (SameText(it->Name, Section)) {
            FSections.erase(it);
            Changed();
            return;
        }
}

void TCustomIniFile::DeleteKey(const AnsiString& Section, const AnsiString& Ident)
{
    TSection* s = FindSection(Section);
    if (!s)
        return;
    for (auto it = s->Lines.begin(); it != s->Lines.end(); ++it)
        if (it->IsKey && SameText(it->Key, Ident)) {
            s->Lines.erase(it);
            Changed();
            return;
        }
}

void TCustomIniFile::UpdateFile()
{
    TStringList list;
    WriteLines(&list);
    const AnsiString bytes = EncodeMarkedText(list.Text(), FMark);
    TFileStream stream(FFileName, fmCreate);
    stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
}

void TCustomIniFile::LoadFile()
{
    ClearAll();
    FMark = TTextMark::None;
    if (!FileExists(FFileName))
        return;
    TStringStream bytes;
    {
        TFileStream stream(FFileName, fmOpenRead | fmShareDenyWrite);
        bytes.CopyFrom(&stream, 0);
    }
    AnsiString text;
    // A first line hidden behind a mark would lose its section without a word.
    if (!DecodeMarkedText(bytes.DataString(), text, FMark))
        throw EIniFileException("Unable to read " + FFileName + ": not a text file");
    TStringList list;
    list.SetText(text);
    ParseLines(&list);
}

void TCustomIniFile::ParseLines(TStrings* List)
{
    ClearAll();
    std::vector<TLine>* target = &FPreamble;
    for (int i = 0; i < List->Count(); ++i) {
        AnsiString raw = List->Strings(i);
        AnsiString t = Trim(raw);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
            AnsiString name = Trim(t.substr(1, t.size() - 2));
            TSection* existing = FindSection(name);
            if (!existing) {
                FSections.push_back(TSection{name, {}});
                existing = &FSections.back();
            }
            target = &existing->Lines;
            continue;
        }
        size_t eq = t.find('=');
        if (target != &FPreamble && !t.empty() && t[0] != ';' && eq != AnsiString::npos && eq > 0)
            target->push_back(TLine{true, Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))});
        else
            target->push_back(TLine{false, {}, raw});
    }
}

void TCustomIniFile::WriteLines(TStrings* List) const
{
    List->BeginUpdate();
    List->Clear();
    for (const auto& l : FPreamble)
        List->Add(l.Value);
    for (const auto& s : FSections) {
        List->Add("[" + s.Name + "]");
        for (const auto& l : s.Lines)
            List->Add(l.IsKey ? l.Key + "=" + l.Value : l.Value);
    }
    List->EndUpdate();
}

void TCustomIniFile::ClearAll()
{
    FPreamble.clear();
    FSections.clear();
}

TIniFile::TIniFile(const AnsiString& AFileName) : TCustomIniFile(AFileName) { LoadFile(); }

void TIniFile::Changed()
{
    try {
        UpdateFile();
    } catch (const EStreamError&) {
        throw EIniFileException("Unable to write to " + FileName());
    }
}

TMemIniFile::TMemIniFile(const AnsiString& AFileName) : TCustomIniFile(AFileName) { LoadFile(); }

void TMemIniFile::Clear() { ClearAll(); }
void TMemIniFile::GetStrings(TStrings* List) const { WriteLines(List); }
void TMemIniFile::SetStrings(TStrings* List) { ParseLines(List); }

void TMemIniFile::Rename(const AnsiString& FileName, bool Reload)
{
    SetFileName(FileName);
    if (Reload)
        LoadFile();
}
