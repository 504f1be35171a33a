#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <csignal>
#include <spawn.h>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/core/Synchronize.h"
#include "platform/win/Paths.h"
#include "platform/win/SingleInstance.h"

extern char** environ;

namespace {

const char* const MutexName = "ZorvaneTest";

AnsiString ResultFile() { return ZorvanePrefix() + "/second-start.txt"; }

// Started again with ZV_SECOND_START set, this program is the second instance:
// it sees the mutex taken, asks the first for the front, writes what happened and ends.
const bool SecondStartDone = [] {
    if (!std::getenv("ZV_SECOND_START"))
        return false;
    TNamedMutex mutex(MutexName);
    bool exists = mutex.AlreadyExists();
    bool activated = exists && ActivateRunningInstance(MutexName);
    std::ofstream(ResultFile()) << "exists=" << exists << " activated=" << activated;
    std::_Exit(0);
}();

const char* const KilledName = "ZorvaneKilled";

AnsiString ReadyFile() { return ZorvanePrefix() + "/first-start-ready.txt"; }

// Started with ZV_FIRST_START set, this program is a first instance that holds
// the mutex until it is killed.
const bool FirstStartDone = [] {
    if (!std::getenv("ZV_FIRST_START"))
        return false;
    TNamedMutex mutex(KilledName);
    std::ofstream(ReadyFile()) << (mutex.AlreadyExists() ? "second" : "first");
    for (;;)
        pause();
}();

// Starts this test program again with Variable set.
pid_t SpawnSelf(const char* Variable)
{
    setenv(Variable, "1", 1);
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    char* argv[] = {self.data(), nullptr};
    pid_t pid = 0;
    int rc = posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, environ);
    unsetenv(Variable);
    return rc == 0 ? pid : -1;
}

// Starts this test program again as the second instance.
pid_t SpawnSecondStart() { return SpawnSelf("ZV_SECOND_START"); }

} // namespace

TEST(SingleInstance, SecondProcessSeesTheMutexAndActivatesTheFirst)
{
    std::remove(ResultFile().c_str());
    TNamedMutex mutex(MutexName);
    ASSERT_FALSE(mutex.AlreadyExists());
    int requests = 0;
    bool onMain = false;
    SetActivationHandler([&] {
        ++requests;
        onMain = IsMainThread();
    });

    pid_t child = SpawnSecondStart();
    ASSERT_GT(child, 0);
    int status = 0;
    bool exited = false;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline && (!exited || requests == 0)) {
        CheckSynchronize(10); // the request arrives as a queued call
        if (!exited && waitpid(child, &status, WNOHANG) == child)
            exited = true;
    }
    SetActivationHandler(nullptr);
    ASSERT_TRUE(exited) << "second start hangs";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::ifstream in(ResultFile());
    std::stringstream result;
    result << in.rdbuf();
    EXPECT_EQ(result.str(), "exists=1 activated=1");
    EXPECT_EQ(requests, 1);
    EXPECT_TRUE(onMain);
}

TEST(SingleInstance, MutexIsFreeAgainAfterRelease)
{
    auto first = std::make_unique<TNamedMutex>("ZorvaneTest2");
    EXPECT_FALSE(first->AlreadyExists());
    {
        TNamedMutex second("ZorvaneTest2"); // another open of the lock file, as another process would
        EXPECT_TRUE(second.AlreadyExists());
    }
    first.reset();
    TNamedMutex third("ZorvaneTest2");
    EXPECT_FALSE(third.AlreadyExists());
    EXPECT_FALSE(ActivateRunningInstance("NobodyListens"));
}

TEST(SingleInstance, KilledFirstInstanceLetsTheNextStartBeFirst)
{
    std::remove(ReadyFile().c_str());
    pid_t first = SpawnSelf("ZV_FIRST_START");
    ASSERT_GT(first, 0);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    std::string role;
    while (role.empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::ifstream(ReadyFile()) >> role;
    }
    {
        EXPECT_EQ(role, "first");
        TNamedMutex second(KilledName);
        EXPECT_TRUE(second.AlreadyExists());
    }
    kill(first, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(first, &status, 0), first);

    // The lock went with the process; its socket file stayed behind and is taken over.
    const AnsiString socketFile = ZorvanePrefix() + "/" + KilledName + ".sock";
    EXPECT_TRUE(std::filesystem::exists(socketFile));
    auto next = std::make_unique<TNamedMutex>(KilledName);
    EXPECT_FALSE(next->AlreadyExists());
    int requests = 0;
    SetActivationHandler([&] { ++requests; });
    EXPECT_TRUE(ActivateRunningInstance(KilledName));
    for (int i = 0; i < 200 && requests == 0; ++i)
        CheckSynchronize(10);
    SetActivationHandler(nullptr);
    EXPECT_EQ(requests, 1);
    // A clean end removes the socket file.
    next.reset();
    EXPECT_FALSE(std::filesystem::exists(socketFile));
    EXPECT_FALSE(ActivateRunningInstance(KilledName));
}
