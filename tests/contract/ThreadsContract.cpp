#include "tests/contract/ThreadsContract.h"

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace ombrel::contract {
namespace {

using namespace std::chrono_literals;

// A worker that counts through its pause points until told to stop.
struct CountingWorker {
    std::atomic<long> count = 0;
    std::unique_ptr<platform::Event> stop;
    std::unique_ptr<platform::Thread> thread;

    explicit CountingWorker(platform::Threads& threads) : stop(threads.CreateManualResetEvent()) {
        thread = threads.StartThread([this, &threads] {
            while (!stop->IsSet()) {
                threads.PausePoint();
                ++count;
                std::this_thread::yield();
            }
        });
    }
    // The count once it has stayed the same for a while (the worker is held).
    long SettledCount() const {
        long before = -1;
        long now = count.load();
        while (now != before) {
            before = now;
            std::this_thread::sleep_for(50ms);
            now = count.load();
        }
        return now;
    }
    void WaitUntilCounting() const {
        const long start = count.load();
        while (count.load() == start) std::this_thread::sleep_for(1ms);
    }
};

TEST_P(ThreadsContract, AnEventStaysSetOnceSet) {
    auto event = port->CreateManualResetEvent();
    ASSERT_NE(event, nullptr);
    EXPECT_FALSE(event->IsSet());
    event->Set();
    EXPECT_TRUE(event->IsSet());
    EXPECT_TRUE(event->IsSet());
}

TEST_P(ThreadsContract, AThreadRunsItsBodyAndWaitReturnsWhenItEnded) {
    std::atomic<bool> ran = false;
    std::atomic<bool> current = false;
    std::unique_ptr<platform::Thread> thread;
    std::atomic<platform::Thread*> self = nullptr;
    thread = port->StartThread([&] {
        while (self.load() == nullptr) std::this_thread::yield();
        current = self.load()->IsCurrentThread();
        ran = true;
    });
    ASSERT_NE(thread, nullptr);
    EXPECT_FALSE(thread->IsCurrentThread());
    self = thread.get();
    thread->Wait();
    EXPECT_TRUE(ran);
    EXPECT_TRUE(current);
    EXPECT_FALSE(thread->IsRunning());
}

TEST_P(ThreadsContract, WhatTheBodyThrowsStaysInsideTheThread) {
    auto thread = port->StartThread([] { throw std::runtime_error("worker failed"); });
    ASSERT_NE(thread, nullptr);
    thread->Wait();
    EXPECT_FALSE(thread->IsRunning());
}

TEST_P(ThreadsContract, SuspensionsNestLikeASuspendCount) {
    CountingWorker worker(*port);
    ASSERT_NE(worker.thread, nullptr);
    worker.WaitUntilCounting();

    EXPECT_EQ(worker.thread->Suspend(), 0);
    EXPECT_EQ(worker.thread->Suspend(), 1);
    const long held = worker.SettledCount();
    EXPECT_EQ(worker.thread->Resume(), 2);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(worker.count.load(), held);  // one resumption of two leaves it held
    EXPECT_TRUE(worker.thread->IsRunning());

    EXPECT_EQ(worker.thread->Resume(), 1);
    worker.WaitUntilCounting();
    EXPECT_GT(worker.count.load(), held);
    EXPECT_EQ(worker.thread->Resume(), 0);  // not suspended

    worker.stop->Set();
    worker.thread->Wait();
    EXPECT_FALSE(worker.thread->IsRunning());
}

TEST_P(ThreadsContract, ASuspendedThreadCanBeResumedAndToldToStop) {
    CountingWorker worker(*port);
    worker.WaitUntilCounting();
    EXPECT_EQ(worker.thread->Suspend(), 0);
    worker.SettledCount();
    worker.stop->Set();
    while (worker.thread->Resume() > 0) {
    }
    worker.thread->Wait();
    EXPECT_FALSE(worker.thread->IsRunning());
}

TEST_P(ThreadsContract, AWaitWithALimitTellsWhetherTheThreadHasEnded) {
    CountingWorker worker(*port);
    worker.WaitUntilCounting();
    EXPECT_FALSE(worker.thread->WaitFor(50ms));
    EXPECT_EQ(worker.thread->Suspend(), 0);
    worker.SettledCount();
    worker.stop->Set();
    EXPECT_FALSE(worker.thread->WaitFor(50ms));  // suspended, it cannot see the request
    EXPECT_TRUE(worker.thread->IsRunning());
    EXPECT_EQ(worker.thread->Resume(), 1);
    EXPECT_TRUE(worker.thread->WaitFor(20s));
    EXPECT_FALSE(worker.thread->IsRunning());
    EXPECT_TRUE(worker.thread->WaitFor(0ms));
}

}  // namespace
}  // namespace ombrel::contract
