#pragma once
// The drawing needs a GUI application object (for fonts) and the DejaVu fonts loaded from
// their files, so that the pictures never depend on which fonts a machine prefers.
#include <array>
#include <memory>

#include <QFont>

class QGuiApplication;

namespace PanelArt {

// Makes sure a GUI application object exists while it lives: when there is none it
// creates one on the off-screen platform and ends it again; when there is one it does
// nothing. Then loads the fonts (throws Exception when a font file is missing).
class PanelArtApplication {
public:
    PanelArtApplication();
    ~PanelArtApplication();
    PanelArtApplication(const PanelArtApplication&) = delete;
    PanelArtApplication& operator=(const PanelArtApplication&) = delete;

private:
    // The application keeps (and edits) its argument list: it lives as long as the application.
    int FArgc = 0;
    std::array<char*, 4> FArgv{};
    std::unique_ptr<QGuiApplication> FOwnApp;
};

// DejaVu Sans, bold or regular, at a size in pixels; no fallback to other fonts.
QFont ArtFont(int pixelSize, bool bold = true);

}  // namespace PanelArt
