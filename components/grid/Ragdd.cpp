#include "components/grid/Ragdd.h"

#include <cstdint>
#include <cstring>

namespace Ragdd {

namespace {
bool GRTFAware = false;
Word GColFormat = 0;

Word RichTextFormat() { return RegisterClipboardFormat("Rich Text Format"); }
Word ColumnFormat() { return RegisterClipboardFormat(kColumnFormatType); }

std::vector<Byte> IntBytes(int v)
{
    const auto u = static_cast<std::uint32_t>(v);
    return {Byte(u), Byte(u >> 8), Byte(u >> 16), Byte(u >> 24)};
}
} // namespace

void SetRTFAware(bool Value) { GRTFAware = Value; }
bool RTFAware() { return GRTFAware; }
Word ColFormat() { return GColFormat; }

// ---------------------------------------------------------------- probe

TEnumFormats::TEnumFormats(TDataObjectBase* DataObject) : ::TEnumFormats(DataObject) { GColFormat = ColumnFormat(); }

int TEnumFormats::SomeInt(Word Format)
{
    std::vector<Byte> m;
    if (!HasFormat(Format) || !GlobalHandle(m) || m.size() < 4)
        return -1;
    const std::uint32_t u = std::uint32_t(m[0]) | std::uint32_t(m[1]) << 8 | std::uint32_t(m[2]) << 16 |
                            std::uint32_t(m[3]) << 24;
    return static_cast<std::int32_t>(u);
}

// ---------------------------------------------------------------- source data

HRESULT TSourceEnumFormatEtc::Next(int Wanted, TFormatEtc* Out, int* Fetched)
{
    const Word formats[4] = {CF_TEXT, CF_UNICODETEXT, RichTextFormat(), ColumnFormat()};
    int n = 0;
    while (n < Wanted && FIndex < Count()) {
        Out[n] = TFormatEtc();
        Out[n++].cfFormat = formats[FIndex++];
    }
    if (Fetched)
        *Fetched = n;
    return n == Wanted ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(int Wanted)
{
    FIndex += Wanted;
    if (FIndex > Count()) {
        FIndex = Count();
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
    return std::make_unique<TSourceEnumFormatEtc>(FHasCol, FIndex);
}

HRESULT TSourceDataObject::EnumFormatEtc(int Direction, std::unique_ptr<TEnumFormatEtcBase>& Enum)
{
    if (Direction != DATADIR_GET) {
        Enum.reset();
        return E_NOTIMPL;
    }
    Enum = std::make_unique<TSourceEnumFormatEtc>(FCol != -1);
    return S_OK;
}

HRESULT TSourceDataObject::QueryGetData(const TFormatEtc& F)
{
    if (F.dwAspect != DVASPECT_CONTENT || F.tymed != TYMED_HGLOBAL)
        return DV_E_FORMATETC;
    if ((F.cfFormat == CF_TEXT || F.cfFormat == CF_UNICODETEXT) && !FText.empty())
        return S_OK;
    if (F.cfFormat == RichTextFormat() && !FText.empty() && GRTFAware)
        return S_OK;
    if (F.cfFormat == ColumnFormat() && FCol != -1)
        return S_OK;
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(const TFormatEtc& F, std::vector<Byte>& Medium)
{
    Medium.clear();
    if (QueryGetData(F) != S_OK)
        return DV_E_FORMATETC;
    if (F.cfFormat == CF_TEXT)
        Medium = ::ZeroedText(FText);
    else if (F.cfFormat == CF_UNICODETEXT)
        Medium = ::Utf16ZeroedText(FText);
    else if (F.cfFormat == ColumnFormat())
        Medium = IntBytes(FCol);
    else
        Medium = ::ZeroedText(FRTF);
    return S_OK;
}

TDragData TSourceDataObject::DragData() const
{
    TDragData d;
    // The text formats are offered even when the text is empty, as the format list says.
    d.HasText = true;
    d.Text = FText;
    if (GRTFAware && !FText.empty() && !FRTF.empty()) {
        d.HasRTF = true;
        d.RTF = FRTF;
    }
    if (FCol != -1)
        d.AppFormats[kColumnFormatType] = IntBytes(FCol);
    return d;
}

// ---------------------------------------------------------------- drop target

int TRAGDropTarget::DragEnter(const TDragData& Data, TShiftState Shift, const TPoint&)
{
    TDragDataObject d(Data);
    TEnumFormats probe(&d);
    const bool text = probe.HasText(), files = probe.HasFile(), rtf = probe.HasRTF(), col = probe.HasCol();
    FAccept = (text && AcceptText) || (files && AcceptFiles) || (rtf && GRTFAware && AcceptText) || (col && AcceptCols);
    FFormats = (text ? FormatBit(dfText) : 0) | (files ? FormatBit(dfFile) : 0) | (rtf ? FormatBit(dfRTF) : 0) |
               (col ? FormatBit(dfCol) : 0);
    const int effect = FAccept ? StandardEffect(Shift) : DROPEFFECT_NONE;
    DragMouseEnter();
    return effect;
}

int TRAGDropTarget::DragOver(TShiftState Shift, const TPoint& P)
{
    const int effect = FAccept ? StandardEffect(Shift) : DROPEFFECT_NONE;
    bool allowed = effect != DROPEFFECT_NONE;
    DragMouseMove(P, allowed, FFormats);
    return allowed ? effect : DROPEFFECT_NONE;
}

int TRAGDropTarget::Drop(const TDragData& Data, TShiftState Shift, const TPoint& P)
{
    if (!FAccept)
        return DROPEFFECT_NONE;
    TDragDataObject d(Data);
    TEnumFormats probe(&d);
    if (probe.HasCol())
        DropCol(P, probe.Col());
    else if (GRTFAware && probe.HasRTF())
        DropRTF(P, probe.RTF());
    else if (probe.HasText())
        DropText(P, probe.Text());
    TStrings* files = nullptr;
    if (probe.SomeFiles(files))
        DropFiles(P, files);
    return StandardEffect(Shift);
}

// ---------------------------------------------------------------- drop source

HRESULT TRAGDropSource::QueryContinueDrag(bool EscapePressed, int KeyState)
{
    QueryDrag();
    return TAEDropSource::QueryContinueDrag(EscapePressed, KeyState);
}

HRESULT TRAGDropSource::GiveFeedback(int Effect)
{
    const HRESULT r = TAEDropSource::GiveFeedback(Effect);
    CurrentEffect(Effect);
    return r;
}

namespace {
HRESULT RunDrag(TControl* Source, TRAGDropSource* DropSource, const TSourceDataObject& Data, int AllowedEffects,
                int& Effect)
{
    TRAGDropSource fallback;
    TRAGDropSource* s = DropSource ? DropSource : &fallback;
    s->QueryContinueDrag(false, MK_LBUTTON);
    Effect = DoDragDrop(Source, Data.DragData(), AllowedEffects);
    // The platform's drag reports the final effect; none means no target took the drop.
    s->GiveFeedback(Effect);
    return s->NoEffect() ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
}
} // namespace

HRESULT StartTextDoDragDrop(TControl* Source, TRAGDropSource* DropSource, const AnsiString& Text,
                            const AnsiString& RTF, int AllowedEffects, int& Effect)
{
    return RunDrag(Source, DropSource, TSourceDataObject(Text, RTF, -1), AllowedEffects, Effect);
}

HRESULT StartColDoDragDrop(TControl* Source, TRAGDropSource* DropSource, int Col, int AllowedEffects, int& Effect)
{
    return RunDrag(Source, DropSource, TSourceDataObject("", "", Col), AllowedEffects, Effect);
}

} // namespace Ragdd
