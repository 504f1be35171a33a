#pragma once
// Process priority classes of Win32, mapped to nice values on a best-effort basis.
#include "platform/core/Types.h"

constexpr DWORD IDLE_PRIORITY_CLASS = 0x40;
constexpr DWORD NORMAL_PRIORITY_CLASS = 0x20;
constexpr DWORD HIGH_PRIORITY_CLASS = 0x80;
constexpr DWORD REALTIME_PRIORITY_CLASS = 0x100;

// Raising the priority needs rights the user rarely has; a refusal is ignored
// and the program runs on at its priority. Returns whether the change took.
bool SetPriorityClass(DWORD PriorityClass);
