#pragma once
// The edit-button controls' binding to the visual-styles library.
#include "platform/forms/Themes.h"

namespace Ravedxpvs {
// The binding of the edit-button controls, loaded on first use.
TThemeBinding& Binding();
}
