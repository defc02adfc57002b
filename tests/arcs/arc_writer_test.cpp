#include "arcs/arc_writer.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <csignal>

#include "dxf/dxf_text.h"
#include "dxf/polyline_reader.h"
#include "job_test_fixture.h"
#include "plain_polylines.h"
#include "test_support.h"
#include "named_input.h"

namespace quillmere {
namespace {

using testing::CrLf;
using testing::Lf;
using testing::ReadFile;
using testing::RecordingMessages;
using testing::TempDir;
using testing::WithCrLf;
using testing::WriteFile;

class ArcWriterTest : public testing::JobFilesTest {
 protected:
  // Reads `text`, lets `mark` change the model, writes it, returns the output.
  template <typename Mark>
  std::string RoundTrip(const std::string& text, Mark mark) {
    WriteFile(in_, text);
    PolylineModel model;
    Reported(ReadPolylines(model, in_), messages_);
    mark(model);
    Reported(WriteArcResult(model, in_, out_), messages_);
    return ReadFile(out_);
  }
  std::string RoundTrip(const std::string& text) {
    return RoundTrip(text, [](PolylineModel&) {});
  }

};

// An LWPOLYLINE of n vertices along the x axis.
std::vector<std::string> LwPolyline(int n) {
  std::vector<std::string> lines = {"  0", "LWPOLYLINE", "  5", "3F", " 90", std::to_string(n),
                                    " 70", "0"};
  for (int i = 0; i < n; ++i) {
    lines.insert(lines.end(), {" 10", std::to_string(i), " 20", "0"});
  }
  return lines;
}

std::vector<std::string> InEntities(std::vector<std::string> body) {
  std::vector<std::string> lines = {"  0", "SECTION", "  2", "ENTITIES"};
  lines.insert(lines.end(), body.begin(), body.end());
  lines.insert(lines.end(), {"  0", "ENDSEC", "  0", "EOF"});
  return lines;
}

TEST_F(ArcWriterTest, UnmarkedModelReproducesHandMadeFiles) {
  const std::vector<std::string> inputs = {
      // LF line ends, blanks kept, blocks with polylines, a final line
      // without line end, 8-bit characters and NUL bytes in values.
      "  0\nSECTION\n  2\nBLOCKS\n  0\nPOLYLINE\n 66\n1\n  0\nVERTEX\n 10\n1\n  0\nSEQEND\n"
      "  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n  0\nLWPOLYLINE\n  8\n\xE4\xDF\n 90\n2\n"
      " 10\n1.50 \n 20\n2\n 10\n-3e0\n 20\n3\n999\nKommentar \xFC\n  0\nENDSEC\n  0\nEOF",
      // A polyline at the very end of the file, and one ending right at EOF.
      Lf({"0", "SECTION", "2", "ENTITIES", "0", "POLYLINE", "0", "VERTEX", "10", "1", "0",
          "SEQEND", "0", "EOF"}),
      // A file that ends right after a code line, inside a polyline and outside.
      "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nLWPOLYLINE\r\n10\r\n1\r\n42",
      "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nLWPOLYLINE\r\n10\r\n1\r\n0\r\nEOF\r\n999",
      std::string("0\nSECTION\n2\nENTITIES\n0\nLINE\n1\na\0b\n0\nEOF\n", 34),
  };
  for (const std::string& input : inputs) {
    EXPECT_EQ(RoundTrip(input), WithCrLf(input)) << input;
  }
  EXPECT_TRUE(messages_.shown.empty());
  // Files that are no drawings: opening them as a job's input refuses each,
  // for the reader and the writer alike, and nothing is written.
  for (const std::string input : {"", "\n\n\r\n"}) {
    WriteFile(out_, "previous");
    EXPECT_EQ(RoundTrip(input), "previous") << input;
  }
  EXPECT_EQ(messages_.shown.size(), 4u);
}

// The first line where `written` differs from `expected`, apart from group-90
// values, which the writer always writes as plain digits ("  273" becomes
// "273"); -1 when they agree.
long FirstDifference(const std::string& expected, const std::string& written) {
  std::vector<std::string_view> a, b;
  for (const auto* text : {&expected, &written}) {
    auto& lines = text == &expected ? a : b;
    std::size_t pos = 0;
    while (pos < text->size()) {
      const std::size_t end = text->find("\r\n", pos);
      lines.push_back(std::string_view(*text).substr(pos, end - pos));
      pos = end + 2;
    }
  }
  if (a.size() != b.size()) return static_cast<long>(std::min(a.size(), b.size()));
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] == b[i]) continue;
    const bool count = i % 2 == 1 && Trimmed(a[i - 1]) == "90" && Trimmed(a[i]) == b[i];
    if (!count) return static_cast<long>(i);
  }
  return -1;
}

TEST_F(ArcWriterTest, UnmarkedModelReproducesTheSampleDrawings) {
  const std::vector<std::string> samples = testing::SampleDrawings();
  if (samples.empty()) GTEST_SKIP() << "no sample drawings in " << QUILLMERE_SAMPLES_DIR;
  for (const std::string& sample : samples) {
    const std::string input = ReadFile(sample);
    PolylineModel model;
    Reported(ReadPolylines(model, sample), messages_);
    Reported(WriteArcResult(model, sample, out_), messages_);
    EXPECT_EQ(FirstDifference(WithCrLf(input), ReadFile(out_)), -1) << sample;
  }
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ArcWriterTest, LeavesOutMarkedVerticesAndWritesBulges) {
  const std::string output = RoundTrip(Lf(InEntities(LwPolyline(20))), [](PolylineModel& m) {
    for (int i = 3; i <= 8; ++i) testing::MarkDropped(m, 0, i);
    testing::MarkArcStart(m, 0, 2, 0.41421356237309503);
  });
  std::vector<std::string> expected = {"  0", "LWPOLYLINE", "  5", "3F", " 90", "14", " 70", "0"};
  for (int i = 0; i < 20; ++i) {
    if (i >= 3 && i <= 8) continue;
    expected.insert(expected.end(), {" 10", std::to_string(i), " 20", "0"});
    if (i == 2) expected.insert(expected.end(), {"42", "0.414213562373095"});
  }
  EXPECT_EQ(output, CrLf(InEntities(expected)));
}

