// Fault tests of the three jobs: outputs that cannot be written, inputs that
// are no drawings or damaged ones, and very large inputs. No job may crash,
// hang, or lose its input or a previous output. (The arc writer's own tests
// cover a missing output folder, a full disk and /dev/null for the arc job,
// and every job's tests cover the input chosen as output.)

#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "faults/job_faults.h"
#include "i18n/catalogue.h"
#include "support/utf.h"

namespace quillmere::faults {
namespace {

using testing::Lf;
using testing::ReadFile;
using testing::RecordingMessages;
using testing::TempDir;
using testing::WithCrLf;
using testing::WriteFile;

// The bytes of a literal, NUL bytes included.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

std::vector<std::string_view> Split(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t end; (end = text.find('\n')) != std::string_view::npos; text.remove_prefix(end + 1)) {
    lines.push_back(text.substr(0, end));
  }
  return lines;
}

// Text 10 with the name and the system's reason.
std::string CannotCreate(const std::string& name, const std::string& reason) {
  return testing::ShownMessage{true, u"", FileMessage(kTextCannotCreate, name)}.Utf8Text() + " (" +
         reason + ")";
}

class JobFaultTest : public ::testing::TestWithParam<int> {
 protected:
  JobFaultTest() : job_(AllJobs()[static_cast<std::size_t>(GetParam())]) {
    in_ = dir_.File("in.dxf");
    out_ = dir_.File("out.dxf");
  }

  // Runs the job on `input` and returns the output, empty when none was made.
  std::string Run(const std::string& input) {
    WriteFile(in_, input);
    job_.run(in_, out_, messages_);
    EXPECT_EQ(ReadFile(in_), input) << "the input changed";
    return ReadFile(out_);
  }

  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(dir_.path()), {}));
  }

  const Job job_;
  TempDir dir_;
  std::string in_;
  std::string out_;
  RecordingMessages messages_;
};

std::string JobName(const ::testing::TestParamInfo<int>& info) {
  return AllJobs()[static_cast<std::size_t>(info.param)].name;
}

INSTANTIATE_TEST_SUITE_P(EveryJob, JobFaultTest, ::testing::Values(0, 1, 2), JobName);

// The jobs whose own tests do not cover the failure yet.
class LineAndJoinFaultTest : public JobFaultTest {};
INSTANTIATE_TEST_SUITE_P(LineAndJoinJobs, LineAndJoinFaultTest, ::testing::Values(1, 2), JobName);

TEST_P(LineAndJoinFaultTest, OutputInAMissingFolderIsReportedAndNothingIsCreated) {
  WriteFile(in_, job_.drawing);
  const std::string nowhere = dir_.File("no/such/folder/out.dxf");
  job_.run(in_, nowhere, messages_);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].Utf8Text(), CannotCreate(nowhere, "No such file or directory"));
  EXPECT_FALSE(std::filesystem::exists(dir_.File("no")));
  EXPECT_EQ(ReadFile(in_), job_.drawing);
}

TEST_P(LineAndJoinFaultTest, FullDiskKeepsThePreviousOutputAndLeavesNoTemporaryFile) {
  // Many copies of the drawing's entities: far more than the limit allows.
  std::string input = "0\nSECTION\n2\nENTITIES\n";
  const std::string entities = job_.drawing.substr(
      input.size(), job_.drawing.size() - input.size() - std::string("0\nENDSEC\n0\nEOF\n").size());
  while (input.size() < 400 * 1024) input += entities;
  input += "0\nENDSEC\n0\nEOF\n";
  WriteFile(in_, input);
  WriteFile(out_, "previous output");

  EXPECT_EQ(RunWithFileSizeLimit(job_, in_, out_, 64 * 1024),
            CannotCreate(out_, "File too large") + "\n");
  EXPECT_EQ(ReadFile(out_), "previous output");
  EXPECT_EQ(ReadFile(in_), input);
  EXPECT_EQ(FilesInFolder(), 2u);

  // Without the limit the same job succeeds.
  EXPECT_EQ(RunWithFileSizeLimit(job_, in_, out_, 1L << 30), "");
  EXPECT_NE(ReadFile(out_), "previous output");
  EXPECT_EQ(FilesInFolder(), 2u);
}

