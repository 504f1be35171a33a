#pragma once
// Files written whole or not at all: the bytes go to a temporary file beside the target,
// reach the disk, and only then take the target's place in one rename, so that a failure
// or a crash at any moment leaves either the old file or the whole new one.
#include <string>
#include <string_view>
#include <sys/types.h>

#include "platform/core/Types.h"

// The temporary file a save of Path writes ("<Path>.saving").
AnsiString SavingPath(const AnsiString& Path);

// Brings the entries of the folder holding Path (a new name, a rename, a removal) to the disk.
void SyncFolderOf(const AnsiString& Path);

// One save of a file. Bytes are gathered in a large buffer and written in large blocks; the
// disk is set to work on what was written while the rest is still being made, so that the
// final sync waits only for the last blocks. Given up (or destroyed uncommitted), the
// temporary file goes and the target stays as it was.
class TSafeSave {
public:
    // Opens SavingPath(Path) for writing; IsOpen() is false when it cannot, or when Path
    // exists and may not be written.
    explicit TSafeSave(const AnsiString& Path);
    ~TSafeSave();
    TSafeSave(const TSafeSave&) = delete;
    TSafeSave& operator=(const TSafeSave&) = delete;

    bool IsOpen() const { return FFile >= 0; }
    // Appends Bytes; false once any write has failed (the save can then only fail).
    bool Write(std::string_view Bytes);
    // Writes the rest, syncs the data to the disk, closes, renames onto the target and
    // syncs the folder. On any failure, an earlier write error included, the temporary
    // file is removed, the target stays as it was and false is returned.
    bool Commit();
    // Closes and removes the temporary file.
    void Abandon();

private:
    bool Flush();
    bool WriteOut(const char* Data, size_t Size);

    AnsiString FPath;
    int FFile = -1;
    bool FFailed = false;
    std::string FBuffer;
    off_t FWritten = 0; // bytes handed to the system
    off_t FStarted = 0; // bytes the disk was set to write
};
