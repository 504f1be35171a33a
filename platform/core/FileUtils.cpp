#include "platform/core/FileUtils.h"

#include <cerrno>
#include <ctime>

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"

namespace {

bool IsSep(char c) { return c == '\\' || c == '/'; }

// Index just past the last '\', '/' or ':' (0 when none).
size_t NameStart(const AnsiString& s)
{
    size_t p = s.find_last_of("\\/:");
    return p == AnsiString::npos ? 0 : p + 1;
}

int PackLocalTime(time_t t)
{
    std::tm tm{};
    localtime_r(&t, &tm);
    if (tm.tm_year + 1900 < 1980 || tm.tm_year + 1900 > 2107)
        return -1;
    unsigned date = static_cast<unsigned>((tm.tm_year + 1900 - 1980) << 9 | (tm.tm_mon + 1) << 5 | tm.tm_mday);
    unsigned time = static_cast<unsigned>(tm.tm_hour << 11 | tm.tm_min << 5 | std::min(tm.tm_sec, 59) / 2);
    return static_cast<int>(date << 16 | time);
}

} // namespace

bool FileExists(const AnsiString& FileName)
{
    struct stat st {};
    return !FileName.empty() && ::stat(FileName.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const AnsiString& Directory)
{
    struct stat st {};
    return !Directory.empty() && ::stat(Directory.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDir(const AnsiString& Dir) { return !Dir.empty() && ::mkdir(Dir.c_str(), 0777) == 0; }
bool RemoveDir(const AnsiString& Dir) { return !Dir.empty() && ::rmdir(Dir.c_str()) == 0; }

bool ForceDirectories(const AnsiString& Dir)
{
    if (Dir.empty())
        throw EInOutError("Unable to create directory");
    AnsiString d = ExcludeTrailingPathDelimiter(Dir);
    if (d.empty() || DirectoryExists(d) || ExtractFilePath(d) == d)
        return true;
    AnsiString parent = ExcludeTrailingPathDelimiter(ExtractFilePath(d));
    if (!parent.empty() && parent != d && !ForceDirectories(parent))
        return false;
    return CreateDir(d) || DirectoryExists(d);
}

bool DeleteFile(const AnsiString& FileName) { return !FileName.empty() && ::unlink(FileName.c_str()) == 0; }

bool RenameFile(const AnsiString& OldName, const AnsiString& NewName)
{
    // The class library's rename fails when the new name exists.
    if (::access(NewName.c_str(), F_OK) == 0)
        return false;
    return ::rename(OldName.c_str(), NewName.c_str()) == 0;
}

AnsiString GetCurrentDir()
{
    char buf[4096];
    return ::getcwd(buf, sizeof buf) ? AnsiString(buf) : AnsiString();
}

int FileAge(const AnsiString& FileName)
{
    struct stat st {};
    if (FileName.empty() || ::stat(FileName.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return -1;
    return PackLocalTime(st.st_mtime);
}

int FileGetDate(int Handle)
{
    struct stat st {};
    if (::fstat(Handle, &st) != 0)
        return -1;
    return PackLocalTime(st.st_mtime);
}

int FileSetDate(const AnsiString& FileName, int Age)
{
    TDateTime dt = 0;
    try {
        dt = FileDateToDateTime(Age);
    } catch (const EConvertError&) {
        return EINVAL;
    }
    Word y, m, d, h, n, s, ms;
    DecodeDate(dt, y, m, d);
    DecodeTime(dt, h, n, s, ms);
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = m - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = n;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    struct utimbuf times {};
    times.actime = times.modtime = std::mktime(&tm);
    return ::utime(FileName.c_str(), &times) == 0 ? 0 : errno;
}

Int64 FileSizeOf(const AnsiString& FileName)
{
    struct stat st {};
    if (FileName.empty() || ::stat(FileName.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return -1;
    return static_cast<Int64>(st.st_size);
}

AnsiString ExtractFilePath(const AnsiString& FileName) { return FileName.substr(0, NameStart(FileName)); }

AnsiString ExtractFileDir(const AnsiString& FileName)
{
    size_t i = NameStart(FileName);
    // Keep the separator of a root ("C:\", "\", "/").
    if (i > 0 && IsSep(FileName[i - 1]) && i > 1 && !IsSep(FileName[i - 2]) && FileName[i - 2] != ':')
        --i;
    return FileName.substr(0, i);
}

AnsiString ExtractFileName(const AnsiString& FileName) { return FileName.substr(NameStart(FileName)); }

AnsiString ExtractFileExt(const AnsiString& FileName)
{
    size_t dot = FileName.rfind('.');
    if (dot == AnsiString::npos || dot < NameStart(FileName))
        return AnsiString();
    return FileName.substr(dot);
}

AnsiString ExtractFileDrive(const AnsiString& FileName)
{
    if (FileName.size() >= 2 && FileName[1] == ':')
        return FileName.substr(0, 2);
    return AnsiString();
}

AnsiString ChangeFileExt(const AnsiString& FileName, const AnsiString& Extension)
{
    size_t dot = FileName.rfind('.');
    if (dot == AnsiString::npos || dot < NameStart(FileName))
        return FileName + Extension;
    return FileName.substr(0, dot) + Extension;
}

bool IsPathDelimiter(const AnsiString& S, int Index)
{
    return Index >= 1 && static_cast<size_t>(Index) <= S.size() && IsSep(S[static_cast<size_t>(Index - 1)]);
}

AnsiString IncludeTrailingPathDelimiter(const AnsiString& S)
{
    if (!S.empty() && IsSep(S.back()))
        return S;
    bool posix = S.find('/') != AnsiString::npos && S.find('\\') == AnsiString::npos;
    return S + (posix ? '/' : '\\');
}

AnsiString ExcludeTrailingPathDelimiter(const AnsiString& S)
{
    if (S.size() > 1 && IsSep(S.back()))
        return S.substr(0, S.size() - 1);
    return S;
}

namespace {

bool MatchesNoCase(const AnsiString& pattern, const AnsiString& name)
{
    if (pattern == "*.*" || pattern == "*")
        return true;
    return ::fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
}

int FindMatching(TSearchRec& F)
{
    auto* dir = static_cast<DIR*>(F.FindHandle.get());
    if (!dir)
        return EBADF;
    while (dirent* e = ::readdir(dir)) {
        AnsiString name = e->d_name;
        if (!MatchesNoCase(F.FPattern, name))
            continue;
        struct stat st {};
        AnsiString full = F.FDir + name;
        if (::stat(full.c_str(), &st) != 0 && ::lstat(full.c_str(), &st) != 0)
            continue;
        int attr = 0;
        if (S_ISDIR(st.st_mode))
            attr |= faDirectory;
        else
            attr |= faArchive;
        if (name[0] == '.' && name != "." && name != "..")
            attr |= faHidden;
        if (::access(full.c_str(), W_OK) != 0)
            attr |= faReadOnly;
        if (attr & F.ExcludeAttr)
            continue;
        F.Name = name;
        F.Attr = attr;
        F.Size = S_ISDIR(st.st_mode) ? 0 : static_cast<Int64>(st.st_size);
        F.Time = PackLocalTime(st.st_mtime);
        return 0;
    }
    return ENOENT;
}

} // namespace

int FindFirst(const AnsiString& Path, int Attr, TSearchRec& F)
{
    FindClose(F);
    F.FDir = ExtractFilePath(Path);
    for (char& c : F.FDir)
        if (c == '\\')
            c = '/';
    F.FPattern = ExtractFileName(Path);
    F.ExcludeAttr = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);
    DIR* dir = ::opendir(F.FDir.empty() ? "." : F.FDir.c_str());
    if (!dir)
        return errno;
    F.FindHandle = std::shared_ptr<void>(dir, [](void* d) { ::closedir(static_cast<DIR*>(d)); });
    int rc = FindMatching(F);
    if (rc != 0)
        FindClose(F);
    return rc;
}

int FindNext(TSearchRec& F) { return FindMatching(F); }

void FindClose(TSearchRec& F) { F.FindHandle.reset(); }
