#include "baselib/sl_filefuncs.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "baselib/sl_binfile.h"
#include "baselib/sl_lang.h"
#include "platform/core/FileUtils.h"
#include "platform/win/Paths.h"

namespace TBinFileFuncs {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsSep(char c) { return c == '\\' || c == '/' || c == ':'; }

size_t LastSep(const AnsiString& s)
{
    for (size_t i = s.size(); i-- > 0;)
        if (IsSep(s[i]))
            return i;
    return AnsiString::npos;
}

// One trailing separator is ignored by the folder functions.
AnsiString FolderPath(const AnsiString& Path)
{
    AnsiString p = Path;
    if (!p.empty() && (p.back() == '\\' || p.back() == '/'))
        p.pop_back();
    return p;
}

bool TooLong(const AnsiString& Path) { return Path.empty() || Path.size() > MaxPathChars; }

} // namespace

int DeleteSpaces(AnsiString& S, int Leading, int Trailing, int All)
{
    if (Leading) {
        size_t i = 0;
        while (i < S.size() && IsSpace(S[i]))
            ++i;
        S.erase(0, i);
    }
    if (Trailing)
        while (!S.empty() && IsSpace(S.back()))
            S.pop_back();
    if (All)
        std::erase_if(S, IsSpace);
    return static_cast<int>(S.size());
}

int ToBackSlashes(AnsiString& S)
{
    for (char& c : S)
        if (c == '/')
            c = '\\';
    return static_cast<int>(S.size());
}

int ToUnixSlashes(AnsiString& S)
{
    for (char& c : S)
        if (c == '\\')
            c = '/';
    return static_cast<int>(S.size());
}

int AppendBackSlash(AnsiString& S)
{
    if (!S.empty() && !IsSep(S.back()))
        S += '\\';
    return static_cast<int>(S.size());
}

int GetPathFromFullName(AnsiString& Dst, const AnsiString& Src)
{
    size_t i = LastSep(Src);
    Dst = i == AnsiString::npos ? AnsiString() : Src.substr(0, i + 1);
    return static_cast<int>(Dst.size());
}

int GetFileName(AnsiString& Dst, const AnsiString& Src)
{
    size_t i = LastSep(Src);
    Dst = i == AnsiString::npos ? Src : Src.substr(i + 1);
    return static_cast<int>(Dst.size());
}

int GetExtName(AnsiString& Dst, const AnsiString& Src)
{
    size_t dot = Src.rfind('.');
    size_t sep = LastSep(Src);
    Dst = (dot == AnsiString::npos || (sep != AnsiString::npos && sep > dot)) ? AnsiString() : Src.substr(dot + 1);
    return static_cast<int>(Dst.size());
}

int GetFullNameWithoutExt(AnsiString& Dst, const AnsiString& Src)
{
    size_t dot = Src.rfind('.');
    size_t sep = Src.find_last_of("\\/");
    Dst = (dot == AnsiString::npos || (sep != AnsiString::npos && sep > dot)) ? Src : Src.substr(0, dot);
    return static_cast<int>(Dst.size());
}

int IsFullPath(const AnsiString& Path, int* Kind)
{
    int kind = -1;
    int count = 0;
    const AnsiString& p = Path;
    auto doubled = [&](size_t from) { return p.find("\\\\", from) != AnsiString::npos; };
    auto countFrom = [&](size_t from) {
        int n = 0;
        for (size_t i = from; i < p.size(); ++i)
            n += p[i] == '\\';
        return n;
    };
    if (p.size() >= 2 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':') {
        kind = 0;
        if (p.size() >= 3 && p[2] == '\\' && !doubled(2))
            count = 1 + countFrom(3);
    } else if (p.size() >= 2 && p[0] == '\\' && p[1] == '\\') {
        kind = 1;
        if (!doubled(2)) {
            count = countFrom(2);
            if (count)
                --count;
        }
    } else if (!p.empty() && p[0] != '\\') {
        size_t first = p.find('\\');
        if (first != AnsiString::npos && first > 0) {
            size_t colon = p.find(':', first + 1);
            size_t next = p.find('\\', first + 1);
            if (colon != AnsiString::npos && (next == AnsiString::npos || colon < next) && colon > first + 1) {
                kind = 2;
                size_t after = colon + 1;
                if (after < p.size() && p[after] == '\\')
                    ++after;
                if (!doubled(first))
                    count = 1 + countFrom(after);
            }
        }
    }
    if (Kind)
        *Kind = kind;
    return count;
}

int MkDir(const AnsiString& Path)
{
    AnsiString p = FolderPath(Path);
    if (TooLong(p))
        return -1;
    return ::mkdir(MapWindowsPath(p).c_str(), 0777) == 0 ? 0 : -1;
}

