#pragma once
// Drag and drop for the edit controls: a drop target that accepts plain text, rich text
// and file lists and hands them to overridable operations; a data object offering a
// dragged text (and its rich-text form); the probe that reads a data object's formats;
// and the start of a text drag out of a control.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/Strings.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/DragDrop.h"

using HRESULT = std::int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064u);
constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = static_cast<HRESULT>(0x80040003u);
constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;

constexpr Word CF_UNICODETEXT = 13;
constexpr Word CF_HDROP = 15;
constexpr int DVASPECT_CONTENT = 1;
constexpr int TYMED_HGLOBAL = 1;
constexpr int TYMED_FILE = 2;
constexpr int TYMED_ISTREAM = 4;
constexpr int DATADIR_GET = 1;
constexpr int DATADIR_SET = 2;
constexpr int MK_LBUTTON = 1;

struct TFormatEtc {
    Word cfFormat = 0;
    const void* ptd = nullptr; // target device: none
    int dwAspect = DVASPECT_CONTENT;
    int lindex = -1;
    int tymed = TYMED_HGLOBAL;
};

// Rich text is offered and accepted only once switched on.
void SetRTFAware(bool Value);
bool RTFAware();
// The number of the "Rich Text Format" format (0 until the first probe registers it).
Word RTFFormat();
// Copy with Ctrl held, else move.
int StandardEffect(TShiftState Shift);
// A text medium: the 8-bit text with a terminating zero.
std::vector<Byte> ZeroedText(const AnsiString& s);
// A CF_UNICODETEXT medium: 8-bit text as UTF-16 with a terminating zero character.
std::vector<Byte> Utf16ZeroedText(const AnsiString& s);

class TEnumFormatEtcBase {
public:
    virtual ~TEnumFormatEtcBase() = default;
    virtual HRESULT Next(int Count, TFormatEtc* Out, int* Fetched) = 0;
    virtual HRESULT Skip(int Count) = 0;
    virtual HRESULT Reset() = 0;
    virtual std::unique_ptr<TEnumFormatEtcBase> Clone() const = 0;
};

// A data object: formats to enumerate and their contents (a global memory block).
class TDataObjectBase {
public:
    virtual ~TDataObjectBase() = default;
    virtual HRESULT EnumFormatEtc(int Direction, std::unique_ptr<TEnumFormatEtcBase>& Enum) = 0;
    virtual HRESULT QueryGetData(const TFormatEtc& Format) = 0;
    virtual HRESULT GetData(const TFormatEtc& Format, std::vector<Byte>& Medium) = 0;
};

// The formats of a text drag: CF_TEXT, CF_UNICODETEXT, the rich-text format.
class TSourceEnumFormatEtc : public TEnumFormatEtcBase {
public:
    explicit TSourceEnumFormatEtc(int Index = 0) : FIndex(Index) {}
    HRESULT Next(int Count, TFormatEtc* Out, int* Fetched) override;
    HRESULT Skip(int Count) override;
    HRESULT Reset() override;
    std::unique_ptr<TEnumFormatEtcBase> Clone() const override;
    int Index() const { return FIndex; }

private:
    int FIndex;
};

