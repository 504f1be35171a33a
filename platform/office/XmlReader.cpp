#include "platform/office/XmlReader.h"

#include <QXmlStreamReader>

namespace {

AnsiString Utf8(QStringView s)
{
    const QByteArray b = s.toUtf8();
    return AnsiString(b.constData(), size_t(b.size()));
}

} // namespace

AnsiString TXmlElement::Attr(const AnsiString& AName) const
{
    for (const auto& [k, v] : Attributes)
        if (k == AName)
            return v;
    return AnsiString();
}

bool TXmlElement::HasAttr(const AnsiString& AName) const
{
    for (const auto& a : Attributes)
        if (a.first == AName)
            return true;
    return false;
}

const TXmlElement* TXmlElement::Child(const AnsiString& AName) const
{
    for (const TXmlElement& c : Children)
        if (c.Name == AName)
            return &c;
    return nullptr;
}

TXmlElement ParseXml(const std::string& Bytes)
{
    QXmlStreamReader r(QByteArray(Bytes.data(), qsizetype(Bytes.size())));
    TXmlElement root;
    std::vector<TXmlElement*> open;
    bool haveRoot = false;
    while (!r.atEnd()) {
        switch (r.readNext()) {
        case QXmlStreamReader::StartElement: {
            TXmlElement e;
            e.Name = Utf8(r.name());
            for (const QXmlStreamAttribute& a : r.attributes())
                e.Attributes.emplace_back(Utf8(a.name()), Utf8(a.value()));
            if (open.empty()) {
                if (haveRoot)
                    throw EXmlError("XML error: more than one root element");
                root = std::move(e);
                haveRoot = true;
                open.push_back(&root);
            } else {
                open.back()->Children.push_back(std::move(e));
                open.push_back(&open.back()->Children.back());
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            open.pop_back();
            break;
        case QXmlStreamReader::Characters:
            if (!open.empty())
                open.back()->Text += Utf8(r.text());
            break;
        default:
            break;
        }
    }
    if (r.hasError())
        throw EXmlError("XML error at line " + std::to_string(r.lineNumber()) + ": " + Utf8(r.errorString()));
    if (!haveRoot)
        throw EXmlError("XML error: no root element");
    return root;
}
