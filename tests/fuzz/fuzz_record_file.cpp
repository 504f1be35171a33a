// The base library's record files: a header and fixed-size records read from a file of
// any content. The first two bytes pick the header and record sizes.
#include <vector>

#include "baselib/sl_binfile.h"
#include "baselib/sl_dirlist.h"
#include "tests/fuzz/FuzzSupport.h"

// A folder listing as the base library writes it.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return Fuzz::WriteSeedsIfAsked([] {
        const std::string path = Fuzz::ScratchPath("seed.dir");
        {
            TDirListFile dir;
            dir.SetPTL(std::filesystem::temp_directory_path().string());
            dir.SetFileName(path);
            dir.Create();
            dir.Close();
        }
        Fuzz::Seed("dirlist", std::string{char(TDirListFile::HeadBytes / 2), char(TDirListFile::RecBytes / 2)} +
            Fuzz::FileBytes(path));
        std::remove(path.c_str());
    });
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size)
{
    if (Size < 2)
        return 0;
    const unsigned head = Data[0] * 2u, rec = Data[1] ? Data[1] * 2u : 1u;
    TBinFile file(head, rec);
    file.SetFileName(Fuzz::AsFile(Data + 2, Size - 2, ".dat"));
    std::vector<char> header(head + 1), record(rec + 1);
    try {
        file.Open();
        file.ReadHeader(header.data());
        const std::int32_t n = file.RecCount();
        for (std::int32_t i = 0; i < n && i < 64; ++i)
            file.ReadRecord(record.data(), i);
        file.Close();
    } catch (const Exception&) {
    }
    return 0;
}
