#pragma once
// The drawing needs a GUI application object (for fonts) and the DejaVu fonts loaded from
// their files, so that the pictures never depend on which fonts a machine prefers.
#include <memory>

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
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};

}  // namespace PanelArt
