#include "platform/core/FormatSettings.h"

TFormatSettings FormatSettings;
