#include "components/controls/Ravedxpvs.h"

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

bool TThemeBinding::ThemesActive() const
{
    return FLoaded && IsThemeActive && IsThemeActive() != 0;
}

namespace Ravedxpvs {
TThemeBinding& Binding()
{
    static TThemeBinding binding = [] {
        TThemeBinding b;
        b.Load();
        return b;
    }();
    return binding;
}
}
