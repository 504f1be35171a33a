#include "baselib/sl_binfile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "baselib/sl_filefuncs.h"
#include "baselib/sl_lang.h"
#include "platform/core/FileUtils.h"
#include "platform/core/StringUtils.h"
#include "platform/win/Paths.h"

namespace {

const TLangText kCodeTexts[] = {
    {1, "FileName property is Empty", "文件名属性为空", "檔案名屬性爲空"},
    {2, "Cannot open file", "不能打开文件", "不能打開檔案"},
    {3, "Cannot create file", "不能建新文件", "不能建新檔案"},
    {4, "Read file head error", "读文件头错误", "讀檔案頭錯誤"},
    {5, "Write file head error", "写文件头错误", "寫檔案頭錯誤"},
    {6, "Read record error", "读文件记录错误", "讀檔案記錄錯誤"},
    {7, "Write record error", "写文件记录错误", "寫檔案記錄錯誤"},
    {8, "Invalid record Number", "记录号错误", "記錄號錯誤"},
    {9, "Cannot read file before activated", "文件没打开，不能读写", "檔案沒打開，不能讀寫"},
    {10, "Cannot write readonly-mode opened file", "不能写只读模式打开的文件", "不能寫唯讀模式打開的檔案"},
    {11, "Change file size error", "改变文件长度失败", "改變檔案長度失敗"},
    {12, "Cannot delete file", "不能删除文件", "不能刪除檔案"},
    {13, "Cannot get file attrib", "不能得到文件属性", "不能得到檔案屬性"},
    {14, "Cannot modify file attrib", "不能修改文件属性", "不能修改檔案屬性"},
};

const TLangText kErrNoTexts[] = {
    {1, "Invalid function number", "无效的功能号", "無效的功能號"},
    {2, "File not found", "文件或文件夹不存在", "檔案或子目錄不存在"},
    {3, "Path not found", "路径(文件夹)不存在", "路徑不存在"},
    {4, "Too many open files", "打开的文件太多", "打開的檔案太多"},
    {5, "Permission denied", "拒绝访问", "拒絕訪問"},
    {6, "Bad file number", "无效的文件号", "無效的檔案號"},
    {7, "Memory blocks destroyed", "内存块已损坏", "記憶體塊已損壞"},
    {8, "Not enough memory", "内存不够", "記憶體不夠"},
    {9, "Invalid memory block address", "无效的内存块地址", "無效的記憶體塊位址"},
    {10, "Invalid environment", "无效环境变量", "無效環境變數"},
    {11, "Invalid format", "无效格式", "無效格式"},
    {12, "Invalid access code", "无效的访问码", "無效的訪問碼"},
    {13, "Invalid data", "无效的数据", "無效的資料"},
    {14, "Unknown error", "未知错误", "未知錯誤"},
    {15, "Invalid drive specified", "无效的驱动器", "無效的驅動器"},
    {16, "Attempt to remove CurDir", "试图删除当前目录(文件夹)", "試圖刪除當前目錄"},
    {17, "Not same device", "不是相同的设备", "不是相同的設備"},
    {18, "No more files", "没有更多的文件", "沒有更多的檔案"},
    {19, "Invalid argument", "无效参数", "無效參數"},
    {20, "Arg list too long", "参数表太长", "參數表太長"},
    {21, "Exec format error", "执行(文件)格式错误", "執行(檔案)格式錯誤"},
    {22, "Cross-device link", "有交叉的链", "有交叉的鏈"},
    {23, "Too many open files", "文件打开太多", "檔案打開太多"},
    {24, "No child process", "没有子进程", "沒有子進程"},
    {28, "No space left on device", "设备没有剩余空间了", "設備沒有剩餘空間了"},
    {29, "Illegal seek", "非法搜寻", "非法搜尋"},
    {30, "Read-only file system", "只读的文件系统", "唯讀的檔案系統"},
    {32, "Broken pipe", "管道已损坏", "管道已損壞"},
    {33, "Math argument", "数学(函数)参数错误", "數學(函數)參數錯誤"},
    {34, "Result too large", "结果太大", "結果太大"},
    {35, "File already exists", "文件已经存在", "檔案已經存在"},
    {36, "Locking violation", "试图访问加锁的资源", "試圖訪問加鎖的資源"},
    {37, "Operation not permitted", "不允许的操作", "不允許的操作"},
    {39, "Interrupted function call", "函数调用失败", "函數調用失敗"},
    {40, "Input/output error", "输入/输出(I/O)错误", "輸入/輸出(I/O)錯誤"},
    {41, "No such device or address", "设备或地址不存在", "設備或地址不存在"},
    {42, "Resource temporarily unavailable", "资源暂时不可用", "資源暫時不可用"},
    {44, "Resource busy", "资源忙", "資源忙"},
    {48, "Filename too long", "文件名太长", "檔案名太長"},
    {49, "Directory not empty", "文件夹有内容(子目录非空)", "子目錄非空"},
};

template <size_t N>
AnsiString Lookup(const TLangText (&table)[N], int key)
{
    const TLangText* t = FindLangText(table, key);
    return LangTextGbk(t ? *t : UnknownErrorText);
}

AnsiString InfoLabel() { return LangTextGbk({0, "Error Information", "错误信息", "錯誤資訊"}); }

AnsiString BuildMessage(const AnsiString& fileName, int code, int errNo)
{
    AnsiString msg = Lookup(kCodeTexts, code);
    if (!fileName.empty())
        msg += ":\"" + fileName + "\"";
    if (errNo != 0)
        msg += "\r\n" + InfoLabel() + ": " + RtlErrorText(errNo);
    return AppLang.FromGBK(msg);
}

} // namespace

