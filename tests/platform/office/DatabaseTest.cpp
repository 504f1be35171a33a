// Database files: without a tool that writes them, only the refusals are checked here.
#include <gtest/gtest.h>

#include "platform/office/Database.h"
#include "tests/support/TestSupport.h"

TEST(Database, UnreadableFilesSayWhatIsWrong)
{
    const std::string dir = TestDir("office-db").string();
    WriteBytes(dir + "/text.mdb", std::string(8192, 'x'));
    const struct {
        std::string file;
        const char* why;
    } cases[] = {
        {dir + "/missing.mdb", "file not found"},
        {dir + "/text.mdb", "not a database file"},
    };
    for (const auto& k : cases) {
        EXPECT_EQ(ErrorOf([&] { ReadDbTable(k.file, "T"); }),
                  "EDatabaseError: Cannot read database " + k.file + ": " + k.why);
        EXPECT_EQ(ErrorOf([&] { ReadDbQuery(k.file, "SELECT * FROM T"); }),
                  "EDatabaseError: Cannot read database " + k.file + ": " + k.why);
    }
}