TEST_P(LineAndJoinFaultTest, DevNullIsWrittenAndStaysADevice) {
  WriteFile(in_, job_.drawing);
  job_.run(in_, "/dev/null", messages_);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  EXPECT_EQ(ReadFile(in_), job_.drawing);
}

TEST_P(JobFaultTest, AFolderAsInputIsReportedAndKeepsThePreviousOutput) {
  const std::string folder = dir_.File("folder.dxf");
  std::filesystem::create_directory(folder);
  WriteFile(out_, "previous output");
  job_.run(folder, out_, messages_);
  // One failure, one message: no "Keine Polylines" after it, no second
  // message from the writer.
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, FileMessage(kTextCannotOpen, folder));
  EXPECT_EQ(ReadFile(out_), "previous output");
  EXPECT_TRUE(std::filesystem::is_directory(folder));
}

// Inputs that are no DXF text drawings, and a missing one: each job tells
// one thing, naming the file, and the previous output keeps every byte.
TEST_P(JobFaultTest, AnInputThatIsNoDrawingIsToldOnceAndKeepsThePreviousOutput) {
  const std::string png = Bytes("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x01");
  const std::string binary = Bytes("AutoCAD Binary DXF\r\n\x1a\0\0\0SECTION\0");
  const struct {
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {png, FileMessage(FurtherText::kNotTextDxf, in_)},
      {"", FileMessage(FurtherText::kEmptyInput, in_)},
      {binary, FileMessage(FurtherText::kBinaryDxf, in_)},
      // A comment first and a byte-order mark are still a drawing's start;
      // words are not.
      {"SECTION\n2\nENTITIES\n0\nENDSEC\n", FileMessage(FurtherText::kNotTextDxf, in_)},
  };
  for (const auto& [bytes, text] : cases) {
    WriteFile(out_, "previous output");
    messages_.shown.clear();
    EXPECT_EQ(Run(bytes), "previous output");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, text);
  }
  WriteFile(out_, "previous output");
  messages_.shown.clear();
  job_.run(dir_.File("missing.dxf"), out_, messages_);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, FileMessage(kTextCannotOpen, dir_.File("missing.dxf")));
  EXPECT_EQ(ReadFile(out_), "previous output");
  EXPECT_EQ(FilesInFolder(), 2u);

  // With a byte-order mark and blanks before the first code the job works.
  messages_.shown.clear();
  EXPECT_NE(Run("\xEF\xBB\xBF  " + job_.drawing), "previous output");
  EXPECT_TRUE(messages_.shown.empty());
}

// Does something to the input at the first progress of `phase`.
class InputChanger : public JobObserver {
 public:
  InputChanger(JobPhase phase, std::function<void()> change)
      : phase_(phase), change_(std::move(change)) {}
  void Progress(JobPhase phase, std::int64_t, std::int64_t) override {
    if (phase != phase_ || done_) return;
    done_ = true;
    change_();
  }
  bool StopRequested() const override { return false; }
  bool done() const { return done_; }

 private:
  JobPhase phase_;
  std::function<void()> change_;
  bool done_ = false;
};

// A drawing of a few megabytes, so that reading and copying take several
// blocks, each reported as progress.
std::string LargeDrawing(const std::string& drawing) {
  const std::string head = "0\nSECTION\n2\nENTITIES\n";
  const std::string tail = "0\nENDSEC\n0\nEOF\n";
  const std::string entities = drawing.substr(head.size(), drawing.size() - head.size() - tail.size());
  std::string input = head;
  while (input.size() < (3 << 20)) input += entities;
  return input + tail;
}

TEST_P(JobFaultTest, AnInputThatGrowsShorterWhileItIsReadIsToldAndWritesNothing) {
  const std::string input = LargeDrawing(job_.drawing);
  for (const JobPhase phase : {JobPhase::kReading, JobPhase::kWriting}) {
    WriteFile(in_, input);
    WriteFile(out_, "previous output");
    messages_.shown.clear();
    InputChanger cut(phase, [this] { std::filesystem::resize_file(in_, 1 << 20); });
    job_.run_watched(in_, out_, messages_, cut);
    ASSERT_TRUE(cut.done());
    ASSERT_EQ(messages_.shown.size(), 1u) << static_cast<int>(phase);
    EXPECT_EQ(messages_.shown[0].text, FileMessage(FurtherText::kCannotReadInput, in_));
    EXPECT_EQ(ReadFile(out_), "previous output");
    EXPECT_EQ(FilesInFolder(), 2u);
  }
}

