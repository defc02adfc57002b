// Runs one registered GUI test class: gui_tests NAME [Qt Test options].
#include <QApplication>

#include <cstdio>

#include "gui_test_registry.h"

int main(int argc, char** argv) {
  const auto& tests = quillmere::testing::GuiTests();
  const auto test = argc > 1 ? tests.find(argv[1]) : tests.end();
  if (test == tests.end()) {
    std::fprintf(stderr, "usage: %s TEST [options]; tests:", argv[0]);
    for (const auto& [name, run] : tests) std::fprintf(stderr, " %s", name.c_str());
    std::fprintf(stderr, "\n");
    return 2;
  }
  QApplication application(argc, argv);
  application.setAttribute(Qt::AA_Use96Dpi, true);
  // Qt Test reads its own options; the test's name is not one of them.
  argv[1] = argv[0];
  return test->second(argc - 1, argv + 1);
}
