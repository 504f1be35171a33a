// zorvane-sim as a person starts it: it links port N, answers through the link, logs with -v,
// and takes the link away when it is stopped.
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/core/Exceptions.h"

#include "tests/tools/instrument-sim/SimClient.h"

namespace {

bool WaitForPath(const AnsiString& path, bool present, int timeoutMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    struct stat st{};
    while ((::lstat(path.c_str(), &st) == 0) != present) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

struct TChild {
    pid_t Pid = -1;
    int Out = -1;  // its standard output

    TChild(std::vector<std::string> args)
    {
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        Pid = ::fork();
        if (Pid == 0) {
            ::dup2(fds[1], 1);
            ::close(fds[0]);
            ::close(fds[1]);
            std::vector<char*> argv;
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(fds[1]);
        Out = fds[0];
    }

    // Stops it with a signal; its exit status and everything it printed.
    int Stop(int sig, AnsiString& output)
    {
        ::kill(Pid, sig);
        int status = 0;
        ::waitpid(Pid, &status, 0);
        char buf[4096];
        ssize_t n;
        while ((n = ::read(Out, buf, sizeof buf)) > 0)
            output.append(buf, static_cast<size_t>(n));
        ::close(Out);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

} // namespace

TEST(SimProgram, AnswersThroughItsLinkAndRemovesItWhenStopped)
{
    EnsureTestPrefix();
    AnsiString link = SerialPortLinkPath(5);
    ::unlink(link.c_str());
    for (int sig : {SIGTERM, SIGINT}) {
        TChild child({ZORVANE_SIM_PROGRAM, "--port", "5", "--model", "ZVC", "--dut", "ind", "-v"});
        ASSERT_GT(child.Pid, 0);
        ASSERT_TRUE(WaitForPath(link, true, 5000));
        {
            TSimClient c(5);
            ASSERT_TRUE(c.IsOpen());
            EXPECT_EQ(c.Query("*IDN?"), "ZVC,V1.06,ZV24050117,");
            EXPECT_EQ(c.Query("FUNC:IMP:AUTO ON;:FUNC?"), "Ls-Q");  // the inductor
        }
        AnsiString output;
        EXPECT_EQ(child.Stop(sig, output), 0);
        EXPECT_TRUE(WaitForPath(link, false, 0));
        EXPECT_NE(output.find("listening on /dev/pts/"), AnsiString::npos) << output;
        EXPECT_NE(output.find(link), AnsiString::npos) << output;
        EXPECT_NE(output.find("<< *IDN?"), AnsiString::npos) << output;
        EXPECT_NE(output.find(">> ZVC,V1.06,ZV24050117,\\n"), AnsiString::npos) << output;
    }
}

TEST(SimProgram, FaultSwitchesShapeTheRepliesAndTheLineHangsUp)
{
    EnsureTestPrefix();
    AnsiString link = SerialPortLinkPath(6);
    ::unlink(link.c_str());
    TChild child({ZORVANE_SIM_PROGRAM, "--port", "6", "--crlf", "--garbage=XY", "--only-for", "*IDN", "--hang-up-after",
                  "1"});
    ASSERT_GT(child.Pid, 0);
    ASSERT_TRUE(WaitForPath(link, true, 5000));
    TSimClient c(6);
    ASSERT_TRUE(c.IsOpen());
    EXPECT_EQ(c.Query("*IDN?"), "XYE,V1.06,ZV24050117,\r");
    EXPECT_EQ(c.Query("FUNC?"), "Cp-D"); // only the identification is hit
    // The line goes dead a second after the start.
    unsigned events = 0;
    ASSERT_TRUE(c.Device().WaitEvents(EV_RXCHAR, events, 5000));
    EXPECT_EQ(events, EV_HANGUP);
    AnsiString output;
    EXPECT_EQ(child.Stop(SIGTERM, output), 0);
    EXPECT_NE(output.find("hung up after 1 s"), AnsiString::npos) << output;
}

TEST(SimProgram, RefusesBadArguments)
{
    for (std::vector<std::string> args :
         {std::vector<std::string>{"--port", "21"}, {"--model", "ZVF"}, {"--dut", "diode"}, {"--frobnicate"},
          {"--slow=soon"}, {"--silence=2"}, {"--hang-up-after"}, {"--split=1"}}) {
        args.insert(args.begin(), ZORVANE_SIM_PROGRAM);
        TChild child(args);
        int status = 0;
        ::waitpid(child.Pid, &status, 0);
        ::close(child.Out);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << args[1];
    }
}
