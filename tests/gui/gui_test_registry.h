#pragma once

// The GUI test classes share one program: each registers under the name of
// its source file, and the program runs the one named on its command line,
// so that every class still gets a fresh application and a process of its
// own.

#include <QObject>
#include <QTest>

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace quillmere::testing {

using GuiTestRun = std::function<int(int argc, char** argv)>;

inline std::map<std::string, GuiTestRun>& GuiTests() {
  static std::map<std::string, GuiTestRun> tests;
  return tests;
}

// "tests/gui/main_form_test.cpp" -> "main_form_test"
inline std::string GuiTestName(std::string_view file) {
  file = file.substr(file.find_last_of("/\\") + 1);
  return std::string(file.substr(0, file.find('.')));
}

template <typename TestClass>
bool RegisterGuiTest(std::string_view file) {
  GuiTests()[GuiTestName(file)] = [](int argc, char** argv) {
    TestClass test;
    return QTest::qExec(&test, argc, argv);
  };
  return true;
}

}  // namespace quillmere::testing

#define QUILLMERE_GUI_TEST(TestClass)                                              \
  [[maybe_unused]] static const bool registered_##TestClass##_gui_test =           \
      ::quillmere::testing::RegisterGuiTest<::quillmere::TestClass>(__FILE__)
