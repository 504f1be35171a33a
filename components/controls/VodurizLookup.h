#pragma once
// The typed edit's lookup list (auto-complete with a history of accepted entries) and
// the persistence of its text and history in an ini file.
#include <functional>
#include <memory>

#include "components/controls/VodurizTypes.h"
#include "platform/core/Strings.h"
#include "platform/forms/ComboBox.h"
#include "platform/graphics/Color.h"

class TCustomIniFile;

class TLookupSettings : public TPersistent {
public:
    TLookupSettings();
    ~TLookupSettings() override;
    // From another TLookupSettings all ten settings (the lists by content); else nothing.
    void Assign(TPersistent* Source) override;

    bool Enabled = false;
    TStringList* DisplayList() const { return FDisplayList.get(); }
    void SetDisplayList(TStrings* v) { FDisplayList->Assign(v); }
    TStringList* ValueList() const { return FValueList.get(); }
    void SetValueList(TStrings* v) { FValueList->Assign(v); }
    int NumChars() const { return FNumChars; }
    void SetNumChars(int v)
    {
        if (v > 0)
            FNumChars = v;
    }
    int DisplayCount = 4;
    bool CaseSensitive = false;
    TColor Color = clWindow;
    bool History = false;
    bool Multi = false;
    char Separator = ';';

private:
    std::unique_ptr<TStringList> FDisplayList;
    std::unique_ptr<TStringList> FValueList;
    int FNumChars = 2;
};

class TPersistence : public TPersistent {
public:
    void Assign(TPersistent* Source) override;
    bool Enable = false;
    AnsiString Key;     // ini file name, or registry key
    AnsiString Section;
    TPersistenceLocation Location = plInifile;
};

using TLookupSelectEvent = std::function<void(TObject* Sender, AnsiString& Value)>;
using TLookupIndexSelectEvent = std::function<void(TObject* Sender, int Index, AnsiString& Value)>;

// The lookup rules without a window.
namespace VodurizLookup {
// The word looked up: the whole value, or with Multi the part after the last separator
// (Offset: the characters before it).
AnsiString CurrentWord(const AnsiString& Value, const TLookupSettings& L, int& Offset);
// The DisplayList items that begin with Word, sorted, each with its DisplayList index
// as its object.
void Matches(const TLookupSettings& L, const AnsiString& Word, TStrings* Out);
// The value after accepting Text: Text itself, or with Multi Text + separator in place
// of the last word.
AnsiString Accepted(const AnsiString& Value, const AnsiString& Text, const TLookupSettings& L);
// Adds the trimmed value to the history when it is on and the value is new.
void AddHistory(TLookupSettings& L, const AnsiString& Value);
// The persisted entries (under Section): Name = window text, the history count and lists.
void Save(TCustomIniFile& Ini, const AnsiString& Section, const AnsiString& Name, const AnsiString& WindowText,
          const TLookupSettings& L);
// Reads the history (entries already in the lists are skipped) and the stored window text;
// false when there is no stored text.
bool Load(TCustomIniFile& Ini, const AnsiString& Section, const AnsiString& Name, TLookupSettings& L,
          AnsiString& WindowText);
// The store of a persistence setting: the ini file named Key (empty: the program's name
// with ".INI"), or for the registry one ini file under the prefix whose sections are
// "Key\Section". Section receives the section to use.
std::unique_ptr<TCustomIniFile> OpenStore(const TPersistence& P, AnsiString& Section);
// The address a web-address value opens: only http, https and mailto are opened
// ("www." gains "http://", a bare mail address "mailto:"); "" when it is none of these.
AnsiString AddressToOpen(const AnsiString& Value);
} // namespace VodurizLookup

// The pop-up that shows the matches under the edit.
class TListHintWindow : public TCustomControl {
public:
    explicit TListHintWindow(TComponent* AOwner);
    TListBox* ListBox() const { return FListBox; }

protected:
    int NonClientWidth() const override { return 1; }

private:
    TListBox* FListBox;
};