int RtlErrNo(int Errno, const AnsiString& Path)
{
    switch (Errno) {
    case 0: return 0;
    case ENOENT: {
        AnsiString dir = ExtractFileDir(Path);
        return Path.empty() || dir.empty() || DirectoryExists(dir) ? 2 : 3;
    }
    case ENOTDIR: return 3;
    case EMFILE: return 4;
    case ENFILE: return 23;
    case EACCES: case EISDIR: return 5;
    case EBADF: return 6;
    case ENOMEM: return 8;
    case EXDEV: return 17;
    case EINVAL: return 19;
    case E2BIG: return 20;
    case ENOEXEC: return 21;
    case ECHILD: return 24;
    case ENOSPC: case EDQUOT: case EFBIG: return 28;
    case ESPIPE: return 29;
    case EROFS: return 30;
    case EPIPE: return 32;
    case EDOM: return 33;
    case ERANGE: return 34;
    case EEXIST: return 35;
    case EDEADLK: case EWOULDBLOCK: return 36;
    case EPERM: return 37;
    case EINTR: return 39;
    case EIO: return 40;
    case ENXIO: case ENODEV: return 41;
    case EBUSY: return 44;
    case ENAMETOOLONG: return 48;
    case ENOTEMPTY: return 49;
    default: return 14;
    }
}

AnsiString RtlErrorText(int ErrNo) { return Lookup(kErrNoTexts, ErrNo); }

EBinFileError::EBinFileError(const AnsiString& AFileName, TErrorCode Code, int AErrNo)
    : Exception(BuildMessage(AFileName, Code, AErrNo)), ErrorCode(Code), ErrNo(AErrNo), FileName(AFileName)
{
}

TBinFile::TBinFile(unsigned AHeadSize, unsigned ARecSize)
    : FHeadSize(AHeadSize), FRecSize(ARecSize), FHeadBuf(AHeadSize, 0), FRecBuf(ARecSize, 0)
{
}

TBinFile::~TBinFile() { Close(); }

void TBinFile::Fail(EBinFileError::TErrorCode Code, int Errno) const
{
    throw EBinFileError(FFileName, Code, RtlErrNo(Errno, SystemPath()));
}

AnsiString TBinFile::SystemPath() const { return MapWindowsPath(FFileName); }

void TBinFile::SetFileName(const AnsiString& Value)
{
    Close();
    FFileName = Trim(Value);  // blanks and control characters at both ends go
}

void TBinFile::SetOpenMode(int Value)
{
    Close();
    if (Value & 12)
        Value |= 2;
    if (Value & 2)
        Value |= 1;
    FOpenMode = Value;
}

