// Runs the quillmere-cli program as a user would and checks its exit status,
// its messages and the files it leaves.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
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

CliResult RunCli(const std::string& arguments) {
  CliResult result;
  // A language saved by the user running the tests must not change the
  // German messages expected here.
  static const TempDir config;
  const std::string command = "XDG_CONFIG_HOME=" + config.path().string() + " " +
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
    EXPECT_NE(result.output.find("Usage: quillmere-cli [--summary] [--exact] [--contours] MODE INPUT OUTPUT"),
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

}  // namespace
}  // namespace quillmere
