#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <spawn.h>
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

// Starts this test program again as the second instance.
pid_t SpawnSecondStart()
{
    setenv("ZV_SECOND_START", "1", 1);
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    char* argv[] = {self.data(), nullptr};
    pid_t pid = 0;
    int rc = posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, environ);
    unsetenv("ZV_SECOND_START");
    return rc == 0 ? pid : -1;
}

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
