#pragma once
// The state of the lock keys (Num Lock, Caps Lock, Scroll Lock). Programs only read it;
// nothing here sets the keyboard.
#include "platform/core/Types.h"

// On receives whether the lock key VirtualKey (VK_NUMLOCK, VK_CAPITAL, VK_SCROLL) is on;
// false when the display server does not tell (On is then false).
bool ReadLockKeyState(Word VirtualKey, bool& On);
