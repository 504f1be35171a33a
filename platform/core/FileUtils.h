#pragma once
// Files, folders and file names. The name functions accept both '\' and '/'
// as separators (and ':' after a drive), since the program's own paths are
// Windows paths until platform/win maps them.
#include <memory>

#include "platform/core/Types.h"

bool FileExists(const AnsiString& FileName);       // a file, not a folder
bool DirectoryExists(const AnsiString& Directory);
bool CreateDir(const AnsiString& Dir);
bool RemoveDir(const AnsiString& Dir);
// Creates every missing folder of Dir; EInOutError "Unable to create directory" for "".
bool ForceDirectories(const AnsiString& Dir);
bool DeleteFile(const AnsiString& FileName);
bool RenameFile(const AnsiString& OldName, const AnsiString& NewName);
AnsiString GetCurrentDir();

// Last write time in the packed two-second form (local time); -1 when there is no such file.
int FileAge(const AnsiString& FileName);
int FileGetDate(int Handle);
// 0 on success, else the error number.
int FileSetDate(const AnsiString& FileName, int Age);
// Size in bytes, -1 when there is no such file.
Int64 FileSizeOf(const AnsiString& FileName);

AnsiString ExtractFilePath(const AnsiString& FileName);  // with the trailing separator
AnsiString ExtractFileDir(const AnsiString& FileName);   // without it (except a root)
AnsiString ExtractFileName(const AnsiString& FileName);
AnsiString ExtractFileExt(const AnsiString& FileName);   // with the dot
AnsiString ExtractFileDrive(const AnsiString& FileName); // "C:" or ""
AnsiString ChangeFileExt(const AnsiString& FileName, const AnsiString& Extension);
bool IsPathDelimiter(const AnsiString& S, int Index);    // 1-based, as the class library counts
// Appends the separator the path already uses ('/' for a POSIX path, else '\').
AnsiString IncludeTrailingPathDelimiter(const AnsiString& S);
AnsiString ExcludeTrailingPathDelimiter(const AnsiString& S);

// File attributes of the class library; hidden means a name starting with '.'.
constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;

struct TSearchRec {
    int Time = 0;   // packed file date, as FileAge
    Int64 Size = 0;
    int Attr = 0;
    AnsiString Name;
    int ExcludeAttr = 0;
    // The open search; FindClose releases it.
    std::shared_ptr<void> FindHandle;
    AnsiString FPattern;
    AnsiString FDir;
};

// Path is a folder followed by a name pattern with '*' and '?' ("*.*" matches
// every name), matched without case. Files are found, and with faDirectory,
// faHidden or faSysFile in Attr also entries of those kinds ("." and ".."
// included). Return 0 when an entry was found, else an error number.
int FindFirst(const AnsiString& Path, int Attr, TSearchRec& F);
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);
