#include "platform/win/Paths.h"

#include <cstdlib>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

AnsiString Env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? AnsiString(v) : AnsiString();
}

AnsiString HomeDir()
{
    AnsiString home = Env("HOME");
    if (!home.empty())
        return home;
    if (const passwd* pw = getpwuid(getuid()))
        return pw->pw_dir ? AnsiString(pw->pw_dir) : AnsiString();
    return AnsiString();
}

AnsiString WithoutTrailingSlash(AnsiString s)
{
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

} // namespace

AnsiString ZorvanePrefix()
{
    AnsiString prefix = Env("ZORVANE_PREFIX");
    if (!prefix.empty())
        return WithoutTrailingSlash(prefix);
    AnsiString data = Env("XDG_DATA_HOME");
    if (!data.empty())
        return WithoutTrailingSlash(data) + "/zorvane";
    return WithoutTrailingSlash(HomeDir()) + "/.local/share/zorvane";
}

AnsiString MapWindowsPath(const AnsiString& WindowsPath)
{
    AnsiString rest = WindowsPath;
    AnsiString head;
    if (rest.size() >= 2 && rest[1] == ':' && IsDriveLetter(rest[0])) {
        char drive = static_cast<char>(rest[0] | 0x20);
        head = ZorvanePrefix() + "/drive_" + drive;
        rest = rest.substr(2);
        if (!rest.empty() && rest[0] != '\\' && rest[0] != '/')
            rest.insert(rest.begin(), '/'); // "C:x" is taken from the drive's root
    }
    for (char& c : rest)
        if (c == '\\')
            c = '/';
    return head + rest;
}

AnsiString SerialDevicePath(int Port)
{
    if (Port < 1)
        return AnsiString();
    AnsiString link = ZorvanePrefix() + "/dosdevices/com" + std::to_string(Port);
    struct stat st {};
    if (::lstat(link.c_str(), &st) == 0)
        return link;
    return "/dev/ttyS" + std::to_string(Port - 1);
}