// The moment after reading that a job tells: the joining, or for the arc
// job, which searches each polyline as it reads it, the writing.
JobPhase AfterReading(const std::string& job_name) {
  return job_name == "convert1" ? JobPhase::kWriting : JobPhase::kJoining;
}

TEST_P(JobFaultTest, AnInputChangedBetweenReadingAndWritingIsToldAndWritesNothing) {
  const JobPhase between = AfterReading(job_.name);
  WriteFile(in_, job_.drawing);
  WriteFile(out_, "previous output");
  const std::string changed = job_.drawing + "999\nchanged\n";
  InputChanger change(between, [&] { WriteFile(in_, changed); });
  job_.run_watched(in_, out_, messages_, change);
  ASSERT_TRUE(change.done());
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, FileMessage(FurtherText::kInputChanged, in_));
  EXPECT_EQ(ReadFile(out_), "previous output");
  EXPECT_EQ(ReadFile(in_), changed);
  EXPECT_EQ(FilesInFolder(), 2u);
}

// The check before the output takes its name looks at the input's path: an
// input removed while the job ran is told as one that cannot be opened again.
TEST_P(JobFaultTest, AnInputRemovedBetweenReadingAndWritingIsToldAndWritesNothing) {
  const JobPhase between = AfterReading(job_.name);
  WriteFile(in_, job_.drawing);
  WriteFile(out_, "previous output");
  InputChanger remove(between, [this] { std::filesystem::remove(in_); });
  job_.run_watched(in_, out_, messages_, remove);
  ASSERT_TRUE(remove.done());
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, FileMessage(kTextCannotReopen, in_));
  EXPECT_EQ(ReadFile(out_), "previous output");
  EXPECT_EQ(FilesInFolder(), 1u);
}

// A read error of the system itself: the kernel refuses to read /proc/self/mem
// at its start.
TEST_P(JobFaultTest, AReadErrorOfTheSystemIsToldWithItsReason) {
  WriteFile(out_, "previous output");
  job_.run("/proc/self/mem", out_, messages_);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].Utf8Text(),
            Utf16ToUtf8(FileMessage(FurtherText::kCannotReadInput, "/proc/self/mem")) +
                " (Input/output error)");
  EXPECT_EQ(ReadFile(out_), "previous output");
}

// An observer that asks the job to stop at the first progress it sees in
// `phase`, and notes every phase it saw.
class StoppingObserver : public JobObserver {
 public:
  explicit StoppingObserver(JobPhase phase) : phase_(phase) {}
  void Progress(JobPhase phase, std::int64_t, std::int64_t) override {
    seen.push_back(phase);
    stop_ = stop_ || phase == phase_;
  }
  bool StopRequested() const override { return stop_; }
  std::vector<JobPhase> seen;

 private:
  JobPhase phase_;
  bool stop_ = false;
};

TEST_P(JobFaultTest, AStoppedJobLeavesThePreviousOutputAndNoTemporaryFile) {
  for (const JobPhase phase : {JobPhase::kReading, JobPhase::kWriting}) {
    WriteFile(in_, job_.drawing);
    WriteFile(out_, "previous output");
    StoppingObserver observer(phase);
    job_.run_watched(in_, out_, messages_, observer);
    EXPECT_EQ(observer.seen.back(), phase);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(ReadFile(out_), "previous output");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 2);
  }
  // Watched to its end, the job writes what it writes unwatched.
  StoppingObserver never(JobPhase::kSearching);
  if (job_.name != "convert1") {
    job_.run_watched(in_, out_, messages_, never);
    EXPECT_NE(ReadFile(out_), "previous output");
  }
}

TEST_P(JobFaultTest, ASingleTenMegabyteLineIsNoDrawingAndWritesNothing) {
  const std::string line(10 << 20, 'x');
  const std::string output = Run(line);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, FileMessage(FurtherText::kNotTextDxf, in_));
  EXPECT_EQ(output, "");
}

