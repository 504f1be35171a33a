#include "platform/core/SafeSave.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "platform/core/FileUtils.h"

namespace {

constexpr size_t kBlock = 1 << 20;        // bytes gathered before one write
constexpr size_t kDirect = 64 << 10;      // a piece this large is written without gathering
constexpr off_t kStartEvery = 8 << 20;    // written bytes the disk is set to work on at once

// The gather buffer outlives its save and serves the next one on the thread: a fresh
// megabyte would cost a page fault for every 4 kB the save touches, which on a small file
// takes as long as its sync.
thread_local std::string tSpareBuffer;

} // namespace

AnsiString SavingPath(const AnsiString& Path) { return Path + ".saving"; }

void SyncFolderOf(const AnsiString& Path)
{
    const AnsiString folder = ExtractFileDir(Path);
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

TSafeSave::TSafeSave(const AnsiString& Path) : FPath(Path)
{
    // A file that may not be written is not replaced either.
    if (::access(Path.c_str(), W_OK) != 0 && errno != ENOENT)
        return;
    FFile = ::open(SavingPath(Path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    FBuffer.swap(tSpareBuffer);
    FBuffer.clear();
}

TSafeSave::~TSafeSave()
{
    if (IsOpen())
        Abandon();
    if (FBuffer.capacity() > tSpareBuffer.capacity())
        FBuffer.swap(tSpareBuffer);
}

bool TSafeSave::WriteOut(const char* Data, size_t Size)
{
    while (Size > 0) {
        const ssize_t n = ::write(FFile, Data, Size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        Data += n;
        Size -= static_cast<size_t>(n);
        FWritten += n;
    }
    // Without this the disk would start on a large file only at the final sync, after all
    // of it was made; so its writing overlaps the making of the rest. The final sync still
    // decides what is on the disk.
    if (FWritten - FStarted >= kStartEvery) {
        ::sync_file_range(FFile, FStarted, FWritten - FStarted, SYNC_FILE_RANGE_WRITE);
        FStarted = FWritten;
    }
    return true;
}

bool TSafeSave::Flush()
{
    if (!FBuffer.empty() && !FFailed)
        FFailed = !WriteOut(FBuffer.data(), FBuffer.size());
    FBuffer.clear();
    return !FFailed;
}

bool TSafeSave::Write(std::string_view Bytes)
{
    if (FFailed || !IsOpen())
        return false;
    if (FBuffer.size() + Bytes.size() > kBlock && !Flush())
        return false;
    // A large piece goes out as it is, without a copy into the buffer.
    if (Bytes.size() >= kDirect) {
        FFailed = !Flush() || !WriteOut(Bytes.data(), Bytes.size());
    } else {
        if (FBuffer.capacity() < kBlock)
            FBuffer.reserve(kBlock);
        FBuffer.append(Bytes);
    }
    return !FFailed;
}

bool TSafeSave::Commit()
{
    if (!IsOpen())
        return false;
    const AnsiString temp = SavingPath(FPath);
    bool ok = Flush();
    // The data must be on the disk before the rename makes it the file.
    ok = ok && ::fdatasync(FFile) == 0;
    ok = ::close(FFile) == 0 && ok;
    FFile = -1;
    ok = ok && std::rename(temp.c_str(), FPath.c_str()) == 0;
    if (!ok) {
        std::remove(temp.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    SyncFolderOf(FPath);
    return true;
}

void TSafeSave::Abandon()
{
    if (!IsOpen())
        return;
    ::close(FFile);
    FFile = -1;
    std::remove(SavingPath(FPath).c_str());
}
