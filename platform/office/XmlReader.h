#pragma once
// A small XML reader: the whole document as a tree of elements. Names are local
// names (any namespace prefix dropped); texts are UTF-8.
#include <memory>
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

// Reads a document piece by piece, for documents too large to hold as a tree.
class TXmlPullReader {
public:
    enum TToken { xtStart, xtEnd, xtText, xtDone };
    explicit TXmlPullReader(const std::string& Bytes);
    ~TXmlPullReader();
    TXmlPullReader(const TXmlPullReader&) = delete;
    TXmlPullReader& operator=(const TXmlPullReader&) = delete;
    // The next start tag, end tag or text; a malformed document raises EXmlError with its line.
    TToken Next();
    // The local name of the element just started or ended.
    const AnsiString& Name() const { return FName; }
    // The attributes of the element just started.
    const std::vector<std::pair<AnsiString, AnsiString>>& Attributes() const { return FAttributes; }
    AnsiString Attr(const AnsiString& AName) const;
    const AnsiString& Text() const { return FText; }

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
    AnsiString FName, FText;
    std::vector<std::pair<AnsiString, AnsiString>> FAttributes;
};