TEST_P(JobFaultTest, NulBytesAreDataLikeAnyOther) {
  // NUL bytes in a comment of the section, in a pair of every entity the
  // job handles, and in the layer of an entity it copies.
  std::string input;
  for (const std::string_view line : Split(job_.drawing)) {
    input.append(line).append("\n");
    if (line == "LWPOLYLINE" || line == "LINE") input += Bytes("999\na\0b\0\n");
  }
  input.insert(input.find("ENTITIES\n") + 9, Bytes("999\n\0\n"));
  input.insert(input.rfind("0\nENDSEC\n"), Bytes("0\nCIRCLE\n8\nL\0\n40\n1\n"));
  const std::string output = Run(input);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_NE(output.find(Bytes("ENTITIES\r\n999\r\n\0\r\n")), std::string::npos);
  EXPECT_NE(output.find(Bytes("999\r\na\0b\0\r\n")), std::string::npos);
  EXPECT_NE(output.find(Bytes("0\r\nCIRCLE\r\n8\r\nL\0\r\n40\r\n1\r\n")), std::string::npos);
  // The job did its work all the same: the output is no mere copy.
  EXPECT_NE(output, WithCrLf(input));
}

TEST_P(JobFaultTest, NonFiniteAndHugeValuesAreNoNumbersOrStayFinite) {
  // "1e400", "nan" and "inf" are no numbers; 1e308 is, and differences of
  // such coordinates overflow inside the circle, chaining and join tests.
  const std::vector<std::string> values = {"1e400", "nan", "inf", "-INF", "NaN", "1e308", "-1e308"};
  std::vector<std::string> body;
  for (const std::string& v : values) {
    body.insert(body.end(), {"0", "LWPOLYLINE", "10", v, "20", "1", "10", "2", "20", v, "10", v, "20",
                             v, "10", "1e308", "20", "-1e308", "10", "3", "20", "3"});
    body.insert(body.end(), {"0", "POLYLINE", "70", "0", "0", "VERTEX", "10", v, "20", v, "0",
                             "VERTEX", "10", "1e308", "20", "1e308", "0", "VERTEX", "10", "-1e308",
                             "20", "1e308", "0", "VERTEX", "10", "1e308", "20", "-1e308", "0",
                             "SEQEND"});
    body.insert(body.end(), {"0", "LINE", "10", v, "20", "0", "11", "1e308", "21", v});
    body.insert(body.end(), {"0", "LINE", "10", "1e308", "20", v, "11", v, "21", "1"});
  }
  const std::string output = Run(InEntities(body));
  EXPECT_TRUE(messages_.shown.empty());
  ASSERT_FALSE(output.empty());
  // The reader left the coordinates that are no numbers at 0 (or dropped
  // the LWPOLYLINE pairs); every coordinate in the model is finite.
  for (const testing::PlainPolyline& polyline : job_.model_of(in_, messages_)) {
    for (const testing::PlainVertex& vertex : polyline.vertices) {
      EXPECT_TRUE(std::isfinite(vertex.x) && std::isfinite(vertex.y) && std::isfinite(vertex.z));
      EXPECT_TRUE(!vertex.gets_bulge || std::isfinite(vertex.bulge));
    }
  }
}

TEST_P(JobFaultTest, TwoMillionPolylinesOfOneVertex) {
  constexpr int kCount = 2'000'000;
  const bool lines = !job_.needs_polylines;
  const std::string entity = lines ? "0\nLINE\n10\n1\n20\n2\n" : "0\nLWPOLYLINE\n10\n1\n20\n2\n";
  std::string input = "0\nSECTION\n2\nENTITIES\n";
  input.reserve(input.size() + entity.size() * kCount + 32);
  for (int k = 0; k < kCount; ++k) input += entity;
  input += "0\nENDSEC\n0\nEOF\n";

  const auto start = std::chrono::steady_clock::now();
  const std::string output = Run(input);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_TRUE(messages_.shown.empty());
  if (job_.name != "convert3") {
    // Nothing to do in polylines of one vertex; lines without an end point
    // stay as they were read.
    EXPECT_EQ(output, WithCrLf(input));
  } else {
    // Polylines of fewer than two vertices are left out.
    EXPECT_EQ(output, WithCrLf("0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n"));
  }
  RecordProperty("seconds", std::to_string(seconds));
  EXPECT_LT(seconds, 120.0);
}

}  // namespace
}  // namespace quillmere::faults
