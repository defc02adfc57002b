// Runs the quillmere-cli program as a user would and checks its exit status,
// its messages and the files it leaves.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <cstdio>

#include "test_support.h"

namespace quillmere {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

struct CliResult {
  int status = -1;
  std::string output;  // stdout and stderr together
};

// `shell_prefix` runs in the same shell first, e.g. a ulimit.
CliResult RunCli(const std::string& arguments, const std::string& shell_prefix = "") {
  CliResult result;
  // A language saved by the user running the tests must not change the
  // German messages expected here.
  static const TempDir config;
  const std::string command = shell_prefix + "XDG_CONFIG_HOME=" + config.path().string() + " " +
                              std::string(QUILLMERE_CLI_PATH) + " " + arguments + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, got);
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

TEST(Cli, WrongArgumentsPrintUsageAndExit2) {
  for (const char* arguments : {"", "convert1 a.dxf", "Convert1 a.dxf b.dxf", "foo a b"}) {
    const CliResult result = RunCli(arguments);
    EXPECT_EQ(result.status, 2) << arguments;
    EXPECT_NE(result.output.find("Usage: quillmere-cli [--summary] [--exact] [--contours] [--curves] MODE INPUT OUTPUT"),
              std::string::npos);
  }
}

TEST(Cli, HelpAndVersion) {
  EXPECT_EQ(RunCli("--help").status, 0);
  const CliResult version = RunCli("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_NE(version.output.find("quillmere-cli 1.0"), std::string::npos);
}

TEST(Cli, MessagesGoToStderrWithExitStatus1) {
  TempDir dir;
  // A drawing without polylines: the information box of the arc job.
  WriteFile(dir.File("lines.dxf"), "0\nSECTION\n2\nENTITIES\n0\nLINE\n0\nENDSEC\n0\nEOF\n");
  const CliResult none = RunCli("convert1 " + dir.File("lines.dxf") + " " + dir.File("out.dxf"));
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.output.find("Keine Polylines"), std::string::npos) << none.output;
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.dxf")));

  const CliResult missing =
      RunCli("convert3 " + dir.File("missing.dxf") + " " + dir.File("out.dxf"));
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.output.find("Folgende DXF Datei konnte nicht geöffnet werden: " +
                                dir.File("missing.dxf")),
            std::string::npos)
      << missing.output;
}

TEST(Cli, SuccessIsSilent) {
  TempDir dir;
  const std::string drawing =
      "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n90\n2\n10\n0\n20\n0\n10\n1\n20\n0\n0\nENDSEC\n0\nEOF\n";
  WriteFile(dir.File("in.dxf"), drawing);
  const CliResult result =
      RunCli("convert1 " + dir.File("in.dxf") + " " + dir.File("out.dxf") + " 0.5 50");
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(result.output, "");
  EXPECT_EQ(ReadFile(dir.File("out.dxf")), testing::WithCrLf(drawing));
}

