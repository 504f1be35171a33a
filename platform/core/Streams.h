#pragma once
// Streams of the class library: TStream with its buffer and copy helpers,
// THandleStream/TFileStream over POSIX file descriptors, TMemoryStream and
// TStringStream.
#include <vector>

#include "platform/core/Component.h"

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };
// The older integer origins.
constexpr int soFromBeginning = 0;
constexpr int soFromCurrent = 1;
constexpr int soFromEnd = 2;

class TStream : public TObject {
public:
    ~TStream() override = default;

    // Return the number of bytes moved, which may be fewer than Count.
    virtual int Read(void* Buffer, int Count) = 0;
    virtual int Write(const void* Buffer, int Count) = 0;
    // Returns the new position.
    virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;

    // All or nothing: EReadError "Stream read error" / EWriteError "Stream write error".
    void ReadBuffer(void* Buffer, int Count);
    void WriteBuffer(const void* Buffer, int Count);
    // Copies Count bytes from Source's position; Count 0 copies all of Source from its start.
    Int64 CopyFrom(TStream* Source, Int64 Count);

    Int64 Position() const;
    void SetPosition(Int64 Pos);
    virtual Int64 Size() const;
    virtual void SetSize(Int64 NewSize);
};

// File open modes; the share bits are accepted and have no effect here.
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareCompat = 0x0000;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;
constexpr unsigned fmCreate = 0xFFFF;

class THandleStream : public TStream {
public:
    explicit THandleStream(int AHandle) : FHandle(AHandle) {}
    int Read(void* Buffer, int Count) override;
    int Write(const void* Buffer, int Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    void SetSize(Int64 NewSize) override;
    int Handle() const { return FHandle; }

protected:
    int FHandle;
};

class TFileStream : public THandleStream {
public:
    // fmCreate creates or truncates (EFCreateError "Cannot create file "<name>". <reason>");
    // otherwise the file must exist (EFOpenError "Cannot open file "<name>". <reason>").
    TFileStream(const AnsiString& AFileName, unsigned Mode);
    ~TFileStream() override;
    const AnsiString& FileName() const { return FFileName; }

private:
    AnsiString FFileName;
};

class TCustomMemoryStream : public TStream {
public:
    int Read(void* Buffer, int Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    void SaveToStream(TStream* Stream);
    void SaveToFile(const AnsiString& FileName);

protected:
    std::vector<char> FData;
    Int64 FPosition = 0;
};

class TMemoryStream : public TCustomMemoryStream {
public:
    int Write(const void* Buffer, int Count) override;
    void SetSize(Int64 NewSize) override;
    void Clear();
    void LoadFromStream(TStream* Stream);
    void LoadFromFile(const AnsiString& FileName);
    void* Memory() { return FData.data(); }
    const void* Memory() const { return FData.data(); }
};

class TStringStream : public TMemoryStream {
public:
    explicit TStringStream(const AnsiString& AString = AnsiString());
    AnsiString DataString() const;
    // Reads up to Count bytes from the position.
    AnsiString ReadString(int Count);
    void WriteString(const AnsiString& AString);
};

// The reason text the class library appends to file errors.
AnsiString SysErrorMessage(int ErrorCode);
