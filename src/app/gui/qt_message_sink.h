#pragma once

#include "support/message_sink.h"

class QWidget;

namespace quillmere {

// Shows the jobs' messages in modal message boxes over the active window,
// or over no window at all. Each call returns when the user has confirmed the
// box.
class QtMessageSink : public MessageSink {
 public:
  enum class Owner { kActiveWindow, kNone };

  explicit QtMessageSink(Owner owner = Owner::kActiveWindow) : owner_(owner) {}

  // Error icon, one OK button and the application's title as caption.
  void ShowError(const std::u16string& text) override;
  // Information icon, one OK button and the given caption.
  void ShowInformation(const std::u16string& caption, const std::u16string& text) override;

 private:
  QWidget* BoxOwner() const;

  Owner owner_;
};

}  // namespace quillmere
