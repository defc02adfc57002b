#include "app/job_settings.h"

#include <gtest/gtest.h>

namespace quillmere {
namespace {

TEST(JobSettings, StartValuesAndTheirText) {
  const JobSettings settings;
  EXPECT_EQ(settings.deviation.value(), 0.1);
  EXPECT_EQ(settings.arc_tests.value(), 100);
  EXPECT_EQ(settings.line_tests.value(), 100);
  EXPECT_EQ(settings.join_tolerance.value(), 0.01);
  EXPECT_EQ(settings.deviation.Text(), "0.10000");
  EXPECT_EQ(settings.join_tolerance.Text(), "0.0100000");
  EXPECT_EQ(settings.arc_tests.Text(), "100");
}

TEST(JobSettings, SettingClampsThenRounds) {
  JobSettings s;
  s.arc_tests.Set(50.5);
  EXPECT_EQ(s.arc_tests.value(), 50);
  s.arc_tests.Set(51.5);
  EXPECT_EQ(s.arc_tests.value(), 52);
  s.arc_tests.Set(50.7);
  EXPECT_EQ(s.arc_tests.value(), 51);
  s.arc_tests.Set(5000);
  EXPECT_EQ(s.arc_tests.value(), 1000);
  s.arc_tests.Set(0);
  EXPECT_EQ(s.arc_tests.value(), 1);
  s.line_tests.Set(-7);
  EXPECT_EQ(s.line_tests.value(), 1);

  s.join_tolerance.Set(0.123456789);
  EXPECT_EQ(s.join_tolerance.value(), 0.1234568);
  s.join_tolerance.Set(2e6);
  EXPECT_EQ(s.join_tolerance.Text(), "1000000.0000000");
  s.join_tolerance.Set(-1);
  EXPECT_EQ(s.join_tolerance.Text(), "0.0000000");
  s.deviation.Set(0.123456);
  EXPECT_EQ(s.deviation.value(), 0.12346);
  s.deviation.Set(0.01 + 1);
  EXPECT_EQ(s.deviation.Text(), "1.01000");
}

TEST(JobSettings, TextThatIsNoNumberLeavesTheValue) {
  JobSettings s;
  EXPECT_FALSE(s.deviation.SetText("0,5"));
  EXPECT_FALSE(s.deviation.SetText("x"));
  EXPECT_FALSE(s.deviation.SetText("1e400"));
  EXPECT_EQ(s.deviation.value(), 0.1);
  EXPECT_TRUE(s.deviation.SetText(" 0.5 "));
  EXPECT_EQ(s.deviation.value(), 0.5);
  s.Reset();
  EXPECT_EQ(s.deviation.value(), 0.1);
}

}  // namespace
}  // namespace quillmere
