#include "components/grid/Ravxpvs.h"

namespace RavXPVS {

bool Loaded() { return false; }
bool ThemesActive() { return Loaded() && false; }

} // namespace RavXPVS
