#pragma once
// What the fuzz targets share: a headless application made once, a private prefix folder,
// dialogs answered without showing, and the input as a file when the parser reads files.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <unistd.h>

#include "platform/core/Types.h"
#include "platform/forms/Application.h"
#include "platform/forms/ModalScript.h"

namespace Fuzz {

inline void EnsureApplication()
{
    if (Application)
        return;
    static int argc = 1;
    static char name[] = "zorvane_fuzz";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static const std::string prefix = "/tmp/zorvane-fuzz-" + std::to_string(::getpid());
    setenv("ZORVANE_PREFIX", prefix.c_str(), 1);
    CreateApplication(argc, argv);
    // Boxes a hostile file raises are answered, never shown.
    ModalScript::SetStrict(true);
}

inline std::string Bytes(const std::uint8_t* Data, size_t Size) { return std::string(reinterpret_cast<const char*>(Data), Size); }

// The input written to a file of this process with the given extension; its path.
inline AnsiString AsFile(const std::uint8_t* Data, size_t Size, const char* Extension)
{
    static const std::string dir = [] {
        const std::string d = "/tmp/zorvane-fuzz-files-" + std::to_string(::getpid());
        std::system(("mkdir -p " + d).c_str());
        return d;
    }();
    const AnsiString path = dir + "/input" + Extension;
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(Data),
        static_cast<std::streamsize>(Size));
    return path;
}

// A file's bytes.
inline std::string FileBytes(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A seed input: with ZV_FUZZ_SEEDS=<folder> a target writes its seeds there (made with the
// program's own writers) and ends instead of fuzzing.
inline void Seed(const std::string& Name, const std::string& Bytes)
{
    const std::filesystem::path dir = std::getenv("ZV_FUZZ_SEEDS");
    std::filesystem::create_directories(dir);
    std::ofstream(dir / Name, std::ios::binary).write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
}

// A scratch file for a writer whose output becomes a seed.
inline std::string ScratchPath(const std::string& Name)
{
    return (std::filesystem::temp_directory_path() / ("zorvane-fuzz-" + std::to_string(::getpid()) + "-" + Name)).string();
}

// For LLVMFuzzerInitialize: runs Write and ends when seeds were asked for.
inline int WriteSeedsIfAsked(const std::function<void()>& Write)
{
    if (!std::getenv("ZV_FUZZ_SEEDS"))
        return 0;
    Write();
    std::exit(0);
}

} // namespace Fuzz

