#pragma once
// The base library's functions on path texts, folders and files. Paths are
// Windows paths ("C:\a\b.txt", mapped into the prefix when a file is touched)
// or paths of this system. The texts are the caller's strings, so a long text
// never overruns a buffer; paths longer than 259 characters fail cleanly.
#include <cstdint>

#include "platform/core/Types.h"

namespace TBinFileFuncs {

constexpr size_t MaxPathChars = 259;

int DeleteSpaces(AnsiString& S, int Leading, int Trailing, int All);
int ToBackSlashes(AnsiString& S);
int ToUnixSlashes(AnsiString& S);
int AppendBackSlash(AnsiString& S);
int GetPathFromFullName(AnsiString& Dst, const AnsiString& Src);
int GetFileName(AnsiString& Dst, const AnsiString& Src);
int GetExtName(AnsiString& Dst, const AnsiString& Src);
int GetFullNameWithoutExt(AnsiString& Dst, const AnsiString& Src);

int IsFullPath(const AnsiString& Path, int* Kind = nullptr);
int MkDir(const AnsiString& Path);
int RmDir(const AnsiString& Path);
int MakeFullPath(const AnsiString& Path);
bool ExistPath(const AnsiString& Path);
bool ExistFile(const AnsiString& Name, std::int32_t* Attr = nullptr);
// 0 done, 1 the source cannot be opened, 2 the target cannot be created,
// 3 writing the target failed (the partial target is removed).
int f_copy(const AnsiString& Target, const AnsiString& Source);
std::uint32_t MakePercent(std::uint32_t Part, std::uint32_t Whole);
// The formatted text is cut at 1023 characters.
bool WriteLogFileInfo(const AnsiString& FileName, const char* Format, ...) __attribute__((format(printf, 2, 3)));
AnsiString GetShErrInfo(int Result);

} // namespace TBinFileFuncs
