#include "link/receivequeue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

using namespace talvex;
using namespace std::chrono_literals;

namespace {

TEST(ReceiveQueue, PopsInArrivalOrderAcrossPushes)
{
    ReceiveQueue queue;
    queue.PushByte(0x00);
    queue.PushBytes("\xFF\x5A", 2);
    queue.PushBytes("", 0);
    queue.PushByte(0xA5);
    EXPECT_EQ(queue.Count(), 4u);
    std::vector<int> popped;
    uint8_t byte = 0;
    while (queue.PopByte(byte, 0ms))
        popped.push_back(byte);
    EXPECT_EQ(popped, (std::vector<int>{0x00, 0xFF, 0x5A, 0xA5}));
    EXPECT_EQ(queue.Count(), 0u);
}

TEST(ReceiveQueue, EmptyQueueWaitsUntilItsLimit)
{
    ReceiveQueue queue;
    uint8_t byte = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(queue.PopByte(byte, 50ms));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 50ms);
}

TEST(ReceiveQueue, WaitingPopTakesByteFromAnotherThread)
{
    ReceiveQueue queue;
    std::thread pusher([&] {
        std::this_thread::sleep_for(20ms);
        for (int i = 0; i < 1000; ++i)
            queue.PushByte(static_cast<uint8_t>(i));
    });
    for (int i = 0; i < 1000; ++i) {
        uint8_t byte = 0;
        ASSERT_TRUE(queue.PopByte(byte, 5000ms));
        ASSERT_EQ(byte, static_cast<uint8_t>(i));
    }
    pusher.join();
}

TEST(ReceiveQueue, InterruptEndsWaitUntilCleared)
{
    ReceiveQueue queue;
    std::atomic<bool> interrupted{false};
    std::thread stopper([&] {
        std::this_thread::sleep_for(20ms);
        interrupted = true;
        queue.Interrupt();
    });
    uint8_t byte = 0;
    // A limit no loaded machine reaches: only the interrupt can end this wait.
    EXPECT_FALSE(queue.PopByte(byte, 10min));
    EXPECT_TRUE(interrupted);
    stopper.join();

    queue.PushByte(7);
    EXPECT_FALSE(queue.PopByte(byte, 0ms));
    queue.Clear();
    EXPECT_EQ(queue.Count(), 0u);
    queue.PushByte(8);
    ASSERT_TRUE(queue.PopByte(byte, 0ms));
    EXPECT_EQ(byte, 8);
}

} // namespace
