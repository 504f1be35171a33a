#include "platform/forms/LockKeys.h"

bool ReadLockKeyState(Word, bool& On)
{
    // The toolkit reports no lock-key states on any display server we run on.
    On = false;
    return false;
}
