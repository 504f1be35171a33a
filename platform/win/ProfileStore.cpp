#include "platform/win/ProfileStore.h"

#include "platform/core/FileUtils.h"
#include "platform/win/Paths.h"

std::unique_ptr<TCustomIniFile> OpenIniFileStore(const AnsiString& FileName)
{
    AnsiString key = FileName;
    if (key.find_first_of("\\/") == AnsiString::npos)
        key = "C:\\Windows\\" + key;
    const AnsiString file = MapWindowsPath(key);
    ForceDirectories(ExtractFileDir(file));
    return std::make_unique<TIniFile>(file);
}

std::unique_ptr<TCustomIniFile> OpenRegistryStore(const AnsiString& Key, const AnsiString& Section,
                                                  AnsiString& StoreSection)
{
    StoreSection = Key.empty() ? Section : Key + "\\" + Section;
    const AnsiString dir = ZorvanePrefix();
    ForceDirectories(dir);
    return std::make_unique<TIniFile>(dir + "/registry.ini");
}