void TBinFile::SetShareMode(int Value)
{
    Close();
    FShareMode = Value;
}

void TBinFile::CheckOpen() const
{
    if (!FStream)
        Fail(EBinFileError::ecNotOpen);
}

void TBinFile::CheckWritable() const
{
    CheckOpen();
    if (!(FOpenMode & 2))
        Fail(EBinFileError::ecReadOnly);
}

namespace {

// Opens with a sharing lock: denying others writing takes a lock that a writer
// of the same kind cannot get (advisory, as this system keeps sharing).
std::FILE* OpenLocked(const AnsiString& path, int flags, bool truncate, int lock, int& error)
{
    int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    if (lock && flock(fd, lock | LOCK_NB) != 0) {
        error = errno == EWOULDBLOCK ? EACCES : errno;
        ::close(fd);
        return nullptr;
    }
    // Cut only after the lock: a file another holder keeps is left whole.
    if (truncate && ftruncate(fd, 0) != 0) {
        error = errno;
        ::close(fd);
        return nullptr;
    }
    std::FILE* f = fdopen(fd, (flags & O_ACCMODE) == O_RDONLY ? "rb" : "rb+");
    if (!f) {
        error = errno;
        ::close(fd);
    }
    return f;
}

} // namespace

void TBinFile::Open()
{
    if (!FStream) {
        if (FFileName.empty())
            Fail(EBinFileError::ecEmptyName);  // no stale error number with it
        SetOpenMode(FOpenMode);
        AnsiString path = SystemPath();
        int deny = (FShareMode & 8) ? ((FOpenMode & 2) ? 2 : 0) : (FShareMode & 3);
        int lock = deny == 0 ? 0 : (deny == 2 && !(FOpenMode & 2)) ? LOCK_SH : LOCK_EX;
        int error = 0;
        std::FILE* f = nullptr;
        if (FOpenMode & 4) {
            f = OpenLocked(path, O_RDWR | O_CREAT, true, lock, error);
            if (!f)
                Fail(EBinFileError::ecCreate, error);
        } else {
            f = OpenLocked(path, (FOpenMode & 2) ? O_RDWR : O_RDONLY, false, lock, error);
            if (!f) {
                int rtl = RtlErrNo(error, path);
                if ((FOpenMode & 8) && (rtl == 2 || rtl == 3)) {
                    f = OpenLocked(path, O_RDWR | O_CREAT, false, lock, error);
                    if (!f)
                        Fail(EBinFileError::ecCreate, error);
                } else {
                    Fail(EBinFileError::ecOpen, error);
                }
            }
        }
        FStream = f;
    }
    RecNo = 0;
    FCachedRecNo = -1;
    FHeadCached = false;
}

void TBinFile::Close()
{
    if (FStream) {
        std::fclose(FStream);
        FStream = nullptr;
    }
    RecNo = -1;
    FCachedRecNo = -1;
    FHeadCached = false;
}

void TBinFile::Flush()
{
    if (FStream) {
        std::fflush(FStream);
        fsync(fileno(FStream));
    }
}

void TBinFile::Refresh()
{
    FCachedRecNo = -1;
    FHeadCached = false;
}

bool TBinFile::ReadAt(std::int64_t Offset, void* Buf, unsigned Count)
{
    if (fseeko(FStream, Offset, SEEK_SET) != 0)
        return false;
    return std::fread(Buf, 1, Count, FStream) == Count;
}

bool TBinFile::WriteAt(std::int64_t Offset, const void* Buf, unsigned Count)
{
    if (fseeko(FStream, Offset, SEEK_SET) != 0)
        return false;
    return std::fwrite(Buf, 1, Count, FStream) == Count;
}

void TBinFile::ReadHeader(void* Buf)
{
    CheckOpen();
    if (FHeadSize == 0)
        return;
    if (!UseCache) {
        if (!ReadAt(0, Buf, FHeadSize))
            Fail(EBinFileError::ecReadHead);
        return;
    }
    if (!FHeadCached) {
        if (!ReadAt(0, FHeadBuf.data(), FHeadSize))
            Fail(EBinFileError::ecReadHead);
        FHeadCached = true;
    }
    std::memcpy(Buf, FHeadBuf.data(), FHeadSize);
}

