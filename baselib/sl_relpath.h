#pragma once
// A folder named by a root of a chosen kind (the program's folder, the
// system's folders, the current or temporary folder, the module's folder, or
// a root given by the caller) and a relative part, with file names built in it.
#include <cstdint>

#include "platform/core/Types.h"

class TRelPath {
public:
    enum TPathType : std::uint8_t {
        ptExePath = 0, ptWindows, ptSystem, ptCurrent, ptTemp, ptUser, ptModule,
    };

    explicit TRelPath(const AnsiString& ARelative = AnsiString());
    TRelPath(TPathType AType, const AnsiString& ARelative);
    TRelPath(const AnsiString& ARoot, const AnsiString& ARelative);
    TRelPath(const TRelPath& Other) = default;
    TRelPath& operator=(const TRelPath& Other) = default;
    TRelPath& operator=(const AnsiString& Path)
    {
        fSetFullPath(Path);
        return *this;
    }
    virtual ~TRelPath() = default;

    void Initialize(TPathType AType, const AnsiString& ARoot, const AnsiString& ARelative);
    void SetPathType(TPathType AType);
    void SetRootPath(const AnsiString& ARoot);
    void SetRelative(const AnsiString& ARelative);
    void Assign(const TRelPath& Other) { *this = Other; }
    void Assign(const AnsiString& ARoot, const AnsiString& ARelative);

    AnsiString FullPath() const { return fGetFullPath(); }
    void SetFullPath(const AnsiString& Path) { fSetFullPath(Path); }
    AnsiString fGetFullPath() const { return RootPath + Relative; }
    void fSetFullPath(const AnsiString& Path);
    operator AnsiString() const { return fGetFullPath(); }

    AnsiString FileName(const AnsiString& Name) const;
    AnsiString FileName(const AnsiString& Name, const AnsiString& Ext) const;
    AnsiString Extension(const AnsiString& Ext) const;
    AnsiString FormatName(const char* Format, ...) const __attribute__((format(printf, 2, 3)));
    AnsiString FormatExtension(const char* Format, ...) const __attribute__((format(printf, 2, 3)));

    TPathType PathType = ptExePath;
    AnsiString RootPath;  // ends in a separator, or empty
    AnsiString Relative;  // ends in a separator, or empty
    AnsiString ExeName;   // the program's full file name
};

// Appends a separator to a non-empty text that does not end in "\", "/" or
// ":": "/" to a path of this system, "\" otherwise. Texts are cut to 254
// characters first.
AnsiString WithBackSlash(const AnsiString& S);
