#include "tools/instrument-sim/SimPrefix.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/Exceptions.h"
#include "platform/serial/SerialDevice.h"

namespace fs = std::filesystem;

AnsiString SimPortLinkPath(int port)
{
    return SerialLinkDir() + "/com" + std::to_string(port);
}

void CreatePortLink(const AnsiString& link, const AnsiString& target)
{
    std::error_code ec;
    fs::create_directories(fs::path(link).parent_path(), ec);
    struct stat st{};
    if (::lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode))
            throw EOSError(link + " exists and is not a link; not replacing it");
        ::unlink(link.c_str());
    }
    if (::symlink(target.c_str(), link.c_str()) != 0)
        throw EOSError("Cannot create " + link + ": " + std::strerror(errno));
}

void RemovePortLink(const AnsiString& link, const AnsiString& target)
{
    char buf[4096];
    ssize_t n = ::readlink(link.c_str(), buf, sizeof buf - 1);
    if (n < 0)
        return;
    if (AnsiString(buf, static_cast<size_t>(n)) == target)
        ::unlink(link.c_str());
}
