#include "components/controls/Raveddd.h"

#include <algorithm>
#include <cstring>

#include "platform/core/Exceptions.h"

namespace {
bool GRTFAware = false;
Word GRTFFormat = 0;
constexpr int kSourceFormats = 3;

Word SourceFormat(int i)
{
    // The rich-text number is the registered one (registered here when needed).
    const Word f[kSourceFormats] = {CF_TEXT, CF_UNICODETEXT, RegisterClipboardFormat("Rich Text Format")};
    return f[i];
}

TFormatEtc Descriptor(Word Format)
{
    TFormatEtc f;
    f.cfFormat = Format;
    return f;
}

// A file list as a DROPFILES block (offset 20, 8-bit names, an empty name at the end).
std::vector<Byte> DropFilesBlock(const std::vector<AnsiString>& Files)
{
    std::vector<Byte> m(20, 0);
    m[0] = 20;
    for (const AnsiString& f : Files) {
        m.insert(m.end(), f.begin(), f.end());
        m.push_back(0);
    }
    m.push_back(0);
    return m;
}

// A format list of a data object.
class TListEnumFormatEtc : public TEnumFormatEtcBase {
public:
    TListEnumFormatEtc(std::vector<Word> F, int Index) : FFormats(std::move(F)), FIndex(Index) {}
    HRESULT Next(int Count, TFormatEtc* Out, int* Fetched) override
    {
        int n = 0;
        while (n < Count && FIndex < static_cast<int>(FFormats.size()))
            Out[n++] = Descriptor(FFormats[static_cast<size_t>(FIndex++)]);
        if (Fetched)
            *Fetched = n;
        return n == Count ? S_OK : S_FALSE;
    }
    HRESULT Skip(int Count) override
    {
        FIndex += Count;
        if (FIndex > static_cast<int>(FFormats.size())) {
            FIndex = static_cast<int>(FFormats.size());
            return S_FALSE;
        }
        return S_OK;
    }
    HRESULT Reset() override
    {
        FIndex = 0;
        return S_OK;
    }
    std::unique_ptr<TEnumFormatEtcBase> Clone() const override
    {
        return std::make_unique<TListEnumFormatEtc>(FFormats, FIndex);
    }

private:
    std::vector<Word> FFormats;
    int FIndex;
};
} // namespace

void SetRTFAware(bool Value) { GRTFAware = Value; }
bool RTFAware() { return GRTFAware; }
Word RTFFormat() { return GRTFFormat; }

int StandardEffect(TShiftState Shift) { return (Shift & ssCtrl) ? DROPEFFECT_COPY : DROPEFFECT_MOVE; }

std::vector<Byte> ZeroedText(const AnsiString& s)
{
    std::vector<Byte> m(s.begin(), s.end());
    m.push_back(0);
    return m;
}

std::vector<Byte> Utf16ZeroedText(const AnsiString& s)
{
    std::vector<Byte> m;
    for (unsigned char c : s) {
        m.push_back(c);
        m.push_back(0);
    }
    m.push_back(0);
    m.push_back(0);
    return m;
}

// ---------------------------------------------------------------- source data object

