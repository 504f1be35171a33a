#include "components/grid/Ravxpvs.h"

#include "platform/forms/Themes.h"

namespace RavXPVS {

namespace {
const TThemeBinding& Binding()
{
    static const TThemeBinding binding = TThemeBinding::Bound();
    return binding;
}
} // namespace

bool Loaded() { return Binding().Loaded(); }
bool ThemesActive() { return Binding().ThemesActive(); }

} // namespace RavXPVS
