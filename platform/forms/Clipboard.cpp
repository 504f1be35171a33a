#include "platform/forms/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <map>
#include <memory>

#include "platform/graphics/QtGraphics_p.h"

using namespace zvqt;

namespace {

std::map<AnsiString, Word>& Formats()
{
    static std::map<AnsiString, Word> m;
    return m;
}

QString MimeOf(Word Format)
{
    if (Format == CF_TEXT)
        return "text/plain";
    for (const auto& [name, id] : Formats())
        if (id == Format)
            return "application/x-zorvane-" + ToQString(name);
    return "application/x-zorvane-format-" + QString::number(Format);
}

std::unique_ptr<QMimeData>& Pending()
{
    static std::unique_ptr<QMimeData> p;
    return p;
}

void Place(const QString& mime, const QByteArray& data, bool open)
{
    if (!QGuiApplication::clipboard())
        return;
    if (open) {
        if (!Pending())
            Pending() = std::make_unique<QMimeData>();
        Pending()->setData(mime, data);
        return;
    }
    auto* m = new QMimeData;
    m->setData(mime, data);
    QGuiApplication::clipboard()->setMimeData(m);
}

} // namespace

Word RegisterClipboardFormat(const AnsiString& Name)
{
    auto& f = Formats();
    const auto it = f.find(Name);
    if (it != f.end())
        return it->second;
    const Word id = static_cast<Word>(0xC000 + f.size());
    f[Name] = id;
    return id;
}

TClipboard* Clipboard()
{
    static TClipboard c;
    return &c;
}

AnsiString TClipboard::AsText() const
{
    if (!QGuiApplication::clipboard())
        return AnsiString();
    const QMimeData* m = QGuiApplication::clipboard()->mimeData();
    if (!m || !m->hasFormat("text/plain"))
        return AnsiString();
    const QByteArray b = m->data("text/plain");
    return AnsiString(b.constData(), static_cast<size_t>(b.size()));
}

void TClipboard::SetAsText(const AnsiString& v)
{
    Place("text/plain", QByteArray(v.data(), static_cast<qsizetype>(v.size())), FOpenCount > 0);
}

bool TClipboard::HasFormat(Word Format) const
{
    if (!QGuiApplication::clipboard())
        return false;
    const QMimeData* m = QGuiApplication::clipboard()->mimeData();
    return m && m->hasFormat(MimeOf(Format));
}

void TClipboard::SetBuffer(Word Format, const void* Buffer, int Size)
{
    Place(MimeOf(Format), QByteArray(static_cast<const char*>(Buffer), Size), FOpenCount > 0);
}

std::vector<Byte> TClipboard::GetBuffer(Word Format) const
{
    if (!QGuiApplication::clipboard())
        return {};
    const QMimeData* m = QGuiApplication::clipboard()->mimeData();
    if (!m || !m->hasFormat(MimeOf(Format)))
        return {};
    const QByteArray b = m->data(MimeOf(Format));
    return std::vector<Byte>(b.begin(), b.end());
}

void TClipboard::Clear()
{
    if (FOpenCount > 0) {
        Pending() = std::make_unique<QMimeData>();
        return;
    }
    if (QGuiApplication::clipboard())
        QGuiApplication::clipboard()->clear();
}

void TClipboard::Open() { ++FOpenCount; }

void TClipboard::Close()
{
    if (FOpenCount == 0)
        return;
    if (--FOpenCount == 0 && Pending()) {
        if (QGuiApplication::clipboard())
            QGuiApplication::clipboard()->setMimeData(Pending().release());
        Pending().reset();
    }
}
