#pragma once
// The operating system and its registered owner, the local host's name and
// IPv4 addresses, and named memory shared between processes.
//
// On this system: the system's name and version come from uname; the
// registered owner and organisation from "<prefix>/registry.ini", section
// [HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion]; named
// mappings are POSIX shared memory, removed when their creator closes them.
#include <cstdint>
#include <memory>

#include "platform/core/Types.h"

class TStringList;

// Where the registry values of this system are kept.
AnsiString RegistryIniFileName();
// A value of the local-machine root, "" when missing.
AnsiString ReadRegistryValue(const AnsiString& Key, const AnsiString& Name);

struct TSysInfo {
    std::uint32_t PlatformId = 0;
    char OsName[256] = {};
    std::uint32_t MajorVersion = 0;
    std::uint32_t MinorVersion = 0;
    std::uint32_t BuildNumber = 0;
    char CSDVersion[256] = {};
    char RegisteredOwner[256] = {};
    char RegisteredOrganization[256] = {};
    bool Loaded = false;

    TSysInfo() = default;
    void fGetOsInfo();
    const TSysInfo& OsInfo()
    {
        if (!Loaded)
            fGetOsInfo();
        return *this;
    }
};

class TLocalNetInfo {
public:
    TLocalNetInfo();
    virtual ~TLocalNetInfo();
    virtual void _GetLocalHostInfo();

    bool Started = false;
    AnsiString HostName;
    std::unique_ptr<TStringList> IPList;
};

// Page protections and view accesses of the other system, as callers pass them.
constexpr std::uint32_t PAGE_READONLY = 0x02;
constexpr std::uint32_t PAGE_READWRITE = 0x04;
constexpr std::uint32_t FILE_MAP_WRITE = 0x02;
constexpr std::uint32_t FILE_MAP_READ = 0x04;
constexpr std::uint32_t ERROR_ALREADY_EXISTS = 183;

class TFileMapping {
public:
    TFileMapping(const AnsiString& AName, std::uint64_t AMaxSize, std::uint32_t AProtect);
    ~TFileMapping();
    bool Open();
    bool Close();

    int Handle = -1;
    char Name[260] = {};
    std::uint32_t Protect;
    std::uint64_t MaxSize;
    std::uint32_t LastError = 0;

private:
    bool FCreated = false;
    bool FNameFits = true;
};

class TMapView {
public:
    TMapView(int AMapping, std::uint64_t AOffset, std::uint32_t ABytes, std::uint32_t AAccess);
    ~TMapView();
    bool Open();
    bool Close();

    int Mapping;
    std::uint64_t Offset;
    std::uint32_t Bytes;
    std::uint32_t Access;
    void* BaseAddress = nullptr;
    size_t MappedBytes() const { return FLength; }

private:
    size_t FLength = 0;
};

class TSharedMemory {
public:
    TSharedMemory(const AnsiString& Name, unsigned ASize, std::uint32_t Protect);
    virtual ~TSharedMemory();
    // When the block's first word is set, asks the instance that runs under
    // the block's name (over the single-instance channel) to come to the front.
    bool ActiveAppWnd();
    void ClearBuffer();

    std::unique_ptr<TFileMapping> Mapping;
    std::unique_ptr<TMapView> View;
    void* Buffer = nullptr;
    bool AlreadyExists = false;
    unsigned Size;

private:
    AnsiString FName;
};
