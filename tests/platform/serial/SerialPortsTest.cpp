#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>
#include <gtest/gtest.h>

#include "platform/core/Exceptions.h"
#include "platform/serial/SerialPorts.h"

TEST(SerialPorts, PortUsesTheDosDeviceLinkWhenPresent)
{
    const char* prefixEnv = std::getenv("ZORVANE_PREFIX");
    ASSERT_NE(prefixEnv, nullptr);
    std::filesystem::path dos = std::filesystem::path(prefixEnv) / "dosdevices";
    std::filesystem::remove_all(dos);
    EXPECT_EQ(SerialDevicePath(3), "/dev/ttyS2");
    EXPECT_EQ(SerialDevicePath(1), "/dev/ttyS0");
    EXPECT_EQ(SerialDevicePath(0), "");
    std::filesystem::create_directories(dos);
    std::filesystem::create_symlink("/dev/null", dos / "com3");
    EXPECT_EQ(SerialDevicePath(3), (dos / "com3").string());
    EXPECT_EQ(SerialDevicePath(4), "/dev/ttyS3");
}

TEST(SerialPorts, LinksReplaceOnlyLinksAndGoOnlyWhileTheyAreOurs)
{
    const AnsiString link = SerialPortLinkPath(9);
    EXPECT_EQ(link, AnsiString(std::getenv("ZORVANE_PREFIX")) + "/dosdevices/com9");
    ::unlink(link.c_str());
    LinkSerialPort(9, "/dev/pts/one");
    LinkSerialPort(9, "/dev/pts/two"); // an old link is replaced
    char buf[64] = {};
    ASSERT_GT(::readlink(link.c_str(), buf, sizeof buf - 1), 0);
    EXPECT_STREQ(buf, "/dev/pts/two");
    UnlinkSerialPort(9, "/dev/pts/one"); // not ours any more: stays
    EXPECT_TRUE(std::filesystem::is_symlink(link.c_str()));
    UnlinkSerialPort(9, "/dev/pts/two");
    EXPECT_FALSE(std::filesystem::is_symlink(link.c_str()));

    int fd = ::open(link.c_str(), O_CREAT | O_WRONLY, 0644); // a user's own file
    ::close(fd);
    EXPECT_THROW(LinkSerialPort(9, "/dev/pts/three"), Exception);
    ::unlink(link.c_str());
}

TEST(SerialPorts, LinkedPortsAreListedInOrderOnce)
{
    std::filesystem::remove_all(SerialLinkDir().c_str());
    for (int port : {12, 2, 7})
        LinkSerialPort(port, "/dev/null");
    std::filesystem::create_directories(SerialLinkDir() + "/comX"); // not a port name
    const std::vector<int> ports = SerialPortNumbers();
    ASSERT_GE(ports.size(), 3u);
    EXPECT_EQ(std::vector<int>(ports.begin(), ports.begin() + 3), (std::vector<int>{2, 7, 12}));
    EXPECT_EQ(std::count(ports.begin(), ports.end(), 2), 1);
}
