#pragma once
// Where the program's Windows paths live on this system. Every fixed Windows
// path ("C:\Zorvane\...") and every path built from one goes through
// MapWindowsPath before it reaches a file function.
#include "platform/core/Types.h"

// $ZORVANE_PREFIX, else $XDG_DATA_HOME/zorvane, else ~/.local/share/zorvane (no trailing '/').
AnsiString ZorvanePrefix();

// "C:\Zorvane\GraphView\x.bmp" -> "<prefix>/drive_c/Zorvane/GraphView/x.bmp".
// The drive letter may be either case; the rest keeps its case; '\' and '/'
// both separate, and a trailing separator stays. "." and ".." are resolved and
// ".." stops at the drive's root, also in a path already mapped into a drive
// folder: no result lies outside <prefix>/drive_x. Any other path (relative,
// or elsewhere) only has its '\' turned into '/'.
AnsiString MapWindowsPath(const AnsiString& WindowsPath);
// The same mapping under another prefix (tools that fill a prefix of their own).
AnsiString MapWindowsPathIn(const AnsiString& Prefix, const AnsiString& WindowsPath);
// The folder a file dialog starts in for a Windows folder ("C:\Zorvane\ListSetup"): its place
// under the prefix, made when missing, since a dialog given a folder that does not exist
// opens somewhere else.
AnsiString DialogStartFolder(const AnsiString& WindowsFolder);
