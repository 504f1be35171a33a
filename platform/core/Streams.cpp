#include "platform/core/Streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

AnsiString SysErrorMessage(int ErrorCode) { return std::generic_category().message(ErrorCode); }

void TStream::ReadBuffer(void* Buffer, int Count)
{
    if (Count != 0 && Read(Buffer, Count) != Count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int Count)
{
    if (Count != 0 && Write(Buffer, Count) != Count)
        throw EWriteError("Stream write error");
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count)
{
    if (Count == 0) {
        Source->SetPosition(0);
        Count = Source->Size();
    }
    const Int64 total = Count;
    std::vector<char> buffer(static_cast<size_t>(std::min<Int64>(Count, 0xF000)));
    while (Count > 0) {
        int n = static_cast<int>(std::min<Int64>(Count, static_cast<Int64>(buffer.size())));
        Source->ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        Count -= n;
    }
    return total;
}

Int64 TStream::Position() const { return const_cast<TStream*>(this)->Seek(0, soCurrent); }

void TStream::SetPosition(Int64 Pos) { Seek(Pos, soBeginning); }

Int64 TStream::Size() const
{
    auto* self = const_cast<TStream*>(this);
    Int64 pos = self->Seek(0, soCurrent);
    Int64 size = self->Seek(0, soEnd);
    self->Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(Int64) {}

int THandleStream::Read(void* Buffer, int Count)
{
    if (Count <= 0)
        return 0;
    ssize_t done = 0;
    while (done < Count) {
        ssize_t n = ::read(FHandle, static_cast<char*>(Buffer) + done, static_cast<size_t>(Count - done));
        if (n < 0 && errno == EINTR)
            continue;
        // A failed read gives -1 when nothing was read in this call; the bytes before a
        // failure are returned, and the next call reports it.
        if (n < 0 && done == 0)
            return -1;
        if (n <= 0)
            break;
        done += n;
    }
    return static_cast<int>(done);
}

int THandleStream::Write(const void* Buffer, int Count)
{
    if (Count <= 0)
        return 0;
    ssize_t done = 0;
    while (done < Count) {
        ssize_t n = ::write(FHandle, static_cast<const char*>(Buffer) + done, static_cast<size_t>(Count - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    return static_cast<int>(done);
}

Int64 THandleStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
    int whence = Origin == soBeginning ? SEEK_SET : (Origin == soCurrent ? SEEK_CUR : SEEK_END);
    return ::lseek(FHandle, static_cast<off_t>(Offset), whence);
}

void THandleStream::SetSize(Int64 NewSize)
{
    Seek(NewSize, soBeginning);
    if (::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0)
        throw EStreamError("Stream write error");
}

TFileStream::TFileStream(const AnsiString& AFileName, unsigned Mode) : THandleStream(-1), FFileName(AFileName)
{
    if ((Mode & fmCreate) == fmCreate) {
        FHandle = ::open(AFileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (FHandle < 0)
            throw EFCreateError("Cannot create file \"" + AFileName + "\". " + SysErrorMessage(errno));
        return;
    }
    int access = (Mode & 3) == fmOpenWrite ? O_WRONLY : ((Mode & 3) == fmOpenReadWrite ? O_RDWR : O_RDONLY);
    FHandle = ::open(AFileName.c_str(), access | O_CLOEXEC);
    int err = errno;
    if (FHandle >= 0) {
        struct stat st {};
        if (::fstat(FHandle, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(FHandle);
            FHandle = -1;
            err = EISDIR;
        }
    }
    if (FHandle < 0)
        throw EFOpenError("Cannot open file \"" + AFileName + "\". " + SysErrorMessage(err));
}

TFileStream::~TFileStream()
{
    if (FHandle >= 0)
        ::close(FHandle);
}

int TCustomMemoryStream::Read(void* Buffer, int Count)
{
    if (Count <= 0 || FPosition < 0)
        return 0;
    Int64 avail = static_cast<Int64>(FData.size()) - FPosition;
    if (avail <= 0)
        return 0;
    int n = static_cast<int>(std::min<Int64>(avail, Count));
    std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

Int64 TCustomMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
    switch (Origin) {
    case soBeginning: FPosition = Offset; break;
    case soCurrent: FPosition += Offset; break;
    case soEnd: FPosition = static_cast<Int64>(FData.size()) + Offset; break;
    }
    return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream)
{
    if (!FData.empty())
        Stream->WriteBuffer(FData.data(), static_cast<int>(FData.size()));
}

void TCustomMemoryStream::SaveToFile(const AnsiString& FileName)
{
    TFileStream file(FileName, fmCreate);
    SaveToStream(&file);
}

int TMemoryStream::Write(const void* Buffer, int Count)
{
    if (Count <= 0 || FPosition < 0)
        return 0;
    Int64 end = FPosition + Count;
    if (end > static_cast<Int64>(FData.size()))
        FData.resize(static_cast<size_t>(end));
    std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition = end;
    return Count;
}

void TMemoryStream::SetSize(Int64 NewSize)
{
    FData.resize(static_cast<size_t>(std::max<Int64>(NewSize, 0)));
    if (FPosition > NewSize)
        FPosition = NewSize;
}

void TMemoryStream::Clear()
{
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream)
{
    Stream->SetPosition(0);
    Int64 count = Stream->Size();
    SetSize(count);
    if (count != 0)
        Stream->ReadBuffer(FData.data(), static_cast<int>(count));
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const AnsiString& FileName)
{
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&file);
}

TStringStream::TStringStream(const AnsiString& AString)
{
    FData.assign(AString.begin(), AString.end());
}

AnsiString TStringStream::DataString() const { return AnsiString(FData.begin(), FData.end()); }

AnsiString TStringStream::ReadString(int Count)
{
    AnsiString r(static_cast<size_t>(std::max(Count, 0)), '\0');
    r.resize(static_cast<size_t>(Read(r.data(), Count)));
    return r;
}

void TStringStream::WriteString(const AnsiString& AString)
{
    Write(AString.data(), static_cast<int>(AString.size()));
}
