#include "app/presenter/window_texts.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace quillmere {
namespace {

TEST(WindowTexts, CopyrightYearReplacesEveryPlaceholder) {
  EXPECT_EQ(WithYear(u"Copyright © XXXX Tormel", 2026), u"Copyright © 2026 Tormel");
  EXPECT_EQ(WithYear(u"XXXX-XXXX", 7), u"7-7");
  EXPECT_EQ(WithYear(u"XXX", 2026), u"XXX");
}

// Captions from the last window to the first, then each window's
// components from its last to its first, the last window first.
TEST(WindowTexts, TranslationOrderIsBreadthFirstFromTheLast) {
  const ControlText first[] = {{"A", ControlKind::kButton, u"a"}, {"B", ControlKind::kLabel, u"b"}};
  const ControlText second[] = {{"C", ControlKind::kButton, u"c"}};
  const WindowTexts windows[] = {{"One", u"1", first}, {"Two", u"2", second}};
  std::vector<std::pair<int, int>> visits;
  VisitInTranslationOrder(windows, [&](int window, int control) { visits.emplace_back(window, control); });
  const std::vector<std::pair<int, int>> expected = {{1, -1}, {0, -1}, {1, 0}, {0, 1}, {0, 0}};
  EXPECT_EQ(visits, expected);
}

TEST(WindowTexts, TheMemoGivesTheHelpLinesAndNamesAreFound) {
  const int memo = ControlIndex(kMainWindow, "Memo1");
  ASSERT_GE(memo, 0);
  const std::vector<std::u16string_view> lines = ControlTexts(ProgramWindows()[kMainWindow].controls[memo]);
  ASSERT_EQ(lines.size(), HelpLines().size());
  EXPECT_EQ(lines.front(), u"Die Linien müssen in Form einer \"Polyline\" vorliegen.");
  EXPECT_EQ(ControlGerman(kPreviewWindow, "VorherBtn"), u"Vorher");
  EXPECT_EQ(ControlIndex(kAboutWindow, "NoSuchControl"), -1);
}

}  // namespace
}  // namespace quillmere
