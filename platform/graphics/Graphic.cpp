#include "platform/graphics/Graphic.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <algorithm>

#include "platform/core/Exceptions.h"
#include "platform/core/Streams.h"

void TGraphic::SetTransparent(bool v)
{
    if (v == FTransparent)
        return;
    FTransparent = v;
    Changed();
}

void TGraphic::SetModified(bool v)
{
    if (v)
        Changed();
    else
        FModified = false;
}

void TGraphic::Changed()
{
    FModified = true;
    FireEvent(OnChange, this);
}

void TGraphic::LoadFromFile(const AnsiString& FileName) { LoadFromData(ReadFileBytes(FileName)); }

void TGraphic::SaveToFile(const AnsiString& FileName) { WriteFileBytes(FileName, SaveToData()); }

void TGraphic::LoadFromStream(TStream* Stream)
{
    std::vector<Byte> data;
    if (Stream) {
        const Int64 left = Stream->Size() - Stream->Position();
        data.resize(static_cast<size_t>(std::max<Int64>(0, left)));
        if (!data.empty())
            Stream->ReadBuffer(data.data(), static_cast<int>(data.size()));
    }
    LoadFromData(data);
}

void TGraphic::SaveToStream(TStream* Stream)
{
    const std::vector<Byte> data = SaveToData();
    if (Stream && !data.empty())
        Stream->WriteBuffer(data.data(), static_cast<int>(data.size()));
}

std::vector<Byte> ReadFileBytes(const AnsiString& FileName)
{
    std::FILE* f = std::fopen(FileName.c_str(), "rb");
    if (!f)
        throw EFOpenError("Cannot open file \"" + FileName + "\". " + SysErrorMessage(errno));
    std::vector<Byte> data;
    Byte buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        data.insert(data.end(), buf, buf + n);
    const bool bad = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    if (bad)
        throw EReadError("Cannot read file \"" + FileName + "\". " + SysErrorMessage(err));
    return data;
}

void WriteFileBytes(const AnsiString& FileName, const std::vector<Byte>& Data)
{
    std::FILE* f = std::fopen(FileName.c_str(), "wb");
    if (!f)
        throw EFCreateError("Cannot create file \"" + FileName + "\". " + SysErrorMessage(errno));
    const bool ok = std::fwrite(Data.data(), 1, Data.size(), f) == Data.size();
    const int err = errno;
    const bool closed = std::fclose(f) == 0;
    if (!ok || !closed)
        throw EWriteError("Cannot write file \"" + FileName + "\". " + SysErrorMessage(err));
}
