#include "components/controls/VodurizLookup.h"

#include <cstdint>

#include "platform/core/FileUtils.h"
#include "platform/core/IniFiles.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/Application.h"
#include "platform/win/ProfileStore.h"

// ---------------------------------------------------------------- settings

TLookupSettings::TLookupSettings()
    : FDisplayList(std::make_unique<TStringList>()), FValueList(std::make_unique<TStringList>())
{
}

TLookupSettings::~TLookupSettings() = default;

void TLookupSettings::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TLookupSettings*>(Source);
    if (!s)
        return;
    Enabled = s->Enabled;
    FDisplayList->Assign(s->FDisplayList.get());
    FValueList->Assign(s->FValueList.get());
    FNumChars = s->FNumChars;
    DisplayCount = s->DisplayCount;
    CaseSensitive = s->CaseSensitive;
    Color = s->Color;
    History = s->History;
    Multi = s->Multi;
    Separator = s->Separator;
}

void TPersistence::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TPersistence*>(Source);
    if (!s)
        return TPersistent::Assign(Source);
    Enable = s->Enable;
    Key = s->Key;
    Section = s->Section;
    Location = s->Location;
}

// ---------------------------------------------------------------- rules

namespace VodurizLookup {

AnsiString CurrentWord(const AnsiString& Value, const TLookupSettings& L, int& Offset)
{
    Offset = 0;
    if (!L.Multi)
        return Value;
    const size_t sep = Value.rfind(L.Separator);
    if (sep == AnsiString::npos)
        return Value;
    Offset = static_cast<int>(sep + 1);
    return Value.substr(sep + 1);
}

void Matches(const TLookupSettings& L, const AnsiString& Word, TStrings* Out)
{
    Out->Clear();
    const AnsiString w = L.CaseSensitive ? Word : AnsiUpperCase(Word);
    const TStringList* d = L.DisplayList();
    for (int i = 0; i < d->Count(); ++i) {
        const AnsiString item = L.CaseSensitive ? d->Strings(i) : AnsiUpperCase(d->Strings(i));
        if (item.compare(0, w.size(), w) == 0)
            Out->AddObject(d->Strings(i), reinterpret_cast<TObject*>(static_cast<std::intptr_t>(i)));
    }
    if (auto* sl = dynamic_cast<TStringList*>(Out))
        sl->Sort();
}

AnsiString Accepted(const AnsiString& Value, const AnsiString& Text, const TLookupSettings& L)
{
    if (!L.Multi)
        return Text;
    const size_t sep = Value.rfind(L.Separator);
    const AnsiString kept = sep == AnsiString::npos ? AnsiString() : Value.substr(0, sep + 1);
    return kept + Text + L.Separator;
}

void AddHistory(TLookupSettings& L, const AnsiString& Value)
{
    const AnsiString v = Trim(Value);
    if (L.Enabled && L.History && !v.empty() && L.DisplayList()->IndexOf(v) < 0)
        L.DisplayList()->Add(v);
}

namespace {
const char* const kCount = "LOOKUPCOUNT";
AnsiString DisplayName(int i) { return "LOOKUPDISPL" + std::to_string(i); }
AnsiString ValueName(int i) { return "LOOKUPVAL" + std::to_string(i); }
} // namespace

void Save(TCustomIniFile& Ini, const AnsiString& Section, const AnsiString& Name, const AnsiString& WindowText,
          const TLookupSettings& L)
{
    Ini.WriteString(Section, Name, WindowText);
    if (!(L.Enabled && L.History))
        return;
    const int n = L.DisplayList()->Count();
    Ini.WriteInteger(Section, kCount, n);
    for (int i = 1; i <= n; ++i) {
        Ini.WriteString(Section, DisplayName(i), L.DisplayList()->Strings(i - 1));
        if (i <= L.ValueList()->Count())
            Ini.WriteString(Section, ValueName(i), L.ValueList()->Strings(i - 1));
    }
}

bool Load(TCustomIniFile& Ini, const AnsiString& Section, const AnsiString& Name, TLookupSettings& L,
          AnsiString& WindowText)
{
    if (L.Enabled && L.History) {
        const int n = Ini.ReadInteger(Section, kCount, 0);
        for (int i = 1; i <= n; ++i) {
            const AnsiString display = Ini.ReadString(Section, DisplayName(i), "");
            // Loading again must not repeat the history: an entry already listed is skipped.
            if (!display.empty() && L.DisplayList()->IndexOf(display) >= 0)
                continue;
            const AnsiString value = Ini.ReadString(Section, ValueName(i), "");
            if (!value.empty())
                L.ValueList()->Add(value);
            if (!display.empty())
                L.DisplayList()->Add(display);
        }
    }
    const AnsiString text = Ini.ReadString(Section, Name, "@");
    if (text == "@")
        return false;
    WindowText = text;
    return true;
}

std::unique_ptr<TCustomIniFile> OpenStore(const TPersistence& P, AnsiString& Section)
{
    if (P.Location == plRegistry)
        return OpenRegistryStore(P.Key, P.Section, Section);
    Section = P.Section;
    AnsiString key = P.Key;
    if (key.empty())
        key = ChangeFileExt(ExtractFileName(Application->ExeName()), ".INI");
    return OpenIniFileStore(key);
}

AnsiString AddressToOpen(const AnsiString& Value)
{
    const AnsiString v = Trim(Value);
    const AnsiString lower = LowerCase(v);
    auto starts = [&](const char* p) { return lower.compare(0, AnsiString(p).size(), p) == 0; };
    if (starts("http://") || starts("https://") || starts("mailto:"))
        return v;
    if (lower.find("://") != AnsiString::npos)
        return ""; // another scheme (file, ftp, ...) is not opened from a value
    if (starts("www."))
        return "http://" + v;
    if (v.find('@', 1) != AnsiString::npos && v.find_first_of(" :/\\") == AnsiString::npos)
        return "mailto:" + v;
    return "";
}

} // namespace VodurizLookup

// ---------------------------------------------------------------- pop-up

TListHintWindow::TListHintWindow(TComponent* AOwner) : TCustomControl(AOwner), FListBox(new TListBox(this))
{
    SetColor(clWindow);
    SetVisible(false);
    FListBox->SetParent(this);
    FListBox->SetAlign(alClient);
    FListBox->SetTabStop(false);
    FListBox->Font()->SetName("Arial");
    FListBox->Font()->SetSize(8);
    FListBox->SetCtl3D(false);
}
