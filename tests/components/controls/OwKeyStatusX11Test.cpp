// The lock-key status read from an X server: the test starts a virtual X server (Xvfb),
// runs itself again on it, and there toggles Caps Lock and Num Lock as a keyboard would
// (xdotool). Skipped, saying why, where neither can be started.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "components/controls/Owsystem.h"
#include "platform/forms/TestInput.h"
#include "tests/support/TestSupport.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

const char* const kChildFlag = "ZV_LOCKKEYS_ON_X";

bool OnPath(const char* Program)
{
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "");
    for (std::string d; std::getline(dirs, d, ':');)
        if (!d.empty() && access((fs::path(d) / Program).c_str(), X_OK) == 0)
            return true;
    return false;
}

pid_t Spawn(const std::vector<std::string>& Args, const std::vector<std::string>& Env, const std::string& Output)
{
    std::vector<char*> argv, envp;
    for (const std::string& a : Args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // Env overrides this process's environment (DISPLAY, the toolkit's platform).
    std::vector<std::string> env(Env);
    for (char** e = environ; *e; ++e) {
        const std::string v(*e);
        const auto named = [&](const std::string& o) { return v.compare(0, o.find('=') + 1, o, 0, o.find('=') + 1) == 0; };
        if (std::none_of(Env.begin(), Env.end(), named))
            env.push_back(v);
    }
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, Output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&fa, 1, 2);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &fa, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&fa);
    return pid;
}

// A display number no X server uses, with the server started on it; -1 when none starts.
int StartXvfb(pid_t& Server, const std::string& Log)
{
    for (int n = 91; n < 120; ++n) {
        const fs::path socket = "/tmp/.X11-unix/X" + std::to_string(n);
        const fs::path lock = "/tmp/.X" + std::to_string(n) + "-lock";
        if (fs::exists(socket) || fs::exists(lock))
            continue;
        Server = Spawn({"Xvfb", ":" + std::to_string(n), "-nolisten", "tcp", "-screen", "0", "640x480x24"}, {}, Log);
        if (Server < 0)
            return -1;
        for (int i = 0; i < 100; ++i) {
            if (fs::exists(socket))
                return n;
            int status = 0;
            if (waitpid(Server, &status, WNOHANG) == Server)
                break; // it ended: the number was taken after all, try the next
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        kill(Server, SIGTERM);
        waitpid(Server, nullptr, 0);
    }
    return -1;
}

int Wait(pid_t Pid)
{
    int status = 0;
    if (waitpid(Pid, &status, 0) != Pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Presses a key on the X server the application talks to, as the keyboard would.
void PressOnX(const char* KeySym)
{
    const std::string out = (TestDir("lockkeys-on-x") / "xdotool.txt").string();
    ASSERT_EQ(Wait(Spawn({"xdotool", "key", KeySym}, {}, out)), 0) << ReadBytes(out);
}

// Runs the loop until the watched keys become Want (the component polls every 100 ms).
bool KeysBecome(TOwKeyStatus& K, TOwKeyStateTypes Want)
{
    for (int i = 0; i < 50 && K.Keys() != Want; ++i)
        TestInput::RunFor(100);
    return K.Keys() == Want;
}

TEST(KeyStatusOnX, LockKeysAreReadAsTheKeyboardTogglesThem)
{
    if (!std::getenv(kChildFlag)) {
        if (!OnPath("Xvfb") || !OnPath("xdotool"))
            GTEST_SKIP() << "Xvfb or xdotool is not installed (scripts/setup.sh installs both): "
                            "no X server to read the lock keys from";
        const std::string log = (TestDir("lockkeys") / "xvfb.txt").string();
        pid_t server = -1;
        const int display = StartXvfb(server, log);
        if (display < 0)
            GTEST_SKIP() << "no X server could be started: " << ReadBytes(log);
        const std::string out = (TestDir("lockkeys") / "child.txt").string();
        const pid_t child = Spawn({fs::read_symlink("/proc/self/exe").string(),
                                   "--gtest_filter=KeyStatusOnX.LockKeysAreReadAsTheKeyboardTogglesThem"},
                                  {std::string(kChildFlag) + "=1", "DISPLAY=:" + std::to_string(display),
                                   "QT_QPA_PLATFORM=xcb"},
                                  out);
        const int rc = child < 0 ? -1 : Wait(child);
        kill(server, SIGTERM);
        Wait(server);
        EXPECT_EQ(rc, 0) << ReadBytes(out);
        return;
    }
    // Here on the X server: all locks off at the start.
    TOwKeyStatus k(nullptr);
    int changes = 0;
    k.OnChange = [&](TObject*) { ++changes; };
    k.SetMonitorEvents(true);
    ASSERT_TRUE(KeysBecome(k, 0));
    EXPECT_EQ(changes, 0);
    PressOnX("Caps_Lock");
    ASSERT_TRUE(KeysBecome(k, 1u << ksCAPS));
    EXPECT_EQ(changes, 1);
    PressOnX("Num_Lock");
    ASSERT_TRUE(KeysBecome(k, (1u << ksCAPS) | (1u << ksNUM)));
    EXPECT_EQ(changes, 2);
    PressOnX("Caps_Lock");
    PressOnX("Num_Lock");
    ASSERT_TRUE(KeysBecome(k, 0));
    // Shift is no lock key.
    PressOnX("Shift_L");
    TestInput::RunFor(300);
    EXPECT_EQ(k.Keys(), 0u);
}

} // namespace