void TBinFile::WriteHeader(const void* Buf)
{
    CheckWritable();
    if (FHeadSize == 0)
        return;
    if (!WriteAt(0, Buf, FHeadSize)) {
        FHeadCached = false;
        Fail(EBinFileError::ecWriteHead, errno);
    }
    if (UseCache) {
        std::memcpy(FHeadBuf.data(), Buf, FHeadSize);
        FHeadCached = true;
    }
}

void TBinFile::ReadRecord(void* Buf)
{
    CheckOpen();
    if (RecNo == -1)
        Fail(EBinFileError::ecRecNo);
    if (FRecSize == 0)
        return;
    std::int64_t at = std::int64_t(FHeadSize) + std::int64_t(RecNo) * FRecSize;
    if (!UseCache) {
        if (!ReadAt(at, Buf, FRecSize))
            Fail(EBinFileError::ecReadRecord);
        return;
    }
    if (RecNo != FCachedRecNo) {
        FCachedRecNo = -1;  // a failed read must not leave a half-filled cache behind its old number
        if (!ReadAt(at, FRecBuf.data(), FRecSize))
            Fail(EBinFileError::ecReadRecord);
        FCachedRecNo = RecNo;
    }
    std::memcpy(Buf, FRecBuf.data(), FRecSize);
}

void TBinFile::WriteRecord(const void* Buf)
{
    CheckWritable();
    if (RecNo == -1)
        Fail(EBinFileError::ecRecNo);
    if (FRecSize == 0)
        return;
    if (!WriteAt(std::int64_t(FHeadSize) + std::int64_t(RecNo) * FRecSize, Buf, FRecSize)) {
        FCachedRecNo = -1;
        Fail(EBinFileError::ecWriteRecord, errno);
    }
    if (UseCache) {
        std::memcpy(FRecBuf.data(), Buf, FRecSize);
        FCachedRecNo = RecNo;
    }
}

void TBinFile::ReadRecord(void* Buf, std::int32_t N)
{
    CheckOpen();
    if (N == -1)
        Fail(EBinFileError::ecRecNo);
    if (FRecSize == 0)
        return;
    if (!ReadAt(std::int64_t(FHeadSize) + std::int64_t(N) * FRecSize, Buf, FRecSize))
        Fail(EBinFileError::ecReadRecord);
}

void TBinFile::WriteRecord(const void* Buf, std::int32_t N)
{
    CheckWritable();
    if (N == -1)
        Fail(EBinFileError::ecRecNo);
    if (FRecSize == 0)
        return;
    // The cached copy of this record would be stale from here on.
    if (N == FCachedRecNo)
        FCachedRecNo = -1;
    if (!WriteAt(std::int64_t(FHeadSize) + std::int64_t(N) * FRecSize, Buf, FRecSize))
        Fail(EBinFileError::ecWriteRecord, errno);
}

std::int64_t TBinFile::Length()
{
    off_t pos = ftello(FStream);
    if (fseeko(FStream, 0, SEEK_END) != 0)
        return -1;
    off_t len = ftello(FStream);
    fseeko(FStream, pos < 0 ? 0 : pos, SEEK_SET);
    return len;
}

void TBinFile::SetLength(std::int64_t Len)
{
    CheckWritable();
    Flush();
    if (ftruncate(fileno(FStream), Len) != 0)
        Fail(EBinFileError::ecSize, errno);
    // Records past the new end, or the zeros that lengthened the file, are not what the caches hold.
    Refresh();
}

std::int32_t TBinFile::RecCount()
{
    CheckOpen();
    if (FRecSize == 0)
        return 0;
    std::int64_t len = Length();
    if (len > std::int64_t(FHeadSize))
        return static_cast<std::int32_t>((len - FHeadSize) / FRecSize);
    return 0;
}

void TBinFile::SetRecCount(std::int32_t N) { SetLength(std::int64_t(FHeadSize) + std::int64_t(N) * FRecSize); }

