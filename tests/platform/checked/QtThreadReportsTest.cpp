#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

namespace {

struct ProbeRun {
    int exitCode = -1;
    std::string output;
};

ProbeRun RunProbe(const std::string& arguments)
{
    ProbeRun run;
    const std::string command = "QT_QPA_PLATFORM=offscreen \"" ZV_RACE_PROBE "\" " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
        run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

int Count(const std::string& text, const std::string& what)
{
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

// Qt paints on the calling thread, without its pool, and leaves no report; a race
// between two threads of ours still is reported, and fails the program.
TEST(QtThreadReports, OnlyRacesBetweenOurThreadsAreReported)
{
    const struct {
        const char* arguments;
        int reports;
    } cases[] = {{"", 0}, {"--race", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const ProbeRun run = RunProbe(c.arguments);
        std::smatch pool;
        ASSERT_TRUE(std::regex_search(run.output, pool, std::regex("pool threads ([0-9]+)"))) << run.output;
        EXPECT_EQ(std::stoi(pool[1]), 0) << "Qt's pool is in use in this build";
        EXPECT_EQ(Count(run.output, "WARNING: ThreadSanitizer"), c.reports) << run.output;
        if (c.reports > 0) {
            EXPECT_NE(run.output.find("RaceOnPurpose"), std::string::npos) << run.output;
        }
        EXPECT_EQ(run.exitCode, c.reports > 0 ? 66 : 0);
    }
}
