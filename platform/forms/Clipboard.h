#pragma once
// The clipboard: text and named custom formats. Between Open and Close several formats
// are placed together; outside, each placement replaces the clipboard's contents.
#include <vector>

#include "platform/core/Component.h"

constexpr Word CF_TEXT = 1;

// A number for a named format (the same name gives the same number).
Word RegisterClipboardFormat(const AnsiString& Name);

class TClipboard : public TPersistent {
public:
    AnsiString AsText() const;
    void SetAsText(const AnsiString& v);
    bool HasFormat(Word Format) const;
    void SetBuffer(Word Format, const void* Buffer, int Size);
    std::vector<Byte> GetBuffer(Word Format) const;
    void Clear();
    void Open();
    void Close();

private:
    int FOpenCount = 0;
};

TClipboard* Clipboard();