class TSourceDataObject : public TDataObjectBase {
public:
    TSourceDataObject(const AnsiString& Text, const AnsiString& RTF) : FText(Text), FRTF(RTF) {}
    HRESULT EnumFormatEtc(int Direction, std::unique_ptr<TEnumFormatEtcBase>& Enum) override;
    HRESULT QueryGetData(const TFormatEtc& Format) override;
    HRESULT GetData(const TFormatEtc& Format, std::vector<Byte>& Medium) override;
    HRESULT GetDataHere(const TFormatEtc&, std::vector<Byte>&) { return DV_E_FORMATETC; }
    HRESULT SetData(const TFormatEtc&, const std::vector<Byte>&) { return DV_E_FORMATETC; }
    HRESULT GetCanonicalFormatEtc(const TFormatEtc&, TFormatEtc& Out)
    {
        Out.ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT DAdvise() { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT DUnadvise() { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT EnumDAdvise() { return OLE_E_ADVISENOTSUPPORTED; }

private:
    AnsiString FText, FRTF;
};

// A drag's data as the platform delivered it (text, rich text, file list).
class TDragDataObject : public TDataObjectBase {
public:
    explicit TDragDataObject(const TDragData& Data) : FData(Data) {}
    HRESULT EnumFormatEtc(int Direction, std::unique_ptr<TEnumFormatEtcBase>& Enum) override;
    HRESULT QueryGetData(const TFormatEtc& Format) override;
    HRESULT GetData(const TFormatEtc& Format, std::vector<Byte>& Medium) override;

private:
    std::vector<Word> Formats() const;
    TDragData FData;
};

// Reads a data object for the formats it carries.
class TEnumFormats : public TObject {
public:
    explicit TEnumFormats(TDataObjectBase* DataObject);
    ~TEnumFormats() override;
    void Reset();
    bool Next();
    bool HasFormat(Word Format);
    bool HasText() { return HasFormat(CF_TEXT); }
    bool HasRTF() { return HasFormat(RTFFormat()); }
    bool HasFile() { return HasFormat(CF_HDROP); }
    AnsiString Text() { return SomeText(CF_TEXT); }
    AnsiString RTF() { return SomeText(RTFFormat()); }
    AnsiString SomeText(Word Format);
    bool SomeFiles(TStrings*& List);
    // The current format's contents in medium Tymed; false when there are none.
    bool Handle(int Tymed, std::vector<Byte>& Medium);
    bool GlobalHandle(std::vector<Byte>& Medium) { return Handle(TYMED_HGLOBAL, Medium); }
    int Aspect() const { return FFormatEtc.dwAspect; }
    void SetAspect(int v) { FFormatEtc.dwAspect = v; }
    Word cfFormat() const { return FFormatEtc.cfFormat; }
    void SetcfFormat(Word v) { FFormatEtc.cfFormat = v; }
    int lIndex() const { return FFormatEtc.lindex; }
    void SetlIndex(int v) { FFormatEtc.lindex = v; }
    int Tymed() const { return FFormatEtc.tymed; }
    void SetTymed(int v) { FFormatEtc.tymed = v; }

private:
    TDataObjectBase* FDataObject;
    std::unique_ptr<TEnumFormatEtcBase> FEnum;
    TFormatEtc FFormatEtc;
    bool FValid = false;
    int FCount = 0;
    std::unique_ptr<TStringList> FFiles;
};

// The drop target base: texts, rich texts and file lists go to the virtual operations.
class TAEDropTarget : public TDropTargetHandler {
public:
    int DragEnter(const TDragData& Data, TShiftState Shift, const TPoint& P) override;
    int DragOver(TShiftState Shift, const TPoint& P) override;
    void DragLeave() override {}
    int Drop(const TDragData& Data, TShiftState Shift, const TPoint& P) override;

    virtual void DropText(const TPoint&, const AnsiString&) {}
    virtual void DropRTF(const TPoint&, const AnsiString&) {}
    virtual void DropFiles(const TPoint&, TStrings*) {}
    virtual void DragMouseMove(const TPoint&, bool&) {}
    bool Accepted() const { return FAccept; }
    // The keys held at the last entry, move or drop.
    TShiftState KeyState() const { return FKeyState; }

private:
    bool FAccept = false;
    TShiftState FKeyState = 0;
};

class TAEDropSource {
public:
    HRESULT QueryContinueDrag(bool EscapePressed, int KeyState);
    HRESULT GiveFeedback(int Effect);
    bool NoEffect() const { return FNoEffect; }

private:
    bool FNoEffect = false;
};

// Drags Text (with its rich-text form) out of Source; Effect receives the drop's effect.
// DRAGDROP_S_DROP when a target took it, DRAGDROP_S_CANCEL otherwise.
HRESULT StartTextDoDragDrop(TControl* Source, const AnsiString& Text, const AnsiString& RTF, int AllowedEffects,
                            int& Effect);
