// The tool windows' background task: progress reported while the work runs, one Finished at
// the end, and work that throws ending as a message instead of ending the program.
#include "ui/tools/background_task.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <atomic>
#include <stdexcept>
#include <thread>

namespace velmora {
namespace {

TEST(BackgroundTask, ReportsProgressThenFinishesOnce) {
    BackgroundTask task;
    QSignalSpy progressed(&task, &BackgroundTask::Progressed);
    QSignalSpy finished(&task, &BackgroundTask::Finished);
    auto progress = std::make_shared<WorkProgress>();
    progress->SetTotal(3);
    std::atomic<bool> release{false};
    ASSERT_TRUE(task.Start(progress, [&] {
        progress->AddDone(2);
        while (!release.load() && !progress->Cancelled()) std::this_thread::yield();
        progress->AddDone();
    }));
    EXPECT_TRUE(task.Running());
    EXPECT_FALSE(task.Start(progress, [] {}));  // one run at a time
    ASSERT_TRUE(progressed.wait(5000));
    EXPECT_EQ(progressed.last().at(1).toULongLong(), 3u);
    release = true;
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_FALSE(task.Running());
    EXPECT_EQ(task.Done(), 3u);
    EXPECT_EQ(progressed.last().at(0).toULongLong(), 3u);  // the last report is the end
    EXPECT_EQ(task.Failure(), "");
    EXPECT_FALSE(finished.wait(300));  // and Finished comes once
    EXPECT_EQ(finished.count(), 1);
}

TEST(BackgroundTask, WorkThatThrowsFinishesWithItsMessage) {
    BackgroundTask task;
    QSignalSpy finished(&task, &BackgroundTask::Finished);
    ASSERT_TRUE(task.Start(std::make_shared<WorkProgress>(),
                           [] { throw std::runtime_error("no memory for the map"); }));
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(task.Failure(), "no memory for the map");
    // The task starts again after a failure, and the failure is forgotten.
    ASSERT_TRUE(task.Start(std::make_shared<WorkProgress>(), [] {}));
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(task.Failure(), "");
}

TEST(BackgroundTask, DestroyingTheTaskCancelsAndWaitsForTheWork) {
    auto progress = std::make_shared<WorkProgress>();
    std::atomic<bool> ended{false};
    {
        BackgroundTask task;
        task.Start(progress, [&] {
            while (!progress->Cancelled()) std::this_thread::yield();
            ended = true;
        });
    }
    EXPECT_TRUE(progress->Cancelled());
    EXPECT_TRUE(ended.load());
}

}  // namespace
}  // namespace velmora