std::int32_t TBinFile::FileSize()
{
    CheckOpen();
    return static_cast<std::int32_t>(Length());
}

void TBinFile::SetFileSize(std::int32_t Size) { SetLength(Size); }

std::int32_t TBinFile::CursPos()
{
    CheckOpen();
    return static_cast<std::int32_t>(ftello(FStream));
}

void TBinFile::SetCursPos(std::int32_t Pos)
{
    CheckOpen();
    fseeko(FStream, Pos, SEEK_SET);
}

bool TBinFile::Exists() const { return TBinFileFuncs::ExistFile(FFileName); }

DateTimeX TBinFile::FileTime()
{
    CheckOpen();
    std::fflush(FStream);
    errno = 0;
    int packed = FileGetDate(fileno(FStream));
    if (packed == -1)
        Fail(EBinFileError::ecGetTime, errno ? errno : EINVAL);  // no file time, or one the format cannot hold
    unsigned p = static_cast<unsigned>(packed);
    return DateTimeX(static_cast<int>((p >> 25) + 1980), (p >> 21) & 0x0F, (p >> 16) & 0x1F, (p >> 11) & 0x1F,
                     (p >> 5) & 0x3F, (p & 0x1F) * 2);
}

void TBinFile::SetFileTime(const DateTimeX& T)
{
    CheckWritable();
    Flush();
    // Years the packed format cannot hold are refused, not wrapped.
    if (T.Year < 1980 || T.Year > 2107 || !T.IsValid())
        Fail(EBinFileError::ecSetTime, EINVAL);
    unsigned p = unsigned(T.Year - 1980) << 25 | unsigned(T.Month) << 21 | unsigned(T.Day) << 16 |
                 unsigned(T.Hour) << 11 | unsigned(T.Minute) << 5 | unsigned(T.Second / 2);
    if (int e = FileSetDate(SystemPath(), static_cast<int>(p)); e != 0)
        Fail(EBinFileError::ecSetTime, e);
}

int TBinFile::FileAttr()
{
    struct stat st {};
    AnsiString path = SystemPath();
    if (::stat(path.c_str(), &st) != 0)
        Fail(EBinFileError::ecGetAttr, errno);
    // Read-only is the owner's missing write permission, hidden a dot name;
    // regular files carry the archive bit as new files on the other system do.
    int attr = S_ISDIR(st.st_mode) ? 0x10 : 0x20;
    if (!(st.st_mode & S_IWUSR))
        attr |= 0x01;
    if (ExtractFileName(ExcludeTrailingPathDelimiter(path)).rfind('.', 0) == 0)
        attr |= 0x02;
    return attr;
}

void TBinFile::SetFileAttr(int Attr)
{
    Flush();
    struct stat st {};
    AnsiString path = SystemPath();
    if (::stat(path.c_str(), &st) != 0)
        Fail(EBinFileError::ecSetAttr, errno);
    // Only read-only maps onto this system (the write permissions); hidden
    // follows the name, system and archive have no counterpart.
    mode_t mode = st.st_mode & 07777;
    mode = (Attr & 0x01) ? mode & ~mode_t(0222) : mode | S_IWUSR;
    if (::chmod(path.c_str(), mode) != 0)
        Fail(EBinFileError::ecSetAttr, errno);
}

void TBinFile::Remove()
{
    Close();
    if (::unlink(SystemPath().c_str()) != 0)
        Fail(EBinFileError::ecDelete, errno);
}

int TBinFile::Seek(std::int32_t Offset, int Origin)
{
    CheckOpen();
    int whence = Origin == 1 ? SEEK_CUR : Origin == 2 ? SEEK_END : SEEK_SET;
    return fseeko(FStream, Offset, whence);
}

unsigned TBinFile::Read(void* Buf, unsigned Count)
{
    CheckOpen();
    return static_cast<unsigned>(std::fread(Buf, 1, Count, FStream));
}

unsigned TBinFile::Write(const void* Buf, unsigned Count)
{
    CheckWritable();
    // A raw write may cover the cached header or record.
    Refresh();
    return static_cast<unsigned>(std::fwrite(Buf, 1, Count, FStream));
}