// --summary prints exactly one line of what the job did on stdout, and
// only after a successful job; a missing input leaves the previous output.
TEST(Cli, SummaryLineForEveryJob) {
  TempDir dir;
  const std::string out = dir.File("out.dxf");
  // Three LINEs, two of them head to tail; then the same as polylines.
  WriteFile(dir.File("lines.dxf"),
            "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n0\n20\n0\n11\n1\n21\n0\n"
            "0\nLINE\n10\n1\n20\n0\n11\n2\n21\n0\n0\nLINE\n10\n5\n20\n5\n11\n6\n21\n6\n"
            "0\nENDSEC\n0\nEOF\n");
  CliResult result = RunCli("--summary convert2 " + dir.File("lines.dxf") + " " + out);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "convert2: 3 lines, 2 polylines written\n");
  result = RunCli("--summary convert3 " + out + " " + dir.File("joined.dxf"));
  EXPECT_EQ(result.output, "convert3: 2 polylines read, 0 joined, 2 written\n");
  // --contours reaches both jobs: the third LINE, drawn backwards, joins.
  WriteFile(dir.File("back.dxf"),
            "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n0\n20\n0\n11\n1\n21\n0\n"
            "0\nLINE\n10\n1\n20\n0\n11\n1\n21\n1\n0\nLINE\n10\n0\n20\n0\n11\n1\n21\n1\n"
            "0\nENDSEC\n0\nEOF\n");
  result = RunCli("--summary --contours convert2 " + dir.File("back.dxf") + " " + out);
  EXPECT_EQ(result.output, "convert2: 3 lines, 0 arcs, 1 polylines written, 1 closed\n");
  result = RunCli("--summary convert2 " + dir.File("back.dxf") + " " + dir.File("open.dxf"));
  result = RunCli("--summary --contours convert3 " + dir.File("open.dxf") + " " + out);
  EXPECT_EQ(result.output, "convert3: 2 polylines read, 1 joined, 1 written, 1 closed\n");

  std::string quarter = "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n";
  for (int i = 0; i <= 8; ++i) {
    const double angle = i * M_PI / 16;
    quarter += "10\n" + std::to_string(10 * std::cos(angle)) + "\n20\n" +
               std::to_string(10 * std::sin(angle)) + "\n";
  }
  WriteFile(dir.File("arc.dxf"), quarter + "0\nENDSEC\n0\nEOF\n");
  result = RunCli("--summary convert1 " + dir.File("arc.dxf") + " " + out);
  EXPECT_EQ(result.output, "convert1: 1 polylines, 9 vertices read, 7 removed, 1 arcs\n");

  WriteFile(out, "previous");
  for (const char* mode : {"convert1", "convert2", "convert3"}) {
    result = RunCli(std::string("--summary ") + mode + " " + dir.File("missing.dxf") + " " + out);
    EXPECT_EQ(result.status, 1) << mode;
    EXPECT_EQ(result.output.find(mode), std::string::npos) << result.output;
    EXPECT_EQ(ReadFile(out), "previous") << mode;
  }
}

// A picture, an empty file and a missing file given to each job: status 1,
// one line that names the file, and the previous output as it was.
TEST(Cli, AnInputThatIsNoDrawingGivesOneLineAndKeepsThePreviousOutput) {
  TempDir dir;
  const std::string out = dir.File("out.dxf");
  WriteFile(dir.File("picture.png"), std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  WriteFile(dir.File("empty.dxf"), "");
  for (const char* mode : {"convert1", "convert2", "convert3"}) {
    for (const char* name : {"picture.png", "empty.dxf", "missing.dxf"}) {
      WriteFile(out, "previous");
      const CliResult result = RunCli(std::string(mode) + " " + dir.File(name) + " " + out);
      const std::string where = std::string(mode) + " " + name + ": " + result.output;
      EXPECT_EQ(result.status, 1) << where;
      EXPECT_EQ(std::count(result.output.begin(), result.output.end(), '\n'), 1) << where;
      EXPECT_NE(result.output.find(dir.File(name)), std::string::npos) << where;
      EXPECT_EQ(ReadFile(out), "previous") << where;
    }
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
}

// Memory that runs out inside a job ends it with its message and status 1,
// not with an uncaught exception; the previous output keeps every byte.
TEST(Cli, OutOfMemoryEndsTheJobWithOneMessage) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "a limit on the address space stops the sanitizer itself";
#endif
  TempDir dir;
  // About 12 MB of polylines of 200 vertices: far beyond 30 MB of address
  // space once read with every vertex (contours join them), which the
  // program itself fits in.
  std::string drawing = "0\nSECTION\n2\nENTITIES\n";
  for (int k = 0; drawing.size() < (12 << 20); ++k) {
    drawing += "0\nLWPOLYLINE\n90\n200\n";
    for (int i = 0; i < 200; ++i) {
      const double angle = i * M_PI / 400;
      drawing += "10\n" + std::to_string(k + 10 * std::cos(angle)) + "\n20\n" +
                 std::to_string(10 * std::sin(angle)) + "\n";
    }
  }
  WriteFile(dir.File("big.dxf"), drawing + "0\nENDSEC\n0\nEOF\n");
  const std::string out = dir.File("out.dxf");
  WriteFile(out, "previous");
  const CliResult result =
      RunCli("--contours convert3 " + dir.File("big.dxf") + " " + out, "ulimit -v 30000; ");
  EXPECT_EQ(result.status, 1) << result.output;
  EXPECT_EQ(result.output,
            "Nicht genug Arbeitsspeicher für folgende DXF Datei, die Ausgabe bleibt unverändert: " +
                dir.File("big.dxf") + "\n");
  EXPECT_EQ(ReadFile(out), "previous");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

}  // namespace
}  // namespace quillmere
