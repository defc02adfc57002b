#include "app/presenter/main_window_controls.h"

namespace quillmere {

int NumberFieldIndex(std::string_view name) {
  for (int field = 0; field < kNumberFieldCount; ++field) {
    if (kNumberFields[field].name == name) return field;
  }
  return -1;
}

std::vector<int> ModeBoxesBeside(int field) {
  std::vector<int> boxes;
  for (int box = 0; box < kModeBoxCount; ++box) {
    if (NumberFieldIndex(kModeBoxes[box].beside) == field) boxes.push_back(box);
  }
  return boxes;
}

std::vector<std::string_view> MainWindowTabOrder() {
  std::vector<std::string_view> order = {"BitBtn1", "AboutBtn", "BitBtn2", "BitBtn4"};
  for (int field = 0; field < kNumberFieldCount; ++field) {
    order.push_back(kNumberFields[field].name);
    for (const int box : ModeBoxesBeside(field)) order.push_back(kModeBoxes[box].name);
  }
  order.insert(order.end(), {"Memo1", "PreviewBtn", "CancelBtn"});
  return order;
}

}  // namespace quillmere
