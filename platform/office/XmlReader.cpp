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

struct TXmlPullReader::TImpl {
    QByteArray Bytes;
    QXmlStreamReader Reader;
    explicit TImpl(const std::string& b) : Bytes(b.data(), qsizetype(b.size())), Reader(Bytes) {}
};

TXmlPullReader::TXmlPullReader(const std::string& Bytes) : FImpl(std::make_unique<TImpl>(Bytes)) {}

TXmlPullReader::~TXmlPullReader() = default;

TXmlPullReader::TToken TXmlPullReader::Next()
{
    QXmlStreamReader& r = FImpl->Reader;
    while (!r.atEnd()) {
        switch (r.readNext()) {
        case QXmlStreamReader::StartElement:
            FName = Utf8(r.name());
            FAttributes.clear();
            for (const QXmlStreamAttribute& a : r.attributes())
                FAttributes.emplace_back(Utf8(a.name()), Utf8(a.value()));
            return xtStart;
        case QXmlStreamReader::EndElement: FName = Utf8(r.name()); return xtEnd;
        case QXmlStreamReader::Characters: FText = Utf8(r.text()); return xtText;
        default: break;
        }
    }
    if (r.hasError())
        throw EXmlError("XML error at line " + std::to_string(r.lineNumber()) + ": " + Utf8(r.errorString()));
    return xtDone;
}

AnsiString TXmlPullReader::Attr(const AnsiString& AName) const
{
    for (const auto& [k, v] : FAttributes)
        if (k == AName)
            return v;
    return AnsiString();
}

TXmlElement ParseXml(const std::string& Bytes)
{
    TXmlPullReader r(Bytes);
    TXmlElement root;
    std::vector<TXmlElement*> open;
    bool haveRoot = false;
    for (TXmlPullReader::TToken t = r.Next(); t != TXmlPullReader::xtDone; t = r.Next()) {
        if (t == TXmlPullReader::xtStart) {
            TXmlElement e{r.Name(), r.Attributes(), {}, {}};
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
        } else if (t == TXmlPullReader::xtEnd)
            open.pop_back();
        else if (!open.empty())
            open.back()->Text += r.Text();
    }
    if (!haveRoot)
        throw EXmlError("XML error: no root element");
    return root;
}
