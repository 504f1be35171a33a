#include "platform/core/Strings.h"

#include "platform/core/Streams.h"
#include "platform/core/StringUtils.h"

const char* const SListIndexError = "List index out of bounds (%d)";
const char* const SDuplicateString = "String list does not allow duplicates";
const char* const SSortedListError = "Operation not allowed on sorted list";

void TStrings::Error(const AnsiString& Msg, int Data) const
{
    AnsiString text = Msg;
    size_t p = text.find("%d");
    if (p != AnsiString::npos)
        text.replace(p, 2, std::to_string(Data));
    throw EStringListError(text);
}

int TStrings::Add(const AnsiString& S)
{
    int index = GetCount();
    Insert(index, S);
    return index;
}

int TStrings::AddObject(const AnsiString& S, TObject* AObject)
{
    int index = Add(S);
    PutObject(index, AObject);
    return index;
}

void TStrings::AddStrings(TStrings* Source)
{
    BeginUpdate();
    try {
        for (int i = 0; i < Source->Count(); ++i)
            AddObject(Source->Get(i), Source->GetObject(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::InsertObject(int Index, const AnsiString& S, TObject* AObject)
{
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::Exchange(int Index1, int Index2)
{
    BeginUpdate();
    try {
        AnsiString s = Get(Index1);
        TObject* o = GetObject(Index1);
        Put(Index1, Get(Index2));
        PutObject(Index1, GetObject(Index2));
        Put(Index2, s);
        PutObject(Index2, o);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    BeginUpdate();
    try {
        AnsiString s = Get(CurIndex);
        TObject* o = GetObject(CurIndex);
        Delete(CurIndex);
        InsertObject(NewIndex, s, o);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TStrings::IndexOf(const AnsiString& S) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (CompareStrings(Get(i), S) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfName(const AnsiString& Name) const
{
    for (int i = 0; i < GetCount(); ++i) {
        AnsiString s = Get(i);
        size_t p = s.find(FNameValueSeparator);
        if (p != AnsiString::npos && CompareStrings(s.substr(0, p), Name) == 0)
            return i;
    }
    return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (GetObject(i) == AObject)
            return i;
    return -1;
}

bool TStrings::Equals(TStrings* Other) const
{
    if (!Other || Other->Count() != Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != Other->Get(i))
            return false;
    return true;
}

void TStrings::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TStrings*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    if (src == this)
        return;
    BeginUpdate();
    try {
        Clear();
        FDelimiter = src->FDelimiter;
        FQuoteChar = src->FQuoteChar;
        FNameValueSeparator = src->FNameValueSeparator;
        AddStrings(src);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount == 0)
        SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        SetUpdateState(false);
}

AnsiString TStrings::Names(int Index) const
{
    AnsiString s = Get(Index);
    size_t p = s.find(FNameValueSeparator);
    return p == AnsiString::npos ? AnsiString() : s.substr(0, p);
}

AnsiString TStrings::Values(const AnsiString& Name) const
{
    int i = IndexOfName(Name);
    return i < 0 ? AnsiString() : ValueFromIndex(i);
}

void TStrings::SetValues(const AnsiString& Name, const AnsiString& Value)
{
    int i = IndexOfName(Name);
    if (!Value.empty()) {
        if (i < 0)
            i = Add(AnsiString());
        Put(i, Name + FNameValueSeparator + Value);
    } else if (i >= 0) {
        Delete(i);
    }
}

AnsiString TStrings::ValueFromIndex(int Index) const
{
    if (Index < 0)
        return AnsiString();
    AnsiString s = Get(Index);
    size_t p = s.find(FNameValueSeparator);
    // An entry without separator has no value (not its text less one character).
    return p == AnsiString::npos ? AnsiString() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(int Index, const AnsiString& Value)
{
    if (!Value.empty()) {
        if (Index < 0)
            Index = Add(AnsiString());
        Put(Index, Names(Index) + FNameValueSeparator + Value);
    } else if (Index >= 0) {
        Delete(Index);
    }
}

AnsiString TStrings::Text() const
{
    AnsiString r;
    for (int i = 0; i < GetCount(); ++i) {
        r += Get(i);
        r += "\r\n";
    }
    return r;
}

void TStrings::SetText(const AnsiString& Value)
{
    BeginUpdate();
    try {
        Clear();
        for (const AnsiString& line : SplitTextLines(Value))
            Add(line);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

AnsiString TStrings::DelimitedText() const
{
    const int n = GetCount();
    if (n == 1 && Get(0).empty())
        return AnsiString(2, FQuoteChar);
    AnsiString r;
    for (int i = 0; i < n; ++i) {
        AnsiString s = Get(i);
        bool quote = false;
        for (char c : s)
            if (static_cast<unsigned char>(c) <= ' ' || c == FQuoteChar || c == FDelimiter) {
                quote = true;
                break;
            }
        if (i > 0)
            r += FDelimiter;
        r += quote ? AnsiQuotedStr(s, FQuoteChar) : s;
    }
    return r;
}

void TStrings::SetDelimitedText(const AnsiString& Value)
{
    auto blank = [&](size_t p) {
        return p < Value.size() && Value[p] != '\0' && static_cast<unsigned char>(Value[p]) <= ' ';
    };
    BeginUpdate();
    try {
        Clear();
        size_t p = 0;
        while (blank(p))
            ++p;
        while (p < Value.size()) {
            AnsiString s;
            if (Value[p] == FQuoteChar) {
                s = AnsiExtractQuotedStr(Value, p, FQuoteChar);
            } else {
                size_t start = p;
                while (p < Value.size() && static_cast<unsigned char>(Value[p]) > ' ' && Value[p] != FDelimiter)
                    ++p;
                s = Value.substr(start, p - start);
            }
            Add(s);
            while (blank(p))
                ++p;
            if (p < Value.size() && Value[p] == FDelimiter) {
                if (p + 1 == Value.size())
                    Add(AnsiString()); // a trailing delimiter ends with an empty field
                do
                    ++p;
                while (blank(p));
            } else if (p < Value.size() && Value[p] == '\0') {
                break;
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

AnsiString TStrings::CommaText() const
{
    auto* self = const_cast<TStrings*>(this);
    char d = FDelimiter, q = FQuoteChar;
    self->FDelimiter = ',';
    self->FQuoteChar = '"';
    AnsiString r = DelimitedText();
    self->FDelimiter = d;
    self->FQuoteChar = q;
    return r;
}

void TStrings::SetCommaText(const AnsiString& Value)
{
    char d = FDelimiter, q = FQuoteChar;
    FDelimiter = ',';
    FQuoteChar = '"';
    try {
        SetDelimitedText(Value);
    } catch (...) {
        FDelimiter = d;
        FQuoteChar = q;
        throw;
    }
    FDelimiter = d;
    FQuoteChar = q;
}

void TStrings::LoadFromFile(const AnsiString& FileName)
{
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TStrings::SaveToFile(const AnsiString& FileName) const
{
    TFileStream stream(FileName, fmCreate);
    SaveToStream(&stream);
}

void TStrings::LoadFromStream(TStream* Stream)
{
    Int64 size = Stream->Size() - Stream->Position();
    AnsiString text(static_cast<size_t>(std::max<Int64>(size, 0)), '\0');
    const int got = Stream->Read(text.data(), static_cast<int>(text.size()));
    if (got < 0)
        throw EReadError("Stream read error");
    text.resize(static_cast<size_t>(got));
    SetText(text);
}

void TStrings::SaveToStream(TStream* Stream) const
{
    AnsiString text = Text();
    Stream->WriteBuffer(text.data(), static_cast<int>(text.size()));
}

void TStrings::Put(int Index, const AnsiString& S)
{
    TObject* o = GetObject(Index);
    Delete(Index);
    InsertObject(Index, S, o);
}

TObject* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObject*) {}
void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(const AnsiString& S1, const AnsiString& S2) const { return AnsiCompareText(S1, S2); }
