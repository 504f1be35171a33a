#include "tools/panel-art/PanelArtFonts.h"

#include <array>

#include <QFontDatabase>
#include <QGuiApplication>
#include <QString>

#include "platform/core/Exceptions.h"
#include "tools/panel-art/PanelArtApplication.h"

namespace PanelArt {
namespace {

// The files of the fonts-dejavu-core package, which the set-up installs.
constexpr const char* FontFolder = "/usr/share/fonts/truetype/dejavu/";
constexpr const char* FontFiles[] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"};

QString& LoadedFamily()
{
    static QString family;
    return family;
}

// Application fonts belong to one application object: after a new one is made the
// files are registered again.
void LoadFonts()
{
    static int firstId = -1;
    if (firstId >= 0 && !QFontDatabase::applicationFontFamilies(firstId).isEmpty())
        return;
    firstId = -1;
    for (const char* file : FontFiles) {
        const QString path = QString::fromUtf8(FontFolder) + QString::fromUtf8(file);
        const int id = QFontDatabase::addApplicationFont(path);
        if (id < 0)
            throw EFOpenError("Cannot load the font " + path.toStdString() +
                              " (package fonts-dejavu-core)");
        if (firstId < 0) {
            firstId = id;
            LoadedFamily() = QFontDatabase::applicationFontFamilies(id).value(0);
        }
    }
}

}  // namespace

struct PanelArtApplication::Impl {
    // The application keeps (and edits) its argument list: it lives as long as the application.
    int Argc = 0;
    std::array<char*, 4> Argv{};
    std::unique_ptr<QGuiApplication> OwnApp;
};

PanelArtApplication::PanelArtApplication() : FImpl(std::make_unique<Impl>())
{
    if (QCoreApplication::instance() == nullptr) {
        // Drawing needs no screen: the off-screen platform works with or without a display.
        static char arg0[] = "zorvane-panel-art";
        static char arg1[] = "-platform";
        static char arg2[] = "offscreen";
        FImpl->Argv = {arg0, arg1, arg2, nullptr};
        FImpl->Argc = 3;
        FImpl->OwnApp = std::make_unique<QGuiApplication>(FImpl->Argc, FImpl->Argv.data());
    } else if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        throw EInvalidOperation("The panel pictures need a GUI application object");
    }
    LoadFonts();
}

PanelArtApplication::~PanelArtApplication() = default;

QFont ArtFont(int pixelSize, bool bold)
{
    QFont font(LoadedFamily());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

}  // namespace PanelArt
