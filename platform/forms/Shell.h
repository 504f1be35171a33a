#pragma once
// Opening an address (web page, mail, file) with the desktop's program for it. While
// recording is on (tests turn it on), addresses are only recorded.
#include <vector>

#include "platform/core/Types.h"

bool ShellOpenAddress(const AnsiString& Address);
void SetShellRecordOnly(bool On);
const std::vector<AnsiString>& ShellOpenedAddresses();
void ClearShellOpenedAddresses();
