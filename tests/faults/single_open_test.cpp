// A job opens its input file once: the reader, the split reader, the scan
// for references to what the job consumes, the copy writers and the
// preview's reading of an input the output replaces all read the one
// JobInput. Counted with the kernel's open events on the input file.

#ifdef __linux__

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "app/job_runner.h"
#include "app/presenter/job_session.h"
#include "faults/job_faults.h"
#include "named_input.h"

namespace quillmere::faults {
namespace {

using testing::Lf;
using testing::RecordingMessages;
using testing::TempDir;
using testing::WriteFile;

// The opens of one file from now on, by any process.
class OpenCount {
 public:
  explicit OpenCount(const std::string& path) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    watch_ = ::inotify_add_watch(fd_, path.c_str(), IN_OPEN);
  }
  ~OpenCount() { ::close(fd_); }
  OpenCount(const OpenCount&) = delete;
  OpenCount& operator=(const OpenCount&) = delete;

  bool Watching() const { return fd_ >= 0 && watch_ >= 0; }

  int Opens() {
    alignas(inotify_event) char events[4096];
    for (ssize_t got; (got = ::read(fd_, events, sizeof events)) > 0;) {
      for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(events + at);
        opens_ += (event->mask & IN_OPEN) != 0 ? 1 : 0;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return opens_;
  }

 private:
  int fd_;
  int watch_ = -1;
  int opens_ = 0;
};

// Counts the walks through the input that reached its end.
class WholeReadings : public JobObserver {
 public:
  void Progress(JobPhase phase, std::int64_t done, std::int64_t total) override {
    whole += phase == JobPhase::kReading && total > 0 && done == total ? 1 : 0;
  }
  bool StopRequested() const override { return false; }
  int whole = 0;
};

// A drawing with an OBJECTS section and handles, where every job consumes
// an entity: the arc job VERTEX entities of a quarter circle, the line job
// the second of two chained LINEs, the join job the second of two joined
// LWPOLYLINEs. Each job then scans the input for references to them.
std::string DrawingWithObjects() {
  std::vector<std::string> lines = {"0", "SECTION", "2", "ENTITIES",
                                    "0", "POLYLINE", "5", "10", "66", "1", "70", "0"};
  const char* const points[9][2] = {
      {"10", "0"},       {"9.807852804", "1.950903220"}, {"9.238795325", "3.826834324"},
      {"8.314696123", "5.555702330"}, {"7.071067812", "7.071067812"},
      {"5.555702330", "8.314696123"}, {"3.826834324", "9.238795325"},
      {"1.950903220", "9.807852804"}, {"0", "10"}};
  int handle = 0x11;
  for (const auto& point : points) {
    lines.insert(lines.end(), {"0", "VERTEX", "5", std::to_string(handle++), "10", point[0], "20",
                               point[1]});
  }
  lines.insert(lines.end(), {"0", "SEQEND", "5", "30"});
  lines.insert(lines.end(), {"0", "LINE", "5", "40", "10", "0", "20", "0", "11", "1", "21", "0",
                             "0", "LINE", "5", "41", "10", "1", "20", "0", "11", "2", "21", "0"});
  lines.insert(lines.end(), {"0", "LWPOLYLINE", "5", "50", "90", "2", "10", "5", "20", "5", "10",
                             "6", "20", "5", "0", "LWPOLYLINE", "5", "51", "90", "2", "10", "6",
                             "20", "5", "10", "7", "20", "5"});
  lines.insert(lines.end(), {"0", "ENDSEC", "0", "SECTION", "2", "OBJECTS", "0", "DICTIONARY", "5",
                             "C", "330", "0", "100", "AcDbDictionary", "0", "ENDSEC", "0", "EOF"});
  return Lf(lines);
}

struct Mode {
  const char* name;
  JobMode job;
  bool exact_or_contours;
};

class SingleOpenTest : public ::testing::TestWithParam<Mode> {
 protected:
  TempDir dir_;
  std::string in_ = dir_.File("in.dxf");
  std::string out_ = dir_.File("out.dxf");
  RecordingMessages messages_;
};

TEST_P(SingleOpenTest, AJobOpensItsInputOnceAndReadsItWhole) {
  WriteFile(in_, DrawingWithObjects());
  JobRunner jobs;
  jobs.settings.exact_distances = GetParam().exact_or_contours;
  jobs.settings.contours = GetParam().exact_or_contours;
  OpenCount count(in_);
  ASSERT_TRUE(count.Watching());
  WholeReadings readings;
  ASSERT_TRUE(jobs.Run(GetParam().job, in_, out_, messages_, &readings).has_value());
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(count.Opens(), 1);
  // The reading and the scan for references to the consumed entities.
  EXPECT_EQ(readings.whole, 2);
}

// The input chosen as the output: the desktop program reads the input's
// drawing for the preview before the job replaces it, from the same input.
TEST_P(SingleOpenTest, AJobOntoItsInputReadsThePreviewsDrawingFromItsOneInput) {
  WriteFile(in_, DrawingWithObjects());
  JobRunner jobs;
  jobs.settings.exact_distances = GetParam().exact_or_contours;
  jobs.settings.contours = GetParam().exact_or_contours;
  OpenCount count(in_);
  ASSERT_TRUE(count.Watching());
  const Result<JobInput> input = JobInput::Open(in_);
  ASSERT_TRUE(input);
  EXPECT_NE(InputReplacedByOutput(*input, in_), nullptr);
  ASSERT_TRUE(jobs.Run(GetParam().job, *input, in_, messages_).has_value());
  EXPECT_EQ(count.Opens(), 1);
}

INSTANTIATE_TEST_SUITE_P(EveryJobAndMode, SingleOpenTest,
                         ::testing::Values(Mode{"arcs", JobMode::kFindArcs, false},
                                           Mode{"exact", JobMode::kFindArcs, true},
                                           Mode{"lines", JobMode::kChainLines, false},
                                           Mode{"line_contours", JobMode::kChainLines, true},
                                           Mode{"join", JobMode::kJoinPolylines, false},
                                           Mode{"join_contours", JobMode::kJoinPolylines, true}),
                         [](const ::testing::TestParamInfo<Mode>& info) { return info.param.name; });

// A drawing large enough to be read in two halves at once.
TEST(SingleOpen, TheSplitReadingOpensNothingOfItsOwn) {
  const TempDir dir;
  const std::string in = dir.File("in.dxf");
  std::string text = "0\nSECTION\n2\nENTITIES\n";
  while (text.size() < (17u << 20)) {
    text += "0\nLWPOLYLINE\n90\n2\n10\n1.25\n20\n2.5\n10\n3.75\n20\n5.0\n";
  }
  WriteFile(in, text + "0\nENDSEC\n0\nEOF\n");
  OpenCount count(in);
  ASSERT_TRUE(count.Watching());
  RecordingMessages messages;
  ASSERT_TRUE(RunJoinJob(0, in, dir.File("out.dxf"), messages).has_value());
  EXPECT_EQ(count.Opens(), 1);
}

}  // namespace
}  // namespace quillmere::faults

#endif
