#pragma once
// A record file holding a snapshot of one folder: a 320-byte header naming
// the folder and the moment, and a 288-byte record per directory entry.
#include "baselib/sl_binfile.h"
#include "baselib/sl_relpath.h"

class TDirListFile : public TBinFile {
public:
    static constexpr unsigned HeadBytes = 320;
    static constexpr unsigned RecBytes = 288;

    // Lists the current folder's files of every kind but folders.
    TDirListFile();

    AnsiString PTL() const { return fGetPTL(); }
    void SetPTL(const AnsiString& Path) { fSetPTL(Path); }
    AnsiString fGetPTL() const { return FFolder.FullPath(); }
    void fSetPTL(const AnsiString& Path) { FFolder.SetFullPath(Path); }

    // Writes the file named by FileName; it stays open with RecNo the number
    // of records written. A folder path over 259 characters is refused
    // (EBinFileError, write file head error).
    void Create();

    std::int32_t SearchAttr = 0x01 | 0x02 | 0x04 | 0x20;

private:
    TRelPath FFolder;
};