TEST_F(ArcWriterTest, NewBulgeReplacesTheVertexOwnBulge) {
  const std::vector<std::string> body = {"0", "POLYLINE", "70", "0", "0", "VERTEX", "10", "0",
                                         "42", "0.5", "70", "0", "0", "VERTEX", "10", "1", "42",
                                         "0.5", "0", "SEQEND"};
  const std::string output = RoundTrip(Lf(InEntities(body)), [](PolylineModel& m) { testing::MarkArcStart(m, 0, 0, 0.00002); });
  EXPECT_EQ(output, CrLf(InEntities({"0", "POLYLINE", "70", "0", "0", "VERTEX", "10", "0", "70",
                                     "0", "42", "2E-5", "0", "VERTEX", "10", "1", "42", "0.5",
                                     "0", "SEQEND"})));
}

TEST_F(ArcWriterTest, PolylinesBeyondTheModelAreCopiedUnchanged) {
  const std::string input = Lf(InEntities(LwPolyline(3)));
  WriteFile(in_, input);
  PolylineModel empty;
  Reported(WriteArcResult(empty, in_, out_), messages_);
  EXPECT_EQ(ReadFile(out_), WithCrLf(input));
}

TEST_F(ArcWriterTest, ReportsFilesThatCannotBeOpenedOrCreated) {
  PolylineModel model;
  // The input is missing: text 11, and the previous output keeps every byte.
  WriteFile(out_, "previous");
  Reported(WriteArcResult(model, dir_.File("missing.dxf"), out_), messages_);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].Utf8Text(),
            "Folgende DXF Datei konnte nicht geöffnet werden: " + dir_.File("missing.dxf"));
  EXPECT_EQ(ReadFile(out_), "previous");

  // The output folder is missing: text 10 and the system's reason, nothing
  // written.
  WriteFile(in_, "0\nEOF\n");
  const std::string nowhere = dir_.File("no/such/folder/out.dxf");
  Reported(WriteArcResult(model, in_, nowhere), messages_);
  ASSERT_EQ(messages_.shown.size(), 2u);
  EXPECT_EQ(messages_.shown[1].Utf8Text(), "Folgende DXF Datei konnte nicht angelegt werden: " +
                                               nowhere + " (No such file or directory)");

  // A directory of that name cannot be created either.
  Reported(WriteArcResult(model, in_, dir_.path().string()), messages_);
  ASSERT_EQ(messages_.shown.size(), 3u);
  EXPECT_EQ(messages_.shown[2].Utf8Text(), "Folgende DXF Datei konnte nicht angelegt werden: " +
                                               dir_.path().string() + " (Is a directory)");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 2);
}

TEST_F(ArcWriterTest, InputMayBeTheOutput) {
  const std::string input = Lf(InEntities(LwPolyline(6)));
  WriteFile(in_, input);
  PolylineModel model;
  Reported(ReadPolylines(model, in_), messages_);
  testing::MarkDropped(model, 0, 1);
  Reported(WriteArcResult(model, in_, in_), messages_);
  EXPECT_TRUE(messages_.shown.empty());
  const std::string written = ReadFile(in_);
  EXPECT_NE(written.find(" 90\r\n5\r\n"), std::string::npos);
  EXPECT_EQ(written.find(" 10\r\n1\r\n"), std::string::npos);
  EXPECT_NE(written.find(" 10\r\n5\r\n"), std::string::npos);
}

// /dev/null, fork and file-size limits exist only on POSIX systems.
#ifndef _WIN32
TEST_F(ArcWriterTest, DeviceOutputIsWrittenNotReplaced) {
  WriteFile(in_, Lf(InEntities(LwPolyline(3))));
  PolylineModel model;
  Reported(ReadPolylines(model, in_), messages_);
  Reported(WriteArcResult(model, in_, "/dev/null"), messages_);
  EXPECT_TRUE(messages_.shown.empty());
  struct stat info {};
  ASSERT_EQ(::stat("/dev/null", &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST_F(ArcWriterTest, FullDiskKeepsThePreviousOutput) {
  // A big drawing written under a file-size limit in a child process.
  std::vector<std::string> body;
  for (int k = 0; k < 200; ++k) {
    const std::vector<std::string> p = LwPolyline(100);
    body.insert(body.end(), p.begin(), p.end());
  }
  WriteFile(in_, Lf(InEntities(body)));
  WriteFile(out_, "previous output");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const struct rlimit limit {64 * 1024, 64 * 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    RecordingMessages messages;
    PolylineModel model;
    Reported(ReadPolylines(model, in_), messages);
    Reported(WriteArcResult(model, in_, out_), messages);
    const bool reported = messages.shown.size() == 1 &&
                          messages.shown[0].Utf8Text() ==
                              "Folgende DXF Datei konnte nicht angelegt werden: " + out_ +
                                  " (File too large)";
    ::_exit(reported ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed write was not reported with text 10";
  EXPECT_EQ(ReadFile(out_), "previous output");
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 2);
}
#endif

}  // namespace
}  // namespace quillmere
