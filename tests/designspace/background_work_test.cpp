// Work on other threads: every job once, whatever throws caught where it is thrown and
// reported, cancel stopping the hand-out, and a background thread whose work throws.
#include "designspace/background_work.h"

#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace velmora {
namespace {

TEST(RunJobs, EveryJobRunsOnceAndWhatOneThrowsIsReportedNotFatal) {
    for (const int threads : {1, 2, 5}) {
        std::vector<std::atomic<int>> runs(100);
        std::mutex mutex;
        std::map<std::size_t, std::string> failures;
        WorkProgress progress;
        RunJobs(
            runs.size(), threads, progress,
            [&](std::size_t k, int slot) {
                EXPECT_GE(slot, 0);
                EXPECT_LT(slot, threads);
                ++runs[k];
                if (k % 10 == 3) throw std::runtime_error("design " + std::to_string(k));
                if (k == 50) throw 7;  // not even a std::exception
            },
            [&](std::size_t k, const std::string& what) {
                std::lock_guard lock(mutex);
                failures[k] = what;
                if (k == 13) throw std::bad_alloc();  // a failure while reporting a failure
            });
        for (const auto& count : runs) EXPECT_EQ(count.load(), 1);
        ASSERT_EQ(failures.size(), 11u) << threads;
        EXPECT_EQ(failures[3], "design 3");
        EXPECT_EQ(failures[93], "design 93");
        EXPECT_EQ(failures[50], "unknown error");
    }
}

TEST(RunJobs, NoJobStartsOnceCancelledAndSlotsNeverExceedTheJobs) {
    WorkProgress progress;
    std::atomic<int> started{0};
    std::atomic<int> startedWhenCancelled{-1};
    RunJobs(
        1000, 2, progress,
        [&](std::size_t, int) {
            if (++started == 5) {
                progress.Cancel();
                startedWhenCancelled = started.load();
            }
        },
        [](std::size_t, const std::string&) {});
    // Until Cancel returns, the other thread may go on taking jobs (the cancelling thread can
    // be descheduled between its count and its Cancel); after it, at most the one job whose
    // check had already passed starts.
    ASSERT_GE(startedWhenCancelled.load(), 5);
    EXPECT_LE(started.load(), startedWhenCancelled.load() + 1);
    EXPECT_LT(started.load(), 1000);
    EXPECT_EQ(JobThreads(3, 8), 3);
    EXPECT_EQ(JobThreads(0, 8), 1);
    EXPECT_EQ(JobThreads(100, 0), 1);
    EXPECT_EQ(JobThreads(1000, 999), 256);
}

TEST(BackgroundThread, WorkThatThrowsEndsAsAFailureText) {
    BackgroundThread thread;
    ASSERT_TRUE(thread.Start([] { throw std::runtime_error("no memory for 1000000 rows"); }));
    thread.Join();
    EXPECT_TRUE(thread.Finished());
    EXPECT_FALSE(thread.Running());
    EXPECT_EQ(thread.Failure(), "no memory for 1000000 rows");

    // Started again, the old failure is forgotten; a second start waits for the join.
    std::atomic<bool> release{false};
    ASSERT_TRUE(thread.Start([&] {
        while (!release.load()) std::this_thread::yield();
    }));
    EXPECT_TRUE(thread.Running());
    EXPECT_FALSE(thread.Start([] {}));
    release = true;
    thread.Join();
    EXPECT_TRUE(thread.Finished());
    EXPECT_EQ(thread.Failure(), "");
}

TEST(WorkProgress, CountsAndCancelFromAnyThread) {
    WorkProgress progress;
    progress.SetTotal(4000);
    RunJobs(
        4000, 4, progress, [&](std::size_t, int) { progress.AddDone(); },
        [](std::size_t, const std::string&) {});
    EXPECT_EQ(progress.Done(), 4000u);
    EXPECT_EQ(progress.Total(), 4000u);
    EXPECT_FALSE(progress.Cancelled());
}

}  // namespace
}  // namespace velmora
