// A save replaces its file whole or leaves the old one.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/core/SafeSave.h"

#include "tests/support/TestSupport.h"

namespace {

// Bytes From..From+Size of a text in which no stretch repeats soon, so that a piece out of
// place shows.
std::string Pattern(size_t From, size_t Size)
{
    std::string s(Size, '\0');
    for (size_t i = 0; i < Size; ++i)
        s[i] = static_cast<char>('a' + ((From + i) * 7 + (From + i) / 997) % 26);
    return s;
}

} // namespace

// Pieces small and large, across the gathering buffer and the points where the disk is
// set to work, arrive in order and whole.
TEST(SafeSave, CommitPutsEveryPieceInOrder)
{
    const std::string path = (TestDir("safesave") / "pieces.txt").string();
    const std::vector<std::vector<size_t>> cases = {
        {},                                   // an empty file
        {5, 0, 17},                           // small pieces only
        {100, 70 << 10, 3},                   // a piece written without gathering
        {(1 << 20) - 1, 2, (1 << 20) + 5},    // around the buffer's size
        {9 << 20, 1},                         // past the first start of the disk's writing
    };
    for (const auto& pieces : cases) {
        WriteBytes(path, "the old file");
        std::string all;
        TSafeSave save(path);
        ASSERT_TRUE(save.IsOpen());
        for (size_t n : pieces) {
            const std::string piece = Pattern(all.size(), n);
            all += piece;
            EXPECT_TRUE(save.Write(piece));
        }
        EXPECT_EQ(ReadBytes(path), "the old file"); // nothing replaced before the commit
        EXPECT_TRUE(save.Commit());
        EXPECT_EQ(ReadBytes(path), all) << pieces.size() << " pieces";
        EXPECT_FALSE(std::filesystem::exists(SavingPath(path)));
    }
}

TEST(SafeSave, GivenUpOrDroppedTheOldFileStays)
{
    const std::string path = (TestDir("safesave") / "kept.txt").string();
    WriteBytes(path, "the old file");
    {
        TSafeSave save(path);
        save.Write(Pattern(0, 3 << 20));
        save.Abandon();
        EXPECT_FALSE(save.Commit());
    }
    {
        TSafeSave save(path);
        save.Write("half");
    }
    EXPECT_EQ(ReadBytes(path), "the old file");
    EXPECT_FALSE(std::filesystem::exists(SavingPath(path)));
    // The next save starts empty: nothing of the dropped one's gathered bytes comes with it.
    {
        TSafeSave save(path);
        save.Write("new");
        EXPECT_TRUE(save.Commit());
    }
    EXPECT_EQ(ReadBytes(path), "new");
    // No folder: nothing to write into, nothing left behind.
    TSafeSave nowhere((TestDir("safesave") / "no" / "such.txt").string());
    EXPECT_FALSE(nowhere.IsOpen());
    EXPECT_FALSE(nowhere.Write("x"));
    EXPECT_FALSE(nowhere.Commit());
}

// A disk that takes only part of the bytes (here a file-size limit, which binds root too)
// fails the save: the old file stays and the cut-off one goes. Set in a child process.
TEST(SafeSave, FailedWriteLeavesTheOldFile)
{
    const std::string path = (TestDir("safesave") / "cut.txt").string();
    WriteBytes(path, "the old file");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{1 << 20, 1 << 20};
        setrlimit(RLIMIT_FSIZE, &small);
        TSafeSave save(path);
        bool wrote = true;
        for (int i = 0; i < 4; ++i)
            wrote = save.Write(Pattern(0, 600 << 10)) && wrote;
        const bool committed = save.Commit();
        _exit((wrote ? 10 : 0) + (committed ? 1 : 0));
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0); // a write and the commit failed
    EXPECT_EQ(ReadBytes(path), "the old file");
    EXPECT_FALSE(std::filesystem::exists(SavingPath(path)));
}
