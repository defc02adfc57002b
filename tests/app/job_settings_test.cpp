#include "app/job_settings.h"

#include <gtest/gtest.h>

namespace quillmere {
namespace {

TEST(JobSettings, StartValuesAndTheirText) {
  const JobSettings settings;
  EXPECT_EQ(settings.AbweichEd.value(), 0.1);
  EXPECT_EQ(settings.TestEd.value(), 100);
  EXPECT_EQ(settings.Test2Ed.value(), 100);
  EXPECT_EQ(settings.AbweichLinEd.value(), 0.01);
  EXPECT_EQ(settings.AbweichEd.Text(), "0.10000");
  EXPECT_EQ(settings.AbweichLinEd.Text(), "0.0100000");
  EXPECT_EQ(settings.TestEd.Text(), "100");
}

TEST(JobSettings, SettingClampsThenRounds) {
  JobSettings s;
  s.TestEd.Set(50.5);
  EXPECT_EQ(s.TestEd.value(), 50);
  s.TestEd.Set(51.5);
  EXPECT_EQ(s.TestEd.value(), 52);
  s.TestEd.Set(50.7);
  EXPECT_EQ(s.TestEd.value(), 51);
  s.TestEd.Set(5000);
  EXPECT_EQ(s.TestEd.value(), 1000);
  s.TestEd.Set(0);
  EXPECT_EQ(s.TestEd.value(), 1);
  s.Test2Ed.Set(-7);
  EXPECT_EQ(s.Test2Ed.value(), 1);

  s.AbweichLinEd.Set(0.123456789);
  EXPECT_EQ(s.AbweichLinEd.value(), 0.1234568);
  s.AbweichLinEd.Set(2e6);
  EXPECT_EQ(s.AbweichLinEd.Text(), "1000000.0000000");
  s.AbweichLinEd.Set(-1);
  EXPECT_EQ(s.AbweichLinEd.Text(), "0.0000000");
  s.AbweichEd.Set(0.123456);
  EXPECT_EQ(s.AbweichEd.value(), 0.12346);
  s.AbweichEd.Set(0.01 + 1);
  EXPECT_EQ(s.AbweichEd.Text(), "1.01000");
}

TEST(JobSettings, TextThatIsNoNumberLeavesTheValue) {
  JobSettings s;
  EXPECT_FALSE(s.AbweichEd.SetText("0,5"));
  EXPECT_FALSE(s.AbweichEd.SetText("x"));
  EXPECT_FALSE(s.AbweichEd.SetText("1e400"));
  EXPECT_EQ(s.AbweichEd.value(), 0.1);
  EXPECT_TRUE(s.AbweichEd.SetText(" 0.5 "));
  EXPECT_EQ(s.AbweichEd.value(), 0.5);
  s.Reset();
  EXPECT_EQ(s.AbweichEd.value(), 0.1);
}

}  // namespace
}  // namespace quillmere
