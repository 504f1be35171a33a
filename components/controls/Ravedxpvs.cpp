#include "components/controls/Ravedxpvs.h"

namespace Ravedxpvs {
TThemeBinding& Binding()
{
    static TThemeBinding binding = TThemeBinding::Bound();
    return binding;
}
}
