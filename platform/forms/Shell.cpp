#include "platform/forms/Shell.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/forms/ModalScript.h"
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
