#include "platform/win/SingleInstance.h"

#include <cerrno>
#include <cstring>
#include <functional>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/core/FileUtils.h"
#include "platform/core/Synchronize.h"
#include "platform/win/Paths.h"

namespace {

constexpr char ActivateRequest[] = "activate\n";
constexpr char ActivateReply[] = "ok\n";

std::mutex& HandlerLock()
{
    static std::mutex m;
    return m;
}

std::function<void()>& Handler()
{
    static std::function<void()> h;
    return h;
}

// The socket address of Name; a path too long for sun_path falls back to an
// abstract name derived from it.
socklen_t SocketAddress(const AnsiString& Name, sockaddr_un& addr, AnsiString& fileName)
{
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    fileName = ZorvanePrefix() + "/" + Name + ".sock";
    if (fileName.size() < sizeof addr.sun_path) {
        std::memcpy(addr.sun_path, fileName.c_str(), fileName.size() + 1);
        return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + fileName.size() + 1);
    }
    AnsiString abstractName = "zorvane-" + std::to_string(std::hash<std::string>{}(fileName));
    fileName.clear();
    addr.sun_path[0] = '\0';
    std::memcpy(addr.sun_path + 1, abstractName.data(), abstractName.size());
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + abstractName.size());
}

void WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        data += n;
        size -= static_cast<size_t>(n);
    }
}

// Reads until a line end, at most a few bytes, waiting at most TimeoutMs.
AnsiString ReadLine(int fd, int TimeoutMs)
{
    AnsiString line;
    while (line.size() < 64) {
        pollfd p{fd, POLLIN, 0};
        int r = ::poll(&p, 1, TimeoutMs);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        char c;
        ssize_t n = ::recv(fd, &c, 1, 0);
        if (n <= 0)
            break;
        line += c;
        if (c == '\n')
            break;
    }
    return line;
}

} // namespace

struct TNamedMutex::TListener {
    int fd = -1;
    int wake[2] = {-1, -1};
    AnsiString fileName;
    std::thread thread;

    ~TListener()
    {
        if (wake[1] >= 0) {
            ssize_t n = ::write(wake[1], "x", 1);
            (void)n;
        }
        if (thread.joinable())
            thread.join();
        for (int f : {fd, wake[0], wake[1]})
            if (f >= 0)
                ::close(f);
        if (!fileName.empty())
            ::unlink(fileName.c_str());
    }

    void Run()
    {
        while (true) {
            pollfd p[2] = {{fd, POLLIN, 0}, {wake[0], POLLIN, 0}};
            int r = ::poll(p, 2, -1);
            if (r < 0 && errno == EINTR)
                continue;
            if (r < 0 || (p[1].revents & POLLIN))
                return;
            if (!(p[0].revents & POLLIN))
                continue;
            int client = ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0)
                continue;
            if (ReadLine(client, 1000) == ActivateRequest) {
                QueueOnMainThread([] {
                    std::function<void()> h;
                    {
                        std::lock_guard lock(HandlerLock());
                        h = Handler();
                    }
                    if (h)
                        h();
                });
                WriteAll(client, ActivateReply, sizeof ActivateReply - 1);
            }
            ::close(client);
        }
    }
};

TNamedMutex::TNamedMutex(const AnsiString& Name) : FName(Name)
{
    AnsiString prefix = ZorvanePrefix();
    ForceDirectories(prefix);
    AnsiString lockName = prefix + "/" + Name + ".lock";
    FLockFd = ::open(lockName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (FLockFd < 0)
        return; // no place for the lock: run as the only instance
    if (::flock(FLockFd, LOCK_EX | LOCK_NB) != 0) {
        FAlreadyExists = errno == EWOULDBLOCK;
        ::close(FLockFd);
        FLockFd = -1;
        return;
    }

    // We hold the lock, so a socket file left by a crashed instance is stale.
    auto listener = std::make_unique<TListener>();
    sockaddr_un addr{};
    socklen_t len = SocketAddress(Name, addr, listener->fileName);
    if (!listener->fileName.empty())
        ::unlink(listener->fileName.c_str());
    listener->fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener->fd < 0 || ::bind(listener->fd, reinterpret_cast<sockaddr*>(&addr), len) != 0 ||
        ::listen(listener->fd, 4) != 0 || ::pipe2(listener->wake, O_CLOEXEC) != 0) {
        listener->fileName.clear(); // not ours to remove
        return; // the mutex still holds; a second start just cannot reach us
    }
    TListener* l = listener.get();
    listener->thread = std::thread([l] { l->Run(); });
    FListener = std::move(listener);
}

TNamedMutex::~TNamedMutex() { Release(); }

void TNamedMutex::Release()
{
    FListener.reset();
    if (FLockFd >= 0) {
        ::flock(FLockFd, LOCK_UN);
        ::close(FLockFd);
        FLockFd = -1;
    }
}

void SetActivationHandler(std::function<void()> NewHandler)
{
    std::lock_guard lock(HandlerLock());
    Handler() = std::move(NewHandler);
}

bool ActivateRunningInstance(const AnsiString& Name)
{
    sockaddr_un addr{};
    AnsiString fileName;
    socklen_t len = SocketAddress(Name, addr, fileName);
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool ok = false;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), len) == 0) {
        WriteAll(fd, ActivateRequest, sizeof ActivateRequest - 1);
        ok = ReadLine(fd, 2000) == ActivateReply;
    }
    ::close(fd);
    return ok;
}
