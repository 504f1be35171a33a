#pragma once
// The stores behind the system's profile and registry calls: an ini file named
// by a Windows path, and the registry's stand-in, one ini file under the prefix
// whose sections are key paths ("Key\Section").
#include <memory>

#include "platform/core/IniFiles.h"

// A bare file name lives in the Windows folder, as the profile calls keep it.
std::unique_ptr<TCustomIniFile> OpenIniFileStore(const AnsiString& FileName);
// StoreSection receives the section that stands for Section under Key.
std::unique_ptr<TCustomIniFile> OpenRegistryStore(const AnsiString& Key, const AnsiString& Section,
                                                  AnsiString& StoreSection);
