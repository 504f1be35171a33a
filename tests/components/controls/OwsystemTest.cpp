// File copy and directory scan on real temporary folders, the run-once guard and the
// lock-key status.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <vector>

#include "components/controls/Owsystem.h"
#include "platform/core/Exceptions.h"
#include "platform/forms/Application.h"
#include "platform/win/SingleInstance.h"
#include "tests/support/TestOutput.h"

namespace fs = std::filesystem;

namespace {

struct TempDir : ::testing::Test {
    fs::path dir;
    void SetUp() override
    {
        dir = fs::path(TestOutputPath("owsystem")) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override
    {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    AnsiString Write(const fs::path& rel, size_t size, char fill = 'x')
    {
        const fs::path p = dir / rel;
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << std::string(size, fill);
        return p.string();
    }
};

using FileCopy = TempDir;

TEST_F(FileCopy, CopiesInChunksWithTheSourceDate)
{
    struct Case {
        size_t size;
        std::vector<Int64> progress;
    };
    const Case cases[] = {{2500, {1024, 2048, 2500}}, {2048, {1024, 2048, 2048}}, {0, {0}}};
    for (const Case& c : cases) {
        TOwCopyFile copy(nullptr);
        copy.SourceFile = Write("src.bin", c.size);
        copy.DestFile = (dir / "dst.bin").string();
        FileSetDate(copy.SourceFile, FileAge(copy.SourceFile) - (1 << 16)); // a day earlier
        std::vector<Int64> seen;
        copy.OnProgress = [&](TObject*, Int64 n, bool&) { seen.push_back(n); };
        int after = 0;
        copy.AfterCopy = [&](TObject*) { ++after; };
        EXPECT_TRUE(copy.Execute());
        EXPECT_EQ(seen, c.progress);
        EXPECT_EQ(after, 1);
        EXPECT_EQ(fs::file_size(copy.DestFile), c.size);
        EXPECT_EQ(FileAge(copy.DestFile), FileAge(copy.SourceFile));
        EXPECT_FALSE(fs::exists(copy.DestFile + ".part"));
    }
}

TEST_F(FileCopy, CancelLeavesNoCopyAndKeepsTheOldDestination)
{
    TOwCopyFile copy(nullptr);
    copy.SourceFile = Write("src.bin", 2500, 'n');
    copy.DestFile = Write("dst.bin", 10, 'o');
    copy.OnProgress = [&](TObject*, Int64 n, bool& cancel) { cancel = n >= 1024; };
    int after = 0;
    copy.AfterCopy = [&](TObject*) { ++after; };
    EXPECT_FALSE(copy.Execute());
    EXPECT_EQ(after, 1);
    EXPECT_EQ(fs::file_size(copy.DestFile), 10u); // untouched, no half copy in its place
    EXPECT_FALSE(fs::exists(copy.DestFile + ".part"));
    // Terminate from the progress handler, and a second Execute from it, refused.
    copy.DestFile = (dir / "new.bin").string();
    bool nested = true;
    copy.OnProgress = [&](TObject*, Int64, bool&) {
        nested = copy.Execute();
        copy.Terminate();
    };
    EXPECT_FALSE(copy.Execute());
    EXPECT_FALSE(nested);
    EXPECT_FALSE(fs::exists(copy.DestFile));
}

TEST_F(FileCopy, OverwriteAsTheHandlerSays)
{
    TOwCopyFile copy(nullptr);
    copy.SourceFile = Write("src.bin", 100);
    copy.DestFile = Write("dst.bin", 5);
    copy.Overwrite = omEvent;
    int asked = 0;
    bool answer = false;
    copy.BeforeOverwrite = [&](TObject*, bool& ok) {
        ++asked;
        ok = answer;
    };
    EXPECT_FALSE(copy.Execute());
    EXPECT_EQ(fs::file_size(copy.DestFile), 5u);
    answer = true;
    EXPECT_TRUE(copy.Execute());
    EXPECT_EQ(fs::file_size(copy.DestFile), 100u);
    fs::remove(copy.DestFile);
    EXPECT_TRUE(copy.Execute());
    EXPECT_EQ(asked, 2); // not asked for a missing destination
}

TEST_F(FileCopy, UnreadableOrMissingSourceRaisesAfterAfterCopy)
{
    // A folder given as the source is found but cannot be opened for reading, even as root;
    // a file without read permission is the same for other users.
    const AnsiString folder = (dir / "folder.bin").string();
    fs::create_directories(folder.c_str());
    const AnsiString locked = Write("locked.bin", 10);
    chmod(locked.c_str(), 0);
    std::vector<std::pair<AnsiString, bool>> cases = {{(dir / "missing.bin").string(), false}, {folder, true}};
    if (!std::ifstream(locked).good()) // root reads it anyway
        cases.push_back({locked, true});
    for (const auto& [source, exists] : cases) {
        TOwCopyFile copy(nullptr);
        copy.SourceFile = source;
        copy.DestFile = (dir / "dst.bin").string();
        int opened = 0, after = 0;
        copy.BeforeOpen = [&](TObject*, Int64, TDateTime, TDateTime) { ++opened; };
        copy.AfterCopy = [&](TObject*) { ++after; };
        EXPECT_THROW(copy.Execute(), EFOpenError) << source;
        EXPECT_EQ(after, 1);
        EXPECT_EQ(opened, exists ? 1 : 0);
        EXPECT_FALSE(fs::exists(copy.DestFile));
        EXPECT_FALSE(fs::exists(copy.DestFile + ".part"));
        EXPECT_FALSE(copy.Running());
    }
}

using DirScan = TempDir;

struct ScanLog {
    std::vector<AnsiString> paths, files;
    int notified = 0;
    void Attach(TOwDirScan& s)
    {
        s.OnPathChange = [this](TObject*, const AnsiString& p) { paths.push_back(p); };
        s.OnLocate = [this](TObject*, const AnsiString& p, const TSearchRec& r, bool&) { files.push_back(p + r.Name); };
        s.OnNotify = [this](TObject*) { ++notified; };
    }
};

TEST_F(DirScan, WalksDepthFirstWithMaskAndAttributes)
{
    Write("a.txt", 1);
    Write("b.dat", 1);
    Write(".hidden.txt", 1);
    Write("sub/c.txt", 1);
    Write("sub/deeper/d.txt", 1);
    struct Case {
        const char* mask;
        bool recursive;
        bool hidden;
        bool slash;
        size_t files;
        size_t paths;
    };
    const Case cases[] = {
        {"*.txt", true, false, false, 3, 3},  {"*.txt", true, false, true, 3, 3}, {"   ", true, false, false, 4, 3},
        {"*.txt", false, false, false, 1, 1}, {"*.txt", true, true, false, 4, 3},
    };
    for (const Case& c : cases) {
        TOwDirScan scan(nullptr);
        ScanLog log;
        log.Attach(scan);
        scan.Path = dir.string() + (c.slash ? "/" : "");
        scan.Mask = c.mask;
        scan.Recursive = c.recursive;
        if (c.hidden)
            scan.Attributes |= FileAttr(fatHidden);
        scan.Execute();
        EXPECT_EQ(log.files.size(), c.files) << c.mask << c.recursive << c.hidden;
        EXPECT_EQ(log.paths.size(), c.paths) << c.mask;
        EXPECT_EQ(log.notified, 1);
        EXPECT_EQ(log.paths.front(), dir.string() + "/");
    }
}

TEST_F(DirScan, FoldersAreReportedOnlyWithTheDirectoryAttribute)
{
    Write("a.txt", 1);
    Write("sub/b.txt", 1);
    Write(".dotdir/c.txt", 1);
    struct Case {
        const char* mask;
        TFileAttributes extra;
        std::set<AnsiString> located;
    };
    const Case cases[] = {
        {"*.*", 0, {"a.txt"}},
        {"*.*", FileAttr(fatDirectory), {".", "..", "a.txt", "sub"}},
        {"s*", FileAttr(fatDirectory), {"sub"}},
        {"*.*", FileAttr(fatDirectory) | FileAttr(fatHidden), {".", "..", ".dotdir", "a.txt", "sub"}},
        {"*.*", FileAttr(fatSystem), {"a.txt"}}, // no system files here
    };
    for (const Case& c : cases) {
        TOwDirScan scan(nullptr);
        scan.Path = dir.string();
        scan.Mask = c.mask;
        scan.Recursive = false;
        scan.Attributes |= c.extra;
        std::set<AnsiString> located;
        scan.OnLocate = [&](TObject*, const AnsiString&, const TSearchRec& r, bool&) { located.insert(r.Name); };
        scan.Execute();
        EXPECT_EQ(located, c.located) << c.mask << " " << c.extra;
    }
    // A default scan starts at the root "/" and, with folders chosen, reports its folders.
    TOwDirScan root(nullptr);
    EXPECT_EQ(root.Path, "/");
    EXPECT_EQ(root.Mask, "*.*");
    EXPECT_TRUE(root.Recursive);
    EXPECT_EQ(root.Attrib(), faArchive + faReadOnly);
    root.Recursive = false; // the whole file system is more than a test needs
    root.Attributes |= FileAttr(fatDirectory);
    ScanLog log;
    log.Attach(root);
    root.Execute();
    EXPECT_EQ(log.paths, std::vector<AnsiString>{"/"});
    EXPECT_NE(std::find(log.files.begin(), log.files.end(), "/tmp"), log.files.end());
}

TEST_F(DirScan, CancelEndsWithTheSilentAbort)
{
    Write("a.txt", 1);
    Write("b.txt", 1);
    TOwDirScan scan(nullptr);
    ScanLog log;
    log.Attach(scan);
    scan.OnLocate = [&](TObject*, const AnsiString&, const TSearchRec& r, bool& cancel) {
        log.files.push_back(r.Name);
        cancel = true;
    };
    scan.Path = dir.string();
    EXPECT_THROW(scan.Execute(), EAbort);
    EXPECT_EQ(log.files.size(), 1u);
    EXPECT_EQ(log.notified, 0);
    EXPECT_FALSE(scan.Scanning());
    // A folder that is not there: the path is reported, nothing else, and the walk ends.
    scan.Path = (dir / "none").string();
    log.Attach(scan);
    scan.Execute();
    EXPECT_EQ(log.notified, 1);
}

TEST_F(DirScan, FreedFromItsOwnWalkUnwindsSafely)
{
    Write("a.txt", 1);
    Write("sub/b.txt", 1);
    auto* scan = new TOwDirScan(nullptr);
    scan->Path = dir.string();
    int located = 0;
    scan->OnLocate = [&](TObject*, const AnsiString&, const TSearchRec&, bool&) {
        ++located;
        delete scan; // the walk must not wait for itself, nor touch the freed component
    };
    EXPECT_THROW(scan->Execute(), EAbort);
    EXPECT_EQ(located, 1);
}

// The application's title and the lock prefix for one test, put back afterwards.
struct RunOnceSetting {
    AnsiString title = Application->Title();
    const char* old = std::getenv("ZORVANE_PREFIX");
    std::string saved = old ? old : "";
    RunOnceSetting(const std::string& Prefix)
    {
        Application->SetTitle("zv run once test");
        setenv("ZORVANE_PREFIX", Prefix.c_str(), 1);
    }
    ~RunOnceSetting()
    {
        Application->SetTitle(title);
        if (old)
            setenv("ZORVANE_PREFIX", saved.c_str(), 1);
        else
            unsetenv("ZORVANE_PREFIX");
    }
};

TEST(RunOnce, OnlyAnotherHolderOfTheLockCounts)
{
    EXPECT_EQ(TOwRunOnce::LockName("a/b\\c"), "a_b_c");
    EXPECT_EQ(TOwRunOnce::LockName(std::string(300, 'x')).size(), 256u);
    // The lock lives under a prefix of the test's own.
    RunOnceSetting setting(TestOutputPath("runonce-prefix"));
    // First instance: nothing happens.
    TOwRunOnce first(nullptr);
    int exists = 0;
    first.OnExists = [&](TObject*) { ++exists; };
    first.BeginLoading();
    first.EndLoading();
    EXPECT_EQ(exists, 0);
    // Another holder of the same lock (as a second process would see it).
    TOwRunOnce second(nullptr);
    second.Terminate = false;
    second.OnExists = [&](TObject*) { ++exists; };
    second.BeginLoading();
    second.EndLoading();
    EXPECT_EQ(exists, 1);
    EXPECT_FALSE(Application->Terminated());
}

TEST(RunOnce, ALockThatCannotBeMadeLetsTheInstanceRun)
{
    // The prefix lies under a plain file: no folder, no lock file, not even for root.
    const fs::path file = fs::path(TestOutputPath("runonce-blocked"));
    fs::remove_all(file);
    std::ofstream(file) << "not a folder";
    RunOnceSetting setting((file / "prefix").string());
    // Two guards at once with the defaults (which end an instance that finds another):
    // neither lock can be made, and neither counts that as another instance.
    TOwRunOnce first(nullptr), second(nullptr);
    int exists = 0;
    for (TOwRunOnce* guard : {&first, &second}) {
        guard->OnExists = [&](TObject*) { ++exists; };
        guard->BeginLoading();
        guard->EndLoading();
    }
    EXPECT_EQ(exists, 0);
    EXPECT_FALSE(Application->Terminated());
    EXPECT_FALSE(fs::exists(file / "prefix"));
    fs::remove(file);
}

TEST(KeyStatus, KeysAreRecordedNotSet)
{
    TOwKeyStatus k(nullptr);
    int changes = 0;
    k.OnChange = [&](TObject*) { ++changes; };
    k.SetKeys(1u << ksNUM);
    k.SetKeys(1u << ksNUM);
    EXPECT_EQ(changes, 1);
    // Where the display server does not tell, a tick keeps the recorded state.
    k.SetMonitorEvents(true);
    k.Timer();
    EXPECT_EQ(k.Keys(), 1u << ksNUM);
    EXPECT_EQ(changes, 1);
}

} // namespace
