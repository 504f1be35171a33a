#include "platform/win/Paths.h"

#include <cstdlib>
#include <vector>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/FileUtils.h"

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

// "<prefix>/drive_x" when Path lies in one of the drive folders (the folder
// itself or below it); "" otherwise.
AnsiString DriveFolderOf(const AnsiString& Prefix, const AnsiString& Path)
{
    const AnsiString drives = Prefix + "/drive_";
    if (Path.compare(0, drives.size(), drives) != 0 || Path.size() <= drives.size() ||
        !IsDriveLetter(Path[drives.size()]))
        return AnsiString();
    const size_t end = drives.size() + 1;
    if (Path.size() > end && Path[end] != '/')
        return AnsiString();
    return Path.substr(0, end);
}

} // namespace

AnsiString ZorvanePrefix()
{
    AnsiString prefix = Env("ZORVANE_PREFIX");
    if (!prefix.empty())
        return WithoutTrailingSlash(prefix);
    AnsiString data = Env("XDG_DATA_HOME");
    if (!data.empty() && data[0] == '/') // a relative one is invalid and ignored
        return WithoutTrailingSlash(data) + "/zorvane";
    return WithoutTrailingSlash(HomeDir()) + "/.local/share/zorvane";
}

AnsiString MapWindowsPath(const AnsiString& WindowsPath) { return MapWindowsPathIn(ZorvanePrefix(), WindowsPath); }

AnsiString MapWindowsPathIn(const AnsiString& Prefix, const AnsiString& WindowsPath)
{
    AnsiString path = WindowsPath;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    AnsiString drive;
    AnsiString rest;
    if (path.size() >= 2 && path[1] == ':' && IsDriveLetter(path[0])) {
        drive = Prefix + "/drive_" + static_cast<char>(path[0] | 0x20);
        rest = path.substr(2); // "C:x" is taken from the drive's root
    } else if (const AnsiString dir = DriveFolderOf(Prefix, path); !dir.empty()) {
        drive = dir; // already mapped, perhaps with more appended the Windows way
        rest = path.substr(dir.size());
    } else {
        return path; // relative, or outside the drives: only the separators change
    }
    // "." and ".." are resolved here, and ".." stops at the drive's root as on
    // Windows: no path reaches past drive_x.
    std::vector<AnsiString> parts;
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find('/', start);
        if (end == AnsiString::npos)
            end = rest.size();
        AnsiString part = rest.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    AnsiString mapped = drive;
    for (const AnsiString& part : parts)
        mapped += "/" + part;
    if (!rest.empty() && rest.back() == '/')
        mapped += '/';
    return mapped;
}

AnsiString DialogStartFolder(const AnsiString& WindowsFolder)
{
    const AnsiString folder = MapWindowsPath(WindowsFolder);
    ForceDirectories(folder);
    return folder;
}
