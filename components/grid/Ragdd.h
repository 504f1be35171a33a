#pragma once
// The grid's drag-and-drop layer: the edit controls' layer plus a format that carries a
// column index, so that a column header can be dragged within or between grids. It has
// its own rich-text switch, and its drop target reports which formats a drag offers.
#include <memory>

#include "components/controls/Raveddd.h"

namespace Ragdd {

// The column format travels as this MIME type: 4 bytes, the column as a signed 32-bit
// little-endian integer.
inline constexpr const char* kColumnFormatType = "application/x-zorvane-grid-column";

enum TDropFormat { dfText, dfFile, dfCol, dfRTF };
using TDropFormats = unsigned; // bits 1 << TDropFormat
constexpr TDropFormats FormatBit(TDropFormat f) { return 1u << f; }

void SetRTFAware(bool Value);
bool RTFAware();
// The number of the column format: 0 until the first probe registers it.
Word ColFormat();

// Reads a data object; adds the column format to the edit controls' probe.
class TEnumFormats : public ::TEnumFormats {
public:
    explicit TEnumFormats(TDataObjectBase* DataObject);
    // The first 4 bytes of Format's contents as a signed integer; -1 when absent.
    int SomeInt(Word Format);
    int Col() { return SomeInt(ColFormat()); }
    bool HasCol() { return HasFormat(ColFormat()); }
};

// CF_TEXT, CF_UNICODETEXT, the rich-text format and, with the column flag, the column format.
class TSourceEnumFormatEtc : public TEnumFormatEtcBase {
public:
    TSourceEnumFormatEtc(bool HasCol, int Index = 0) : FHasCol(HasCol), FIndex(Index) {}
    HRESULT Next(int Count, TFormatEtc* Out, int* Fetched) override;
    HRESULT Skip(int Count) override;
    HRESULT Reset() override;
    std::unique_ptr<TEnumFormatEtcBase> Clone() const override;
    int Index() const { return FIndex; }
    bool HasCol() const { return FHasCol; }

private:
    int Count() const { return FHasCol ? 4 : 3; }
    bool FHasCol;
    int FIndex;
};

// A grid drag's data: a text with its rich-text form, or a column (-1: none).
class TSourceDataObject : public TDataObjectBase {
public:
    TSourceDataObject(const AnsiString& Text, const AnsiString& RTF, int Col) : FText(Text), FRTF(RTF), FCol(Col) {}
    HRESULT EnumFormatEtc(int Direction, std::unique_ptr<TEnumFormatEtcBase>& Enum) override;
    HRESULT QueryGetData(const TFormatEtc& Format) override;
    HRESULT GetData(const TFormatEtc& Format, std::vector<Byte>& Medium) override;
    // The same data as the platform carries it.
    TDragData DragData() const;

private:
    AnsiString FText, FRTF;
    int FCol;
};

// The drop target base: texts, rich texts, columns and file lists go to the virtual
// operations; the switches say what is accepted at the drag's entry.
class TRAGDropTarget : public TDropTargetHandler {
public:
    int DragEnter(const TDragData& Data, TShiftState Shift, const TPoint& P) override;
    int DragOver(TShiftState Shift, const TPoint& P) override;
    void DragLeave() override { DragMouseLeave(); }
    int Drop(const TDragData& Data, TShiftState Shift, const TPoint& P) override;

    virtual void DropText(const TPoint&, const AnsiString&) {}
    virtual void DropCol(const TPoint&, int) {}
    virtual void DropRTF(const TPoint&, const AnsiString&) {}
    virtual void DropFiles(const TPoint&, TStrings*) {}
    virtual void DragMouseMove(const TPoint&, bool&, TDropFormats) {}
    virtual void DragMouseEnter() {}
    virtual void DragMouseLeave() {}

    bool AcceptText = true;
    bool AcceptFiles = true;
    bool AcceptCols = false;
    bool Accepted() const { return FAccept; }
    TDropFormats DropFormats() const { return FFormats; }

private:
    bool FAccept = false;
    TDropFormats FFormats = 0;
};

class TRAGDropSource : public TAEDropSource {
public:
    virtual ~TRAGDropSource() = default;
    HRESULT QueryContinueDrag(bool EscapePressed, int KeyState);
    HRESULT GiveFeedback(int Effect);
    virtual void CurrentEffect(int) {}
    virtual void QueryDrag() {}
};

// Drags a text (with its rich-text form) or a column out of Source. Effect receives the
// drop's effect; DRAGDROP_S_DROP when a target took it, DRAGDROP_S_CANCEL otherwise.
HRESULT StartTextDoDragDrop(TControl* Source, TRAGDropSource* DropSource, const AnsiString& Text,
                            const AnsiString& RTF, int AllowedEffects, int& Effect);
HRESULT StartColDoDragDrop(TControl* Source, TRAGDropSource* DropSource, int Col, int AllowedEffects, int& Effect);

} // namespace Ragdd
