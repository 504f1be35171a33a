#include "platform/forms/Shell.h"

#include <QBuffer>
#include <QDesktopServices>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QImageWriter>
#include <QUrl>

#include "platform/forms/ModalScript.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/QtGraphics_p.h"

namespace {
struct ShellState {
    bool recordOnly = false;
    std::vector<AnsiString> opened;
};
ShellState& S()
{
    static ShellState s;
    return s;
}
} // namespace

bool ShellOpenAddress(const AnsiString& Address)
{
    S().opened.push_back(Address);
    if (S().recordOnly || ModalScript::Strict())
        return true;
    return QDesktopServices::openUrl(QUrl::fromUserInput(zvqt::ToQString(Address)));
}

void SetShellRecordOnly(bool On) { S().recordOnly = On; }
const std::vector<AnsiString>& ShellOpenedAddresses() { return S().opened; }
void ClearShellOpenedAddresses() { S().opened.clear(); }

bool DesktopFileIcon(const AnsiString& Name, bool Large, TIcon* Icon)
{
    if (!Icon || Name.empty())
        return false;
    const int size = Large ? 32 : 16;
    QFileIconProvider provider;
    const QIcon icon = provider.icon(QFileInfo(zvqt::ToQString(Name)));
    if (icon.isNull())
        return false;
    const QImage image = icon.pixmap(size, size).toImage();
    if (image.isNull())
        return false;
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    QImageWriter writer(&buf, "ICO");
    if (!writer.write(image.scaled(size, size)))
        return false;
    Icon->LoadFromData(std::vector<Byte>(bytes.begin(), bytes.end()));
    return !Icon->Empty();
}
