#include "app/command_line.h"

#include <gtest/gtest.h>

namespace quillmere {
namespace {

std::optional<CommandLineRun> Check(const std::vector<std::string>& arguments,
                                    JobSettings& settings) {
  return CheckCommandLine(arguments, settings);
}

TEST(CommandLine, ModeWordAndFilesWithStartValues) {
  JobSettings s;
  const auto run = Check({"convert1", "a.dxf", "b.dxf"}, s);
  ASSERT_TRUE(run.has_value());
  EXPECT_EQ(run->mode, JobMode::kFindArcs);
  EXPECT_EQ(run->input, "a.dxf");
  EXPECT_EQ(run->output, "b.dxf");
  EXPECT_EQ(s.deviation.value(), 0.1);
  EXPECT_EQ(s.arc_tests.value(), 100);
  EXPECT_EQ(s.line_tests.value(), 100);
}

TEST(CommandLine, OptionalNumbersGoByPosition) {
  JobSettings s;
  ASSERT_TRUE(Check({"convert1", "a", "b", "0.5", "50"}, s));
  EXPECT_EQ(s.deviation.value(), 0.5);
  EXPECT_EQ(s.arc_tests.value(), 50);
  EXPECT_EQ(s.line_tests.value(), 100);

  JobSettings bad_first;
  ASSERT_TRUE(Check({"convert1", "a", "b", "x", "50"}, bad_first));
  EXPECT_EQ(bad_first.deviation.value(), 0.1);
  EXPECT_EQ(bad_first.arc_tests.value(), 50);

  JobSettings comma;
  ASSERT_TRUE(Check({"convert1", "a", "b", "0,5"}, comma));
  EXPECT_EQ(comma.deviation.value(), 0.1);

  JobSettings clamped;
  ASSERT_TRUE(Check({"convert1", "a", "b", "0.1", "5000", "0.4"}, clamped));
  EXPECT_EQ(clamped.arc_tests.value(), 1000);
  EXPECT_EQ(clamped.line_tests.value(), 1);
}

TEST(CommandLine, OptionsBeforeTheModeWordInAnyOrder) {
  JobSettings s;
  const auto run =
      Check({"--contours", "--summary", "--curves", "--exact", "convert1", "a", "b", "0.5"}, s);
  ASSERT_TRUE(run.has_value());
  EXPECT_TRUE(run->summary);
  EXPECT_TRUE(s.exact_distances);
  EXPECT_TRUE(s.contours);
  EXPECT_TRUE(s.curves);
  EXPECT_EQ(run->input, "a");
  EXPECT_EQ(s.deviation.value(), 0.5);

  JobSettings plain;
  const auto plain_run = Check({"convert2", "a", "b"}, plain);
  ASSERT_TRUE(plain_run.has_value());
  EXPECT_FALSE(plain_run->summary);
  EXPECT_FALSE(plain.exact_distances);
  EXPECT_FALSE(plain.contours);
  EXPECT_FALSE(plain.curves);

  // Options count as no arguments of the job, and only before the mode word.
  JobSettings untouched;
  EXPECT_FALSE(Check({"--exact", "convert1", "a"}, untouched));
  EXPECT_FALSE(untouched.exact_distances);
  const auto late = Check({"convert1", "--exact", "a", "b"}, untouched);
  ASSERT_TRUE(late.has_value());
  EXPECT_EQ(late->input, "--exact");
  EXPECT_FALSE(untouched.exact_distances);
}

TEST(CommandLine, JoinModesSetOnlyTheTolerance) {
  JobSettings three;
  const auto run3 = Check({"convert3", "a", "b", "0.123456789"}, three);
  ASSERT_TRUE(run3.has_value());
  EXPECT_EQ(run3->mode, JobMode::kJoinPolylines);
  EXPECT_EQ(three.join_tolerance.value(), 0.1234568);

  JobSettings two;
  const auto run2 = Check({"convert2", "a", "b", "0.002", "9", "9"}, two);
  ASSERT_TRUE(run2.has_value());
  EXPECT_EQ(run2->mode, JobMode::kChainLines);
  EXPECT_EQ(two.join_tolerance.value(), 0.002);
  EXPECT_EQ(two.arc_tests.value(), 100);
  EXPECT_EQ(two.deviation.value(), 0.1);
}

TEST(CommandLine, NoJobWithoutThreeArgumentsAndAnExactModeWord) {
  JobSettings s;
  EXPECT_FALSE(Check({"convert1", "a.dxf"}, s));
  EXPECT_FALSE(Check({}, s));
  EXPECT_FALSE(Check({"Convert1", "a", "b", "0.5"}, s));
  EXPECT_FALSE(Check({"convert4", "a", "b"}, s));
  EXPECT_FALSE(Check({" convert1", "a", "b"}, s));
  EXPECT_EQ(s.deviation.value(), 0.1);
}

}  // namespace
}  // namespace quillmere
