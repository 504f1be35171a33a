#pragma once
// The class library's run-time utilities in one include: text, numbers,
// Format, dates and times, files and names, and the format settings.
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"
#include "platform/core/FloatConvert.h"
#include "platform/core/Format.h"
#include "platform/core/FormatSettings.h"
#include "platform/core/IntConvert.h"
#include "platform/core/StringUtils.h"
