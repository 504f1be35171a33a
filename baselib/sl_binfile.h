#pragma once
// A file of one fixed-size header and fixed-size records, read and written by
// record number through one-entry caches, with errors in the language of
// AppLang. File names are Windows paths (mapped into the prefix) or paths of
// this system.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "baselib/sl_datetime.h"
#include "platform/core/Exceptions.h"

class EBinFileError : public Exception {
public:
    enum TErrorCode : std::uint8_t {
        ecEmptyName = 1, ecOpen, ecCreate, ecReadHead, ecWriteHead, ecReadRecord, ecWriteRecord,
        ecRecNo, ecNotOpen, ecReadOnly, ecSize, ecDelete, ecGetAttr, ecSetAttr, ecGetTime, ecSetTime,
    };
    EBinFileError(const AnsiString& AFileName, TErrorCode Code, int AErrNo);
    const char* ClassName() const override { return "EBinFileError"; }

    TErrorCode ErrorCode;
    int ErrNo;  // the error number of the runtime's table, 0 when none
    AnsiString FileName;
};

// The runtime library's error number for a system errno (2 no such file,
// 3 no such path, 5 access denied, ...); Path decides between 2 and 3.
int RtlErrNo(int Errno, const AnsiString& Path = AnsiString());
// The text of such an error number in AppLang's language (not yet through FromGBK).
AnsiString RtlErrorText(int ErrNo);

class TBinFile {
public:
    TBinFile(unsigned AHeadSize, unsigned ARecSize);
    virtual ~TBinFile();
    TBinFile(const TBinFile&) = delete;
    TBinFile& operator=(const TBinFile&) = delete;

    const AnsiString& FileName() const { return FFileName; }
    void SetFileName(const AnsiString& Value);
    int OpenMode() const { return FOpenMode; }
    void SetOpenMode(int Value);
    int ShareMode() const { return FShareMode; }
    void SetShareMode(int Value);
    unsigned HeadSize() const { return FHeadSize; }
    unsigned RecSize() const { return FRecSize; }

    virtual int Seek(std::int32_t Offset, int Origin);
    virtual unsigned Read(void* Buf, unsigned Count);
    virtual unsigned Write(const void* Buf, unsigned Count);
    virtual void ReadHeader(void* Buf);
    virtual void WriteHeader(const void* Buf);
    virtual void ReadRecord(void* Buf);
    virtual void WriteRecord(const void* Buf);
    virtual void ReadRecord(void* Buf, std::int32_t N);
    virtual void WriteRecord(const void* Buf, std::int32_t N);
    virtual void Open();
    virtual void Close();
    virtual void Flush();
    virtual bool Opened() const { return FStream != nullptr; }
    virtual void Refresh();
    virtual void Remove();

    std::int32_t RecCount();
    void SetRecCount(std::int32_t N);
    std::int32_t CursPos();
    void SetCursPos(std::int32_t Pos);
    bool Exists() const;
    std::int32_t FileSize();
    void SetFileSize(std::int32_t Size);
    DateTimeX FileTime();
    void SetFileTime(const DateTimeX& T);
    int FileAttr();
    void SetFileAttr(int Attr);

    std::int32_t RecNo = -1;  // the record of the unnumbered operations
    bool UseCache = true;

protected:
    [[noreturn]] void Fail(EBinFileError::TErrorCode Code, int Errno = 0) const;
    void CheckOpen() const;
    void CheckWritable() const;
    std::int64_t Length();
    void SetLength(std::int64_t Length);
    bool ReadAt(std::int64_t Offset, void* Buf, unsigned Count);
    bool WriteAt(std::int64_t Offset, const void* Buf, unsigned Count);
    AnsiString SystemPath() const;

    std::FILE* FStream = nullptr;
    int FOpenMode = 1;
    int FShareMode = 8;
    unsigned FHeadSize;
    unsigned FRecSize;
    std::int32_t FCachedRecNo = -1;
    std::vector<unsigned char> FHeadBuf;
    std::vector<unsigned char> FRecBuf;
    bool FHeadCached = false;
    AnsiString FFileName;
};
