#pragma once
// Opening an address (web page, mail, file) with the desktop's program for it. While
// recording is on (tests turn it on), addresses are only recorded.
#include <vector>

#include "platform/core/Types.h"

class TIcon;

bool ShellOpenAddress(const AnsiString& Address);
void SetShellRecordOnly(bool On);
const std::vector<AnsiString>& ShellOpenedAddresses();
void ClearShellOpenedAddresses();

// The desktop's icon for a file or folder (for a name that does not exist, the icon of
// its file type), 32 x 32 when Large else 16 x 16. False when the desktop has none.
bool DesktopFileIcon(const AnsiString& Name, bool Large, TIcon* Icon);