HRESULT TSourceEnumFormatEtc::Next(int Count, TFormatEtc* Out, int* Fetched)
{
    int n = 0;
    while (n < Count && FIndex < kSourceFormats)
        Out[n++] = Descriptor(SourceFormat(FIndex++));
    if (Fetched)
        *Fetched = n;
    return n == Count ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(int Count)
{
    FIndex += Count;
    if (FIndex > kSourceFormats) {
        FIndex = kSourceFormats;
        return S_FALSE;
    }
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Reset()
{
    FIndex = 0;
    return S_OK;
}

std::unique_ptr<TEnumFormatEtcBase> TSourceEnumFormatEtc::Clone() const
{
    return std::make_unique<TSourceEnumFormatEtc>(FIndex);
}

HRESULT TSourceDataObject::EnumFormatEtc(int Direction, std::unique_ptr<TEnumFormatEtcBase>& Enum)
{
    if (Direction != DATADIR_GET) {
        Enum.reset();
        return E_NOTIMPL;
    }
    Enum = std::make_unique<TSourceEnumFormatEtc>();
    return S_OK;
}

HRESULT TSourceDataObject::QueryGetData(const TFormatEtc& F)
{
    if (F.dwAspect != DVASPECT_CONTENT || F.tymed != TYMED_HGLOBAL)
        return DV_E_FORMATETC;
    if (F.cfFormat == CF_TEXT || F.cfFormat == CF_UNICODETEXT)
        return S_OK;
    if (GRTFAware && F.cfFormat == SourceFormat(2))
        return S_OK;
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(const TFormatEtc& F, std::vector<Byte>& Medium)
{
    Medium.clear();
    if (QueryGetData(F) != S_OK)
        return DV_E_FORMATETC;
    if (F.cfFormat == CF_TEXT)
        Medium = ZeroedText(FText);
    else if (F.cfFormat == CF_UNICODETEXT)
        Medium = Utf16ZeroedText(FText);
    else
        Medium = ZeroedText(FRTF);
    return S_OK;
}

// ---------------------------------------------------------------- delivered data

std::vector<Word> TDragDataObject::Formats() const
{
    std::vector<Word> f;
    if (FData.HasText) {
        f.push_back(CF_TEXT);
        f.push_back(CF_UNICODETEXT);
    }
    if (FData.HasRTF)
        f.push_back(RegisterClipboardFormat("Rich Text Format"));
    if (!FData.Files.empty())
        f.push_back(CF_HDROP);
    // The program's own formats are registered under their MIME type.
    for (const auto& entry : FData.AppFormats)
        f.push_back(RegisterClipboardFormat(entry.first));
    return f;
}

HRESULT TDragDataObject::EnumFormatEtc(int Direction, std::unique_ptr<TEnumFormatEtcBase>& Enum)
{
    if (Direction != DATADIR_GET) {
        Enum.reset();
        return E_NOTIMPL;
    }
    Enum = std::make_unique<TListEnumFormatEtc>(Formats(), 0);
    return S_OK;
}

HRESULT TDragDataObject::QueryGetData(const TFormatEtc& F)
{
    if (F.dwAspect != DVASPECT_CONTENT || !(F.tymed & TYMED_HGLOBAL))
        return DV_E_FORMATETC;
    for (Word w : Formats())
        if (w == F.cfFormat)
            return S_OK;
    return DV_E_FORMATETC;
}

HRESULT TDragDataObject::GetData(const TFormatEtc& F, std::vector<Byte>& Medium)
{
    Medium.clear();
    if (QueryGetData(F) != S_OK)
        return DV_E_FORMATETC;
    if (F.cfFormat == CF_TEXT)
        Medium = ZeroedText(FData.Text);
    else if (F.cfFormat == CF_UNICODETEXT)
        Medium = Utf16ZeroedText(FData.Text);
    else if (F.cfFormat == CF_HDROP)
        Medium = DropFilesBlock(FData.Files);
    else if (F.cfFormat == RegisterClipboardFormat("Rich Text Format"))
        Medium = ZeroedText(FData.RTF);
    else
        for (const auto& [type, bytes] : FData.AppFormats)
            if (RegisterClipboardFormat(type) == F.cfFormat)
                Medium = bytes;
    return S_OK;
}

// ---------------------------------------------------------------- probe

TEnumFormats::TEnumFormats(TDataObjectBase* DataObject) : FDataObject(DataObject)
{
    if (!FDataObject || FDataObject->EnumFormatEtc(DATADIR_GET, FEnum) != S_OK || !FEnum)
        throw EAssertionFailed("Cannot get the format enumerator");
    Reset();
    FFiles = std::make_unique<TStringList>();
    GRTFFormat = RegisterClipboardFormat("Rich Text Format");
}

TEnumFormats::~TEnumFormats() = default;

void TEnumFormats::Reset()
{
    FValid = false;
    FCount = 0;
    FEnum->Reset();
}

bool TEnumFormats::Next()
{
    ++FCount;
    int fetched = 0;
    FValid = FEnum->Next(1, &FFormatEtc, &fetched) == S_OK;
    return FValid;
}

bool TEnumFormats::HasFormat(Word Format)
{
    Reset();
    while (Next())
        if (FFormatEtc.cfFormat == Format)
            return true;
    return false;
}

bool TEnumFormats::Handle(int Tymed, std::vector<Byte>& Medium)
{
    Medium.clear();
    if (!FValid || (FFormatEtc.tymed & Tymed) != Tymed)
        return false;
    TFormatEtc f = FFormatEtc;
    f.tymed = Tymed;
    return FDataObject->GetData(f, Medium) == S_OK;
}

AnsiString TEnumFormats::SomeText(Word Format)
{
    std::vector<Byte> m;
    if (!HasFormat(Format) || !GlobalHandle(m))
        return "";
    // Up to the terminating zero, never past the block.
    const auto end = std::find(m.begin(), m.end(), Byte(0));
    return AnsiString(m.begin(), end);
}

bool TEnumFormats::SomeFiles(TStrings*& List)
{
    FFiles->Clear();
    List = FFiles.get();
    std::vector<Byte> m;
    if (!HasFormat(CF_HDROP) || !GlobalHandle(m) || m.size() < 20)
        return false;
    std::uint32_t offset = 0, wide = 0;
    std::memcpy(&offset, m.data(), 4);
    std::memcpy(&wide, m.data() + 16, 4);
    size_t p = offset;
    const size_t step = wide ? 2 : 1;
    while (p + step <= m.size()) {
        AnsiString name;
        // A name runs to its terminator; a block without one ends the list.
        while (p + step <= m.size() && (m[p] != 0 || (wide && m[p + 1] != 0))) {
            name += static_cast<char>(wide && m[p + 1] != 0 ? '?' : m[p]);
            p += step;
        }
        if (name.empty() || p + step > m.size())
            break;
        FFiles->Add(name);
        p += step;
    }
    return FFiles->Count() > 0;
}

// ---------------------------------------------------------------- drop target

int TAEDropTarget::DragEnter(const TDragData& Data, TShiftState Shift, const TPoint&)
{
    FKeyState = Shift;
    TDragDataObject d(Data);
    TEnumFormats probe(&d);
    FAccept = probe.HasText() || probe.HasFile() || (GRTFAware && probe.HasRTF());
    return FAccept ? StandardEffect(Shift) : DROPEFFECT_NONE;
}

int TAEDropTarget::DragOver(TShiftState Shift, const TPoint& P)
{
    FKeyState = Shift;
    int effect = FAccept ? StandardEffect(Shift) : DROPEFFECT_NONE;
    bool allow = true;
    DragMouseMove(P, allow);
    return allow ? effect : DROPEFFECT_NONE;
}

int TAEDropTarget::Drop(const TDragData& Data, TShiftState Shift, const TPoint& P)
{
    FKeyState = Shift;
    if (!FAccept)
        return DROPEFFECT_NONE;
    TDragDataObject d(Data);
    TEnumFormats probe(&d);
    if (GRTFAware && probe.HasRTF())
        DropRTF(P, probe.RTF());
    else if (probe.HasText())
        DropText(P, probe.Text());
    TStrings* files = nullptr;
    if (probe.SomeFiles(files))
        DropFiles(P, files);
    return StandardEffect(Shift);
}

// ---------------------------------------------------------------- drop source

HRESULT TAEDropSource::QueryContinueDrag(bool EscapePressed, int KeyState)
{
    if (EscapePressed)
        return DRAGDROP_S_CANCEL;
    if (!(KeyState & MK_LBUTTON))
        return DRAGDROP_S_DROP;
    return S_OK;
}

HRESULT TAEDropSource::GiveFeedback(int Effect)
{
    FNoEffect = Effect == DROPEFFECT_NONE;
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

HRESULT StartTextDoDragDrop(TControl* Source, const AnsiString& Text, const AnsiString& RTF, int AllowedEffects,
                            int& Effect)
{
    TDragData d;
    d.HasText = true;
    d.Text = Text;
    if (GRTFAware && !RTF.empty()) {
        d.HasRTF = true;
        d.RTF = RTF;
    }
    TAEDropSource source;
    Effect = DoDragDrop(Source, d, AllowedEffects);
    // The platform's drag reports the final effect; none means no target took the drop.
    source.GiveFeedback(Effect);
    return source.NoEffect() ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
}
