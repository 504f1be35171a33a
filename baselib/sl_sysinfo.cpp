#include "baselib/sl_sysinfo.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include "platform/core/IniFiles.h"
#include "platform/core/Strings.h"
#include "platform/win/Paths.h"
#include "platform/win/SingleInstance.h"

namespace {

template <size_t N>
void CopyText(char (&Dst)[N], const AnsiString& Src)
{
    size_t n = std::min(Src.size(), N - 1);  // longer texts are cut
    std::memcpy(Dst, Src.data(), n);
    Dst[n] = '\0';
}

} // namespace

AnsiString RegistryIniFileName() { return ZorvanePrefix() + "/registry.ini"; }

AnsiString ReadRegistryValue(const AnsiString& Key, const AnsiString& Name)
{
    TIniFile ini(RegistryIniFileName());
    return ini.ReadString("HKEY_LOCAL_MACHINE\\" + Key, Name, "");
}

void TSysInfo::fGetOsInfo()
{
    utsname u{};
    if (uname(&u) == 0) {
        PlatformId = 2;
        CopyText(OsName, u.sysname);
        unsigned major = 0, minor = 0, build = 0;
        std::sscanf(u.release, "%u.%u.%u", &major, &minor, &build);
        MajorVersion = major;
        MinorVersion = minor;
        BuildNumber = build & 0xFFFF;
        CopyText(CSDVersion, u.version);
    }
    const char* key = PlatformId == 2 ? "Software\\Microsoft\\Windows NT\\CurrentVersion"
                                      : "Software\\Microsoft\\Windows\\CurrentVersion";
    try {
        CopyText(RegisteredOwner, ReadRegistryValue(key, "RegisteredOwner"));
        CopyText(RegisteredOrganization, ReadRegistryValue(key, "RegisteredOrganization"));
    } catch (...) {
        // An unreadable file leaves the fields as they are.
    }
    Loaded = true;
}

TLocalNetInfo::TLocalNetInfo() : IPList(std::make_unique<TStringList>())
{
    Started = true;  // this system's sockets need no start-up
    _GetLocalHostInfo();
}

TLocalNetInfo::~TLocalNetInfo() = default;

void TLocalNetInfo::_GetLocalHostInfo()
{
    HostName.clear();
    IPList->Clear();
    if (!Started)
        return;
    char name[1024] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return;
    HostName = name;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* res = nullptr;
    if (getaddrinfo(name, nullptr, &hints, &res) != 0)
        return;
    for (addrinfo* a = res; a; a = a->ai_next) {
        char text[INET_ADDRSTRLEN] = {};
        auto* in = reinterpret_cast<sockaddr_in*>(a->ai_addr);
        if (inet_ntop(AF_INET, &in->sin_addr, text, sizeof text))
            IPList->Add(text);
    }
    freeaddrinfo(res);
}

TFileMapping::TFileMapping(const AnsiString& AName, std::uint64_t AMaxSize, std::uint32_t AProtect)
    : Protect(AProtect), MaxSize(AMaxSize)
{
    FNameFits = AName.size() < sizeof Name;
    CopyText(Name, AName);
}

TFileMapping::~TFileMapping() { Close(); }

namespace {

AnsiString ShmName(const char* Name)
{
    AnsiString s = "/zorvane-";
    for (const char* p = Name; *p; ++p)
        s += (*p == '/' || *p == '\\') ? '_' : *p;
    return s;
}

} // namespace

bool TFileMapping::Open()
{
    Close();
    if (!FNameFits || !Name[0])
        return false;  // longer names are refused rather than cut to another name
    AnsiString shm = ShmName(Name);
    int access = Protect == PAGE_READONLY ? O_RDONLY : O_RDWR;
    int fd = shm_open(shm.c_str(), access | O_CREAT | O_EXCL, 0600);
    if (fd >= 0) {
        FCreated = true;
        LastError = 0;
        if (ftruncate(fd, static_cast<off_t>(MaxSize)) != 0) {
            ::close(fd);
            shm_unlink(shm.c_str());
            FCreated = false;
            return false;
        }
    } else if (errno == EEXIST) {
        fd = shm_open(shm.c_str(), access, 0600);
        LastError = ERROR_ALREADY_EXISTS;
        if (fd < 0)
            return false;
    } else {
        LastError = static_cast<std::uint32_t>(errno);
        return false;
    }
    Handle = fd;
    return true;
}

bool TFileMapping::Close()
{
    if (Handle < 0)
        return false;
    bool ok = ::close(Handle) == 0;
    // The block goes with the handle of its creator, as the other system drops it with its last handle.
    if (FCreated)
        shm_unlink(ShmName(Name).c_str());
    FCreated = false;
    Handle = -1;
    LastError = 0;
    return ok;
}

TMapView::TMapView(int AMapping, std::uint64_t AOffset, std::uint32_t ABytes, std::uint32_t AAccess)
    : Mapping(AMapping), Offset(AOffset), Bytes(ABytes), Access(AAccess)
{
}

TMapView::~TMapView() { Close(); }

bool TMapView::Open()
{
    Close();
    struct stat st {};
    if (Mapping < 0 || fstat(Mapping, &st) != 0 || Offset > static_cast<std::uint64_t>(st.st_size))
        return false;
    size_t len = Bytes ? Bytes : static_cast<size_t>(st.st_size - static_cast<off_t>(Offset));
    if (len == 0)
        return false;
    int prot = (Access & FILE_MAP_WRITE) ? PROT_READ | PROT_WRITE : PROT_READ;
    void* p = mmap(nullptr, len, prot, MAP_SHARED, Mapping, static_cast<off_t>(Offset));
    if (p == MAP_FAILED)
        return false;
    BaseAddress = p;
    FLength = len;
    return true;
}

bool TMapView::Close()
{
    if (!BaseAddress)
        return false;
    bool ok = munmap(BaseAddress, FLength) == 0;
    BaseAddress = nullptr;
    FLength = 0;
    return ok;
}

TSharedMemory::TSharedMemory(const AnsiString& Name, unsigned ASize, std::uint32_t Protect)
    : Size(ASize), FName(Name)
{
    Mapping = std::make_unique<TFileMapping>(Name, ASize, Protect);
    if (!Mapping->Open())
        return;
    View = std::make_unique<TMapView>(Mapping->Handle, 0, 0, FILE_MAP_WRITE);
    if (View->Open()) {
        AlreadyExists = Mapping->LastError == ERROR_ALREADY_EXISTS;
        Buffer = View->BaseAddress;
    }
}

TSharedMemory::~TSharedMemory()
{
    Buffer = nullptr;
    View.reset();
    Mapping.reset();
}

bool TSharedMemory::ActiveAppWnd()
{
    if (!Buffer || View->MappedBytes() < sizeof(std::uintptr_t))
        return false;
    std::uintptr_t word = 0;
    std::memcpy(&word, Buffer, sizeof word);
    if (word == 0)
        return false;
    // No window of another process can be raised from here: ask it to come forward.
    ActivateRunningInstance(FName);
    return true;
}

void TSharedMemory::ClearBuffer()
{
    // A block made smaller by its first holder is cleared only as far as it reaches.
    if (Buffer)
        std::memset(Buffer, 0, std::min<size_t>(Size, View->MappedBytes()));
}