int RmDir(const AnsiString& Path)
{
    AnsiString p = FolderPath(Path);
    if (TooLong(p))
        return -1;
    return ::rmdir(MapWindowsPath(p).c_str()) == 0 ? 0 : -1;
}

int MakeFullPath(const AnsiString& Path)
{
    if (Path.size() > MaxPathChars)
        return -1;
    int result = 0;
    for (size_t i = 1; i < Path.size(); ++i) {
        if ((Path[i] == '\\' || Path[i] == '/') && Path[i - 1] != ':')
            result = MkDir(Path.substr(0, i));
    }
    return result;
}

bool ExistPath(const AnsiString& Path)
{
    AnsiString p = FolderPath(Path);
    if (TooLong(p))
        return false;
    struct stat st {};
    return ::stat(MapWindowsPath(p).c_str(), &st) == 0;
}

bool ExistFile(const AnsiString& Name, std::int32_t* Attr)
{
    if (TooLong(Name))
        return false;
    TSearchRec rec;
    bool found = FindFirst(MapWindowsPath(Name), faReadOnly | faHidden | faSysFile | faArchive, rec) == 0;
    while (found && (rec.Attr & faDirectory))
        found = FindNext(rec) == 0;
    if (found && Attr)
        *Attr = rec.Attr;
    FindClose(rec);
    return found;
}

int f_copy(const AnsiString& Target, const AnsiString& Source)
{
    AnsiString src = MapWindowsPath(Source), dst = MapWindowsPath(Target);
    int in = ::open(src.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return 1;
    int out = ::open(dst.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (out < 0) {
        ::close(in);
        return 2;
    }
    // Only a plain file can be left cut off; a device target is never removed.
    struct stat st {};
    const bool plainTarget = ::fstat(out, &st) == 0 && S_ISREG(st.st_mode);
    char buf[10240];
    bool ok = true;
    for (;;) {
        ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        for (ssize_t done = 0; done < n;) {
            ssize_t w = ::write(out, buf + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0) {
                ok = false;
                break;
            }
            done += w;
        }
        if (!ok)
            break;
    }
    ::close(in);
    if (::close(out) != 0)
        ok = false;
    if (!ok) {
        // A cut-off copy must not pass for the file.
        if (plainTarget)
            ::unlink(dst.c_str());
        return 3;
    }
    return 0;
}

std::uint32_t MakePercent(std::uint32_t Part, std::uint32_t Whole)
{
    if (Whole == 0)
        return 0;
    std::uint64_t p = std::uint64_t(Part) * 100 / Whole;
    return p > 100 ? 100 : static_cast<std::uint32_t>(p);
}

bool WriteLogFileInfo(const AnsiString& FileName, const char* Format, ...)
{
    char text[1024];
    va_list ap;
    va_start(ap, Format);
    int n = std::vsnprintf(text, sizeof text, Format, ap);
    va_end(ap);
    if (n < 0)
        return false;
    size_t len = std::min<size_t>(static_cast<size_t>(n), sizeof text - 1);
    try {
        TBinFile f(0, 0);
        f.SetFileName(FileName);
        f.SetOpenMode(8);
        f.Open();
        f.Seek(0, 2);
        bool ok = f.Write(text, static_cast<unsigned>(len)) == len;
        f.Flush();
        f.Close();
        return ok;
    } catch (const EBinFileError&) {
        return false;
    }
}

AnsiString GetShErrInfo(int Result)
{
    static const TLangText table[] = {
        {0, "Out of memory or resources.", "内存不够", "記憶體不夠"},
        {2, "File was not found.", "文件没找到", "檔案沒找到"},
        {3, "Path was not found.", "路径(文件夹)没找到", "路徑沒找到"},
        {5, "Access denied.", "拒绝访问", "拒絕訪問"},
        {8, "There was not enough memory to complete the operation.", "内存不够", "記憶體不夠"},
        {11, "The .EXE file is invalid.", "文件已经损坏", "檔案已經損壞"},
        {26, "A sharing violation occurred.", "文件共享错误", "檔案共用錯誤"},
        {27, "Filename association is incomplete or invalid.", "文件关联错误", "檔案關聯錯誤"},
        {28, "DDE transaction timed out.", "DDE 事务处理超时", "DDE 事務處理超時"},
        {29, "DDE transaction failed.", "DDE 事务处理失败", "DDE 事務處理失敗"},
        {30, "DDE transaction busy.", "DDE 错误：DDE 正在忙于其它事务处理", "DDE 錯誤：DDE 正在忙於其他事務處理"},
        {31, "There is no application associated with the given filename extension.", "不能找到文件的关联",
         "不能找到檔案的關聯"},
        {32, "The specified dynamic-link library was not found.", "需要的 DLL 文件不存在", "需要的 DLL 文件不存在"},
    };
    const TLangText* t = FindLangText(table, Result);
    return LangText(t ? *t : UnknownErrorText);
}

} // namespace TBinFileFuncs
