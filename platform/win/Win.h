#pragma once
// The Win32 calls of the program, in one include.
#include "platform/win/Beep.h"
#include "platform/win/Locale.h"
#include "platform/win/Paths.h"
#include "platform/win/Process.h"
#include "platform/win/SingleInstance.h"
#include "platform/win/Timing.h"
