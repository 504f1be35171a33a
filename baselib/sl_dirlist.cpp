#include "baselib/sl_dirlist.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/core/DateTime.h"
#include "platform/core/FileUtils.h"
#include "platform/win/Paths.h"

namespace {

void PutLE(unsigned char* p, std::uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

std::int64_t StampOfPacked(int packed)
{
    unsigned p = static_cast<unsigned>(packed);
    DateTimeX t(static_cast<int>((p >> 25) + 1980), (p >> 21) & 0x0F, (p >> 16) & 0x1F, (p >> 11) & 0x1F,
                (p >> 5) & 0x3F, (p & 0x1F) * 2);
    return t.TStamp();
}

// "DAT/FLIST_A", 23 bytes of notice, CR LF and end-of-file.
const char kMark[] = "DAT/FLIST_A" "Zorvane directory list " "\r\n\x1A";
static_assert(sizeof kMark - 1 == 37);

} // namespace

TDirListFile::TDirListFile() : TBinFile(HeadBytes, RecBytes), FFolder(TRelPath::ptCurrent, AnsiString()) {}

void TDirListFile::Create()
{
    AnsiString folder = PTL();
    if (folder.size() > 259)
        throw EBinFileError(FileName(), EBinFileError::ecWriteHead, RtlErrNo(ENAMETOOLONG));
    SetOpenMode(4);
    Open();
    unsigned char head[HeadBytes] = {};
    std::memcpy(head, kMark, 37);
    std::memcpy(head + 52, folder.data(), folder.size());
    PutLE(head + 312, static_cast<std::uint64_t>(DateTimeX().TStamp()), 8);
    WriteHeader(head);

    RecNo = 0;
    TSearchRec rec;
    int found = FindFirst(MapWindowsPath(FFolder.FileName("*.*")), SearchAttr, rec);
    while (found == 0) {
        unsigned char r[RecBytes] = {};
        std::memcpy(r, rec.Name.data(), std::min<size_t>(rec.Name.size(), 259));
        PutLE(r + 260, static_cast<std::uint64_t>(std::clamp<Int64>(rec.Size, 0, 0xFFFFFFFFLL)), 4);
        PutLE(r + 264, static_cast<std::uint64_t>(StampOfPacked(rec.Time)), 8);
        PutLE(r + 272, static_cast<std::uint32_t>(rec.Attr), 4);
        WriteRecord(r, RecNo);
        ++RecNo;
        found = FindNext(rec);
    }
    FindClose(rec);
}
