#include <algorithm>
#include <thread>

#include <gtest/gtest.h>

#include "components/slcomm/Tcomm32.h"
#include "platform/core/Strings.h"
#include "platform/serial/SerialDevice.h"
#include "platform/serial/SerialPorts.h"

using namespace CorlanComm32;

TEST(CommQueue, CapacityIsOneLessThanStorage)
{
    TCommQueue q(8);
    std::uint8_t b = 'a';
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(q.In(&b), 1);
    EXPECT_EQ(q.In(&b), 0);
    EXPECT_EQ(q.Out(&b), 1);
    EXPECT_EQ(q.In(&b), 1);

    TCommQueue ten(8);
    EXPECT_EQ(ten.In("0123456789", 10), 7);
    char out[16] = {};
    EXPECT_EQ(ten.Out(out, 16), 7);
    EXPECT_STREQ(out, "0123456");
    EXPECT_EQ(ten.In(nullptr, 3), 0);
    EXPECT_EQ(ten.In("x", 0), 0);
    EXPECT_EQ(ten.In(static_cast<const std::uint8_t*>(nullptr)), 0);
    EXPECT_EQ(ten.Out(static_cast<std::uint8_t*>(nullptr)), 0);
}

TEST(CommQueue, WrapsInOrder)
{
    TCommQueue q(8);
    char out[8] = {};
    q.In("abcde", 5);
    q.Out(out, 5);  // positions now at 5
    EXPECT_EQ(q.In("1234567", 7), 7);
    EXPECT_LT(q.WritePos(), q.ReadPos());  // wrapped
    EXPECT_EQ(q.Out(out, 7), 7);
    EXPECT_EQ(std::string(out, 7), "1234567");
    q.In("xyz", 3);
    q.SetBufSize(16);  // discards what was queued
    EXPECT_EQ(q.Count(), 0);
    EXPECT_EQ(q.BufSize(), 16);
}

TEST(CommQueue, WithoutStorageNothingMoves)
{
    TCommQueue zero(0);
    EXPECT_FALSE(zero.HasStorage());
    EXPECT_EQ(zero.In("ab", 2), 0);
    char c;
    EXPECT_EQ(zero.Out(&c, 1), 0);
    TCommQueue q(8);
    q.SetBufSize(-1);
    EXPECT_FALSE(q.HasStorage());
    EXPECT_EQ(q.BufSize(), 8);
    EXPECT_EQ(EComm32Error(EComm32Error::ecOutOfMemory).Message(), "Out of memory");
}

TEST(CommQueue, OneProducerOneConsumer)
{
    TCommQueue q(64);
    const int total = 200000;
    std::thread producer([&] {
        int sent = 0;
        while (sent < total) {
            std::uint8_t b[7];
            int n = std::min(7, total - sent);
            for (int i = 0; i < n; ++i)
                b[i] = static_cast<std::uint8_t>((sent + i) & 0xFF);
            int put = q.In(b, n);
            sent += put;
            if (put == 0)
                std::this_thread::yield();
        }
    });
    int got = 0;
    bool inOrder = true;
    while (got < total) {
        std::uint8_t b[13];
        int n = q.Out(b, 13);
        for (int i = 0; i < n; ++i)
            inOrder &= b[i] == static_cast<std::uint8_t>((got + i) & 0xFF);
        got += n;
        if (n == 0)
            std::this_thread::yield();
    }
    producer.join();
    EXPECT_TRUE(inOrder);
}

TEST(PortList, NamesAndNumbers)
{
    struct Case { const char* Name; int No; };
    for (const Case& c : {Case{"com12", 12}, Case{"COM0", 0}, Case{"LPT1", 0}, Case{"COM3x", 3}, Case{"COM -2", 0},
                          Case{"COM +7", 7}, Case{"CO", 0}})
        EXPECT_EQ(TCommSerialPortInfo::PortNo(c.Name), c.No) << c.Name;
    EXPECT_EQ(TCommSerialPortInfo::PortName(7), "COM7");
}

TEST(PortList, SystemPortsInNumberOrder)
{
    for (int port : {10, 2, 1, 33})
        LinkSerialPort(port, "/dev/null");
    TCommSerialPortInfo info;
    EXPECT_TRUE(info.FromSystem);
    std::vector<std::string> names;
    for (int i = 0; i < info.Ports->Count(); ++i)
        names.push_back(info.Ports->Strings(i));
    // The machine's own serial ports may add theirs; all come in number order, each once.
    auto at = [&](const char* n) { return std::find(names.begin(), names.end(), n) - names.begin(); };
    EXPECT_LT(at("COM1"), at("COM2"));
    EXPECT_LT(at("COM2"), at("COM10"));
    EXPECT_LT(at("COM10"), at("COM33"));
    EXPECT_LT(at("COM33"), static_cast<long>(names.size()));
    EXPECT_EQ(std::count(names.begin(), names.end(), "COM1"), 1);
    for (size_t i = 1; i < names.size(); ++i)
        EXPECT_LT(TCommSerialPortInfo::PortNo(names[i - 1]), TCommSerialPortInfo::PortNo(names[i]));
    for (int port : {10, 2, 1, 33})
        UnlinkSerialPort(port, "/dev/null");
}
