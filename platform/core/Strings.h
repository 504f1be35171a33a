#pragma once
// TStrings (the abstract list of strings with objects that controls also
// implement) and TStringList (the stand-alone, optionally sorted one).
#include <functional>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Events.h"

class TStream;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
public:
    TStrings() = default;
    ~TStrings() override = default;

    virtual int Add(const AnsiString& S);
    virtual int AddObject(const AnsiString& S, TObject* AObject);
    void Append(const AnsiString& S) { Add(S); }
    virtual void AddStrings(TStrings* Source);
    virtual void Insert(int Index, const AnsiString& S) = 0;
    virtual void InsertObject(int Index, const AnsiString& S, TObject* AObject);
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);
    virtual int IndexOf(const AnsiString& S) const;
    // Index of the first "Name=..." entry; names compare as the list compares strings.
    int IndexOfName(const AnsiString& Name) const;
    int IndexOfObject(TObject* AObject) const;
    bool Equals(TStrings* Other) const;
    // Copies strings, objects, delimiter, quote and name separator of another TStrings.
    void Assign(TPersistent* Source) override;

    // Change notifications are held back between BeginUpdate and the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    int Count() const { return GetCount(); }
    AnsiString Strings(int Index) const { return Get(Index); }
    void SetStrings(int Index, const AnsiString& S) { Put(Index, S); }
    AnsiString operator[](int Index) const { return Get(Index); }
    TObject* Objects(int Index) const { return GetObject(Index); }
    void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }

    // Name=Value entries. Names(i) is "" for an entry without separator;
    // SetValues with an empty value deletes the entry.
    AnsiString Names(int Index) const;
    AnsiString Values(const AnsiString& Name) const;
    void SetValues(const AnsiString& Name, const AnsiString& Value);
    AnsiString ValueFromIndex(int Index) const;
    void SetValueFromIndex(int Index, const AnsiString& Value);
    char NameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(char C) { FNameValueSeparator = C; }

    // Every line ends with "\r\n"; SetText splits at "\r\n", "\n" and "\r".
    virtual AnsiString Text() const;
    virtual void SetText(const AnsiString& Value);
    // Fields separated by Delimiter (and blanks); a field with blanks, the
    // delimiter or the quote is quoted, a quote inside is doubled.
    AnsiString DelimitedText() const;
    void SetDelimitedText(const AnsiString& Value);
    char Delimiter() const { return FDelimiter; }
    void SetDelimiter(char C) { FDelimiter = C; }
    char QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(char C) { FQuoteChar = C; }
    // DelimitedText with ',' and '"'.
    AnsiString CommaText() const;
    void SetCommaText(const AnsiString& Value);

    // Files hold the text byte for byte, lines ended by "\r\n"; either line end reads.
    virtual void LoadFromFile(const AnsiString& FileName);
    virtual void SaveToFile(const AnsiString& FileName) const;
    virtual void LoadFromStream(TStream* Stream);
    virtual void SaveToStream(TStream* Stream) const;

protected:
    virtual AnsiString Get(int Index) const = 0;
    virtual int GetCount() const = 0;
    // Default Put replaces the entry and keeps its object.
    virtual void Put(int Index, const AnsiString& S);
    virtual TObject* GetObject(int Index) const;
    virtual void PutObject(int Index, TObject* AObject);
    // Called when the first BeginUpdate starts (true) and the last EndUpdate ends (false).
    virtual void SetUpdateState(bool Updating);
    virtual int CompareStrings(const AnsiString& S1, const AnsiString& S2) const;
    // EStringListError with "%d" replaced by Data, as the class library reports list errors.
    [[noreturn]] void Error(const AnsiString& Msg, int Data) const;

private:
    int FUpdateCount = 0;
    char FDelimiter = ',';
    char FQuoteChar = '"';
    char FNameValueSeparator = '=';
};

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
public:
    TStringList() = default;
    ~TStringList() override = default;

    int Add(const AnsiString& S) override;
    int AddObject(const AnsiString& S, TObject* AObject) override;
    void Insert(int Index, const AnsiString& S) override;
    void InsertObject(int Index, const AnsiString& S, TObject* AObject) override;
    void Delete(int Index) override;
    void Clear() override;
    void Exchange(int Index1, int Index2) override;
    int IndexOf(const AnsiString& S) const override;
    // Binary search of a sorted list: true when found; Index is where S is or would go.
    virtual bool Find(const AnsiString& S, int& Index) const;
    virtual void Sort();
    virtual void CustomSort(const TStringListSortCompare& Compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    AnsiString Get(int Index) const override;
    int GetCount() const override;
    void Put(int Index, const AnsiString& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void SetUpdateState(bool Updating) override;
    int CompareStrings(const AnsiString& S1, const AnsiString& S2) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct TStringItem {
        AnsiString FString;
        TObject* FObject = nullptr;
    };
    void CheckIndex(int Index) const;
    void InsertItem(int Index, const AnsiString& S, TObject* AObject);
    void QuickSort(int L, int R, const TStringListSortCompare& Compare);
    void SortNow(const TStringListSortCompare& Compare);
    static int CompareItems(TStringList* List, int Index1, int Index2);

    std::vector<TStringItem> FList;
    bool FSorted = false;
    bool FCaseSensitive = false;
    TDuplicates FDuplicates = dupIgnore;
};

// The class library's list error texts.
extern const char* const SListIndexError;   // "List index out of bounds (%d)"
extern const char* const SDuplicateString;  // "String list does not allow duplicates"
extern const char* const SSortedListError;  // "Operation not allowed on sorted list"
