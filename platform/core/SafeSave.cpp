#include "platform/core/SafeSave.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/core/FileUtils.h"

AnsiString SavingPath(const AnsiString& Path) { return Path + ".saving"; }

std::FILE* OpenSaving(const AnsiString& Path)
{
    // A file that may not be written is not replaced either.
    if (::access(Path.c_str(), F_OK) == 0 && ::access(Path.c_str(), W_OK) != 0)
        return nullptr;
    std::FILE* file = std::fopen(SavingPath(Path).c_str(), "wb");
    if (file)
        std::setvbuf(file, nullptr, _IOFBF, 1 << 20);
    return file;
}

bool CommitSaving(std::FILE* File, const AnsiString& Path)
{
    const AnsiString temp = SavingPath(Path);
    bool ok = std::fflush(File) == 0 && std::ferror(File) == 0;
    // The data must be on the disk before the rename makes it the file.
    ok = ok && ::fdatasync(::fileno(File)) == 0;
    ok = std::fclose(File) == 0 && ok;
    ok = ok && std::rename(temp.c_str(), Path.c_str()) == 0;
    if (!ok) {
        std::remove(temp.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const int dir = ::open(ExtractFileDir(Path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void AbandonSaving(std::FILE* File, const AnsiString& Path)
{
    std::fclose(File);
    std::remove(SavingPath(Path).c_str());
}
