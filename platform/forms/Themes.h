#pragma once
// Binding of the visual-styles (themes) library, loaded at run time so that the
// controls start on systems without it. Each user unit keeps its own binding;
// a control draws themed only when ThemesActive() says so, else classically.
// This platform has no such library: every binding reports it as not loaded.
#include "platform/core/Types.h"

class TCanvas;
class TWinControl;

using HTHEME = void*;

class TThemeBinding {
public:
    // The four entry points the controls call; null while the library is not loaded.
    using TOpenThemeData = HTHEME (*)(TWinControl* Window, const char* ClassList);
    using TCloseThemeData = long (*)(HTHEME Theme);
    using TDrawThemeBackground = long (*)(HTHEME Theme, TCanvas* DC, int PartId, int StateId,
                                          const TRect& Rect, const TRect* ClipRect);
    using TIsThemeActive = int (*)();

    TOpenThemeData OpenThemeData = nullptr;
    TCloseThemeData CloseThemeData = nullptr;
    TDrawThemeBackground DrawThemeBackground = nullptr;
    TIsThemeActive IsThemeActive = nullptr;

    // A binding that has tried to load the library (what a user unit keeps).
    static TThemeBinding Bound();
    // Loads the library once; without it the binding stays empty and start-up goes on.
    void Load();
    // Frees this binding's library handle (another binding keeps its own).
    void Unload();
    bool Loaded() const { return FLoaded; }
    // True when the library is bound and reports an active theme.
    bool ThemesActive() const;

private:
    bool FLoaded = false;
};
