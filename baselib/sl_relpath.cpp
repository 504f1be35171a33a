#include "baselib/sl_relpath.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <strings.h>
#include <unistd.h>

#include "baselib/sl_filefuncs.h"
#include "platform/core/FileUtils.h"

namespace {

AnsiString ProgramFileName()
{
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? AnsiString(buf, static_cast<size_t>(n)) : AnsiString();
}

AnsiString Formatted(const char* Format, va_list ap)
{
    char text[256];
    int n = std::vsnprintf(text, sizeof text, Format, ap);
    return n < 0 ? AnsiString() : AnsiString(text);  // cut at 255 characters
}

} // namespace

namespace {

AnsiString AddSeparator(AnsiString s)
{
    if (!s.empty() && s.back() != '\\' && s.back() != '/' && s.back() != ':')
        s += s.front() == '/' ? '/' : '\\';
    return s;
}

} // namespace

AnsiString WithBackSlash(const AnsiString& S) { return AddSeparator(S.substr(0, 254)); }

TRelPath::TRelPath(const AnsiString& ARelative) { Initialize(ptExePath, AnsiString(), ARelative); }

TRelPath::TRelPath(TPathType AType, const AnsiString& ARelative) { Initialize(AType, AnsiString(), ARelative); }

TRelPath::TRelPath(const AnsiString& ARoot, const AnsiString& ARelative) { Initialize(ptUser, ARoot, ARelative); }

void TRelPath::Initialize(TPathType AType, const AnsiString& ARoot, const AnsiString& ARelative)
{
    ExeName = ProgramFileName();
    SetPathType(AType);
    if (AType == ptUser)
        SetRootPath(ARoot);
    SetRelative(ARelative);
}

void TRelPath::SetPathType(TPathType AType)
{
    PathType = AType;
    switch (AType) {
    case ptExePath: TBinFileFuncs::GetPathFromFullName(RootPath, ExeName); break;
    // This system has no Windows or system folder: the fallbacks name them.
    case ptWindows: RootPath = "C:\\WINDOWS\\"; break;
    case ptSystem: RootPath = "C:\\WINDOWS\\SYSTEM\\"; break;
    case ptCurrent: RootPath = WithBackSlash(GetCurrentDir()); break;
    case ptTemp: {
        const char* t = std::getenv("TMPDIR");
        RootPath = WithBackSlash(t && *t ? t : "/tmp");
        break;
    }
    case ptModule: {
        // The library is linked into the program: its module is the program file.
        AnsiString module = ProgramFileName();
        if (!module.empty())
            ExeName = module;
        TBinFileFuncs::GetPathFromFullName(RootPath, module);
        break;
    }
    case ptUser: RootPath.clear(); break;  // SetRootPath fills it
    default: RootPath.clear(); break;
    }
}

void TRelPath::SetRootPath(const AnsiString& ARoot)
{
    PathType = ptUser;
    RootPath = WithBackSlash(ARoot);
}

void TRelPath::SetRelative(const AnsiString& ARelative) { Relative = WithBackSlash(ARelative); }

void TRelPath::Assign(const AnsiString& ARoot, const AnsiString& ARelative)
{
    SetRootPath(ARoot);
    SetRelative(ARelative);
}

void TRelPath::fSetFullPath(const AnsiString& Path)
{
    AnsiString d;
    TBinFileFuncs::GetPathFromFullName(d, ExeName);
    AnsiString p = Path;
    // Blanks and control characters at both ends go.
    while (!p.empty() && static_cast<unsigned char>(p.front()) <= ' ')
        p.erase(0, 1);
    while (!p.empty() && static_cast<unsigned char>(p.back()) <= ' ')
        p.pop_back();
    p = AddSeparator(p);
    if (!d.empty() && p.size() >= d.size() && strncasecmp(p.c_str(), d.c_str(), d.size()) == 0) {
        SetPathType(ptExePath);
        Relative = WithBackSlash(p.substr(d.size()));
    } else {
        PathType = ptUser;
        RootPath = WithBackSlash(p);
        Relative.clear();
    }
}

AnsiString TRelPath::FileName(const AnsiString& Name) const
{
    AnsiString n = Name;
    if (n.empty())
        TBinFileFuncs::GetFileName(n, ExeName);
    return RootPath + Relative + n;
}

AnsiString TRelPath::FileName(const AnsiString& Name, const AnsiString& Ext) const
{
    return FileName(Name) + (Ext.empty() ? AnsiString() : "." + Ext);
}

AnsiString TRelPath::Extension(const AnsiString& Ext) const
{
    AnsiString n;
    TBinFileFuncs::GetFileName(n, ExeName);
    if (!Ext.empty()) {
        size_t dot = n.rfind('.');
        n = (dot == AnsiString::npos ? n : n.substr(0, dot)) + "." + Ext;
    }
    return RootPath + Relative + n;
}

AnsiString TRelPath::FormatName(const char* Format, ...) const
{
    va_list ap;
    va_start(ap, Format);
    AnsiString s = Formatted(Format, ap);
    va_end(ap);
    return FileName(s);
}

AnsiString TRelPath::FormatExtension(const char* Format, ...) const
{
    va_list ap;
    va_start(ap, Format);
    AnsiString s = Formatted(Format, ap);
    va_end(ap);
    return Extension(s);
}
