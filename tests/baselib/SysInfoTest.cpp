#include <chrono>
#include <cstring>
#include <fstream>

#include <gtest/gtest.h>

#include "baselib/sl_sysinfo.h"
#include "platform/core/FileUtils.h"
#include "platform/core/Strings.h"
#include "platform/core/Synchronize.h"
#include "platform/win/Paths.h"
#include "platform/win/SingleInstance.h"

TEST(SysInfo, SystemAndRegisteredOwner)
{
    ForceDirectories(ZorvanePrefix());
    {
        std::ofstream ini(RegistryIniFileName());
        ini << "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion]\n"
            << "RegisteredOwner=Bench Engineer\nRegisteredOrganization=" << std::string(300, 'o') << "\n";
    }
    TSysInfo info;
    EXPECT_FALSE(info.Loaded);
    EXPECT_EQ(info.OsName[0], '\0');
    const TSysInfo& i = info.OsInfo();
    EXPECT_TRUE(i.Loaded);
    EXPECT_STRNE(i.OsName, "");
    EXPECT_STREQ(i.RegisteredOwner, "Bench Engineer");
    EXPECT_EQ(std::strlen(i.RegisteredOrganization), 255u);  // cut to its field
    std::remove(RegistryIniFileName().c_str());
    TSysInfo none;
    EXPECT_STREQ(none.OsInfo().RegisteredOwner, "");
}

TEST(SysInfo, LocalHost)
{
    TLocalNetInfo net;
    EXPECT_TRUE(net.Started);
    EXPECT_FALSE(net.HostName.empty());
    for (int k = 0; k < net.IPList->Count(); ++k) {
        AnsiString ip = net.IPList->Strings(k);
        EXPECT_EQ(std::count(ip.begin(), ip.end(), '.'), 3) << ip;
    }
}

TEST(SharedMemory, SecondHolderSeesTheFirstOnesBytes)
{
    AnsiString name = "zv-test-" + std::to_string(getpid());
    TSharedMemory first(name, 64, PAGE_READWRITE);
    ASSERT_NE(first.Buffer, nullptr);
    EXPECT_FALSE(first.AlreadyExists);
    EXPECT_FALSE(first.ActiveAppWnd());  // first word zero: nothing to raise
    std::memcpy(static_cast<char*>(first.Buffer) + 8, "shared", 7);
    {
        TSharedMemory second(name, 64, PAGE_READWRITE);
        ASSERT_NE(second.Buffer, nullptr);
        EXPECT_TRUE(second.AlreadyExists);
        EXPECT_STREQ(static_cast<char*>(second.Buffer) + 8, "shared");
        second.ClearBuffer();
    }
    EXPECT_EQ(static_cast<char*>(first.Buffer)[8], '\0');
    // A set first word: the instance that runs under the name is asked to come forward.
    TNamedMutex running(name);
    int requests = 0;
    SetActivationHandler([&] { ++requests; });
    std::uintptr_t window = 1;
    std::memcpy(first.Buffer, &window, sizeof window);
    EXPECT_TRUE(first.ActiveAppWnd());
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (requests == 0 && std::chrono::steady_clock::now() < deadline)
        CheckSynchronize(10);
    SetActivationHandler(nullptr);
    EXPECT_EQ(requests, 1);

    TSharedMemory tooLong(AnsiString(300, 'n'), 64, PAGE_READWRITE);
    EXPECT_EQ(tooLong.Buffer, nullptr);
    TFileMapping closed("x", 8, PAGE_READWRITE);
    EXPECT_FALSE(closed.Close());
    TMapView unmapped(-1, 0, 0, FILE_MAP_WRITE);
    EXPECT_FALSE(unmapped.Open());
    EXPECT_FALSE(unmapped.Close());
}
