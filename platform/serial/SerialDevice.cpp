#include "platform/serial/SerialDevice.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <strings.h>
#include <termios.h>
#include <unistd.h>

#include "platform/serial/SerialMemoryLine.h"
#include "platform/serial/TtyDevice.h"

namespace {

std::unique_ptr<TSerialDevice> OpenTty(const AnsiString& Path, int& Error)
{
    int fd = open(Path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        Error = errno;
        return nullptr;
    }
    // TIOCEXCL keeps other users out, flock also other processes of root.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        Error = errno == EWOULDBLOCK ? EBUSY : errno;
        close(fd);
        return nullptr;
    }
    termios t{};
    if (tcgetattr(fd, &t) != 0) {
        Error = errno;
        close(fd);
        return nullptr;
    }
    ioctl(fd, TIOCEXCL);
    // A port opens with empty queues: what came while nobody held it is gone.
    tcflush(fd, TCIOFLUSH);
    auto dev = std::make_unique<TTtyDevice>(fd, Error);
    if (Error != 0)
        return nullptr;
    return dev;
}

// "COM3", "com3", "\\.\COM3" -> 3; 0 when Name is no port name.
int PortOfName(const AnsiString& Name)
{
    AnsiString s = Name;
    if (s.rfind("\\\\.\\", 0) == 0)
        s = s.substr(4);
    if (s.size() < 4 || strncasecmp(s.c_str(), "COM", 3) != 0)
        return 0;
    int n = 0;
    for (size_t i = 3; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9' || n > 100000)
            return 0;
        n = n * 10 + (s[i] - '0');
    }
    return n == 0 ? -1 : n; // COM0 is a name, but no port exists for it
}

} // namespace

std::unique_ptr<TSerialDevice> OpenSerialPort(int PortNum, int& Error)
{
    Error = 0;
    bool found = false;
    auto mem = OpenRegisteredMemoryLine(PortNum, Error, found);
    if (found)
        return mem;
    const AnsiString path = SerialDevicePath(PortNum);
    if (path.empty()) {
        Error = ENOENT;
        return nullptr;
    }
    return OpenTty(path, Error);
}

std::unique_ptr<TSerialDevice> OpenSerialDevice(const AnsiString& Name, int& Error)
{
    int port = PortOfName(Name);
    if (port > 0)
        return OpenSerialPort(port, Error);
    if (port == 0 && !Name.empty() && Name[0] == '/')
        return OpenTty(Name, Error);
    Error = ENOENT;
    return nullptr;
}

bool SerialDefaultLine(const AnsiString& Name, TSerialLine& Line, int& Error)
{
    int port = PortOfName(Name);
    bool exists = false;
    if (port > 0) {
        // A registered memory line exists whether or not its near end is open.
        exists = MemoryLineRegistered(port) || access(SerialDevicePath(port).c_str(), F_OK) == 0;
    } else if (port == 0 && !Name.empty() && Name[0] == '/') {
        exists = access(Name.c_str(), F_OK) == 0;
    }
    if (!exists) {
        Error = ENOENT;
        return false;
    }
    Line = TSerialLine{};
    Error = 0;
    return true;
}

AnsiString SerialErrorText(int Error)
{
    char buf[256];
    return AnsiString(strerror_r(Error, buf, sizeof buf));
}

TPseudoTerminal OpenPseudoTerminal(int& Error)
{
    TPseudoTerminal pt;
    int fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 || grantpt(fd) != 0 || unlockpt(fd) != 0) {
        Error = errno;
        if (fd >= 0)
            close(fd);
        return pt;
    }
    char name[128];
    if (ptsname_r(fd, name, sizeof name) != 0) {
        Error = errno;
        close(fd);
        return pt;
    }
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
    auto dev = std::make_unique<TTtyDevice>(fd, Error);
    if (Error != 0)
        return pt;
    pt.Master = std::move(dev);
    pt.SlavePath = name;
    return pt;
}
