#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/core/Synchronize.h"

TEST(Synchronize, WorkerCallRunsOnMainThreadWhileMainWaitsForTheWorker)
{
    // The main thread waits for the worker the way TThread::WaitFor does:
    // running queued calls while it waits. Repeat to shake out races.
    for (int round = 0; round < 200; ++round) {
        std::atomic<bool> finished = false;
        bool ranOnMain = false;
        std::thread worker([&] {
            Synchronize([&] { ranOnMain = IsMainThread(); });
            finished = true;
        });
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!finished && std::chrono::steady_clock::now() < deadline)
            CheckSynchronize(5);
        worker.join();
        ASSERT_TRUE(finished) << "round " << round;
        ASSERT_TRUE(ranOnMain);
    }
}

TEST(Synchronize, ExceptionOfTheCallReachesTheWorker)
{
    std::atomic<bool> caught = false;
    std::atomic<bool> finished = false;
    std::thread worker([&] {
        try {
            Synchronize([] { throw std::runtime_error("boom"); });
        } catch (const std::runtime_error&) {
            caught = true;
        }
        finished = true;
    });
    while (!finished)
        CheckSynchronize(5);
    worker.join();
    EXPECT_TRUE(caught);
}

TEST(Synchronize, OnMainThreadRunsAtOnce)
{
    int n = 0;
    Synchronize([&] { ++n; });
    EXPECT_EQ(n, 1);
}
