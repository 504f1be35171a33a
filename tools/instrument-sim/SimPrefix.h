#pragma once
// Where the program looks for its serial ports: <prefix>/dosdevices/comN.
#include "platform/core/Types.h"

// <prefix>/dosdevices/comN, whether or not it exists.
AnsiString SimPortLinkPath(int port);

// Creates the link comN -> target (and its folder), replacing an older symbolic link.
// Throws EOSError when a file that is not a symbolic link is in the way, or on failure.
void CreatePortLink(const AnsiString& link, const AnsiString& target);

// Removes the link only while it still points at target (another simulator may own it now).
void RemovePortLink(const AnsiString& link, const AnsiString& target);
