#include "platform/forms/Themes.h"

TThemeBinding TThemeBinding::Bound()
{
    TThemeBinding b;
    b.Load();
    return b;
}

void TThemeBinding::Load()
{
    if (FLoaded)
        return;
    // No visual-styles library exists here: the binding stays unloaded and every
    // entry point null, so the controls draw the classic way.
}

void TThemeBinding::Unload()
{
    if (!FLoaded)
        return;
    FLoaded = false;
    OpenThemeData = nullptr;
    CloseThemeData = nullptr;
    DrawThemeBackground = nullptr;
    IsThemeActive = nullptr;
}

bool TThemeBinding::ThemesActive() const { return FLoaded && IsThemeActive && IsThemeActive() != 0; }
