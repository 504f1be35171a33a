#include "platform/serial/SerialPorts.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/Exceptions.h"
#include "platform/win/Paths.h"

namespace fs = std::filesystem;

namespace {

// N of a name "<Stem>N"; -1 when the name is not of that form.
int NumberAfter(const std::string& Name, const char* Stem)
{
    const size_t n = std::strlen(Stem);
    if (Name.size() <= n || Name.compare(0, n, Stem) != 0 || Name.find_first_not_of("0123456789", n) != std::string::npos ||
        Name.size() - n > 6)
        return -1;
    return std::stoi(Name.substr(n));
}

} // namespace

AnsiString SerialPortName(int Port) { return "COM" + std::to_string(Port); }

AnsiString SerialLinkDir() { return ZorvanePrefix() + "/dosdevices"; }

AnsiString SerialPortLinkPath(int Port) { return SerialLinkDir() + "/com" + std::to_string(Port); }

AnsiString SerialDevicePath(int Port)
{
    if (Port < 1)
        return AnsiString();
    const AnsiString link = SerialPortLinkPath(Port);
    struct stat st{};
    if (::lstat(link.c_str(), &st) == 0)
        return link;
    return "/dev/ttyS" + std::to_string(Port - 1);
}

void LinkSerialPort(int Port, const AnsiString& Target)
{
    const AnsiString link = SerialPortLinkPath(Port);
    std::error_code ec;
    fs::create_directories(SerialLinkDir(), ec);
    struct stat st{};
    if (::lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode))
            throw EOSError(link + " exists and is not a link; not replacing it");
        ::unlink(link.c_str());
    }
    if (::symlink(Target.c_str(), link.c_str()) != 0)
        throw EOSError("Cannot create " + link + ": " + std::strerror(errno));
}

void UnlinkSerialPort(int Port, const AnsiString& Target)
{
    const AnsiString link = SerialPortLinkPath(Port);
    char buf[4096];
    const ssize_t n = ::readlink(link.c_str(), buf, sizeof buf - 1);
    if (n >= 0 && AnsiString(buf, static_cast<size_t>(n)) == Target)
        ::unlink(link.c_str());
}

std::vector<int> SerialPortNumbers()
{
    std::error_code ec;
    std::vector<int> linked;
    for (const auto& e : fs::directory_iterator(fs::path(SerialLinkDir()), ec))
        if (const int n = NumberAfter(e.path().filename().string(), "com"); n > 0)
            linked.push_back(n);
    std::sort(linked.begin(), linked.end());
    std::vector<int> own;
    for (const auto& e : fs::directory_iterator("/sys/class/tty", ec)) {
        const int n = NumberAfter(e.path().filename().string(), "ttyS");
        if (n < 0)
            continue;
        std::ifstream type(e.path() / "type");
        int t = 0;
        if (type >> t && t != 0) // a port the driver found hardware for
            own.push_back(n + 1);
    }
    std::sort(own.begin(), own.end());
    std::vector<int> ports = linked;
    for (int n : own)
        if (std::find(linked.begin(), linked.end(), n) == linked.end())
            ports.push_back(n);
    return ports;
}
