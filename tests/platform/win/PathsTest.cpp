#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/win/Paths.h"

namespace {

// Sets (or with nullopt unsets) an environment variable for one scope.
class EnvVar {
public:
    EnvVar(const char* name, std::optional<std::string> value) : FName(name)
    {
        if (const char* old = std::getenv(name))
            FOld = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~EnvVar()
    {
        if (FOld)
            setenv(FName, FOld->c_str(), 1);
        else
            unsetenv(FName);
    }

private:
    const char* FName;
    std::optional<std::string> FOld;
};

} // namespace

TEST(Paths, PrefixFromTheEnvironment)
{
    {
        EnvVar prefix("ZORVANE_PREFIX", "/opt/zv/");
        EXPECT_EQ(ZorvanePrefix(), "/opt/zv");
    }
    {
        EnvVar prefix("ZORVANE_PREFIX", std::nullopt);
        EnvVar xdg("XDG_DATA_HOME", "/data");
        EXPECT_EQ(ZorvanePrefix(), "/data/zorvane");
    }
    {
        EnvVar prefix("ZORVANE_PREFIX", std::nullopt);
        EnvVar xdg("XDG_DATA_HOME", std::nullopt);
        EnvVar home("HOME", "/home/user");
        EXPECT_EQ(ZorvanePrefix(), "/home/user/.local/share/zorvane");
    }
    {
        // Empty counts as unset, and a relative data folder is invalid.
        EnvVar prefix("ZORVANE_PREFIX", "");
        EnvVar xdg("XDG_DATA_HOME", "data");
        EnvVar home("HOME", "/home/user/");
        EXPECT_EQ(ZorvanePrefix(), "/home/user/.local/share/zorvane");
    }
}

TEST(Paths, WindowsPathsLiveUnderTheDriveFolderOfThePrefix)
{
    EnvVar prefix("ZORVANE_PREFIX", "/p");
    struct Case {
        const char* windows;
        const char* mapped;
    };
    const Case cases[] = {
        {"C:\\Zorvane\\GraphView\\x.bmp", "/p/drive_c/Zorvane/GraphView/x.bmp"},
        {"c:/Zorvane/ListSetup", "/p/drive_c/Zorvane/ListSetup"},
        {"C:\\Zorvane\\GraphView\\", "/p/drive_c/Zorvane/GraphView/"},
        {"D:\\Data\\a.txt", "/p/drive_d/Data/a.txt"},
        {"C:", "/p/drive_c"},
        {"C:name.txt", "/p/drive_c/name.txt"},
        {"C:\\Program Files (x86)\\ZorvanePC\\Zorvane_PC.exe", "/p/drive_c/Program Files (x86)/ZorvanePC/Zorvane_PC.exe"},
        // Already mapped, with a name appended the Windows way.
        {"/p/drive_c/Zorvane/LiveMeasResult\\211125-093015-LiveMeasResult.txt",
         "/p/drive_c/Zorvane/LiveMeasResult/211125-093015-LiveMeasResult.txt"},
        {"relative\\file.txt", "relative/file.txt"},
        {"C:\\", "/p/drive_c/"},
        {"c:/", "/p/drive_c/"},
        {"c:\\ZORVANE\\GraphView/Mixed.BMP", "/p/drive_c/ZORVANE/GraphView/Mixed.BMP"},
        {"C:\\Zorvane\\\\ListSetup\\.\\a.txt", "/p/drive_c/Zorvane/ListSetup/a.txt"},
        // ".." resolves inside the drive and stops at its root, as on Windows.
        {"C:\\Zorvane\\..\\Data\\b.txt", "/p/drive_c/Data/b.txt"},
        {"C:\\..\\..\\etc\\passwd", "/p/drive_c/etc/passwd"},
        {"C:..\\x", "/p/drive_c/x"},
        {"C:\\Zorvane\\..\\..\\", "/p/drive_c/"},
        {"/p/drive_c/Zorvane\\..\\..\\..\\etc\\passwd", "/p/drive_c/etc/passwd"},
        {"/p/drive_c/..", "/p/drive_c"},
        // Not a drive folder of the prefix: left alone.
        {"/p/drive_cx/../y", "/p/drive_cx/../y"},
        {"..\\up.txt", "../up.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MapWindowsPath(c.windows), c.mapped) << c.windows;
}
