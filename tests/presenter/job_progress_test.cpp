#include "app/presenter/job_progress.h"

#include <gtest/gtest.h>

#include <thread>

namespace quillmere {
namespace {

// A second job must not inherit the first one's stop request or progress,
// and its thread must have ended (been joined) before the next one starts.
TEST(JobProgressTest, NextJobStartsFreshAfterAStoppedOne) {
  JobProgress progress;
  std::thread thread;
  int runs = 0;
  ASSERT_FALSE(StartJobThread(thread, progress, [&] {
    progress.Progress(JobPhase::kWriting, 7, 9);
    ++runs;
  }));
  progress.RequestStop();
  thread.join();
  EXPECT_TRUE(progress.StopRequested());
  EXPECT_EQ(progress.Current().phase, JobPhase::kWriting);
  EXPECT_EQ(progress.Current().done, 7);

  thread = std::thread([&] { ++runs; });  // ended, not joined yet
  bool stopped_seen = true;
  JobProgress::Snapshot seen{JobPhase::kWriting, 1, 1};
  ASSERT_FALSE(StartJobThread(thread, progress, [&] {
    stopped_seen = progress.StopRequested();
    seen = progress.Current();
    ++runs;
  }));
  thread.join();
  EXPECT_EQ(runs, 3);
  EXPECT_FALSE(stopped_seen);
  EXPECT_EQ(seen.phase, JobPhase::kReading);
  EXPECT_EQ(seen.done, 0);
  EXPECT_EQ(seen.total, 0);
}

}  // namespace
}  // namespace quillmere
