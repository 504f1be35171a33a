#pragma once
// A small XML reader: the whole document as a tree of elements. Names are local
// names (any namespace prefix dropped); texts are UTF-8.
#include <string>
#include <utility>
#include <vector>

#include "platform/core/Exceptions.h"

ZV_EXCEPTION_CLASS(EXmlError, Exception)

struct TXmlElement {
    AnsiString Name;
    std::vector<std::pair<AnsiString, AnsiString>> Attributes;
    AnsiString Text; // the character data directly inside, joined
    std::vector<TXmlElement> Children;

    // "" when the attribute is absent.
    AnsiString Attr(const AnsiString& AName) const;
    bool HasAttr(const AnsiString& AName) const;
    // The first child of that name, or nullptr.
    const TXmlElement* Child(const AnsiString& AName) const;
};

// The root element; a malformed document raises EXmlError with its line.
TXmlElement ParseXml(const std::string& Bytes);
