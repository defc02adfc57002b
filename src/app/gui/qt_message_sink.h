#pragma once

#include "support/message_sink.h"

namespace quillmere {

// Shows the jobs' messages in modal message boxes over the active window.
// Each call returns when the user has confirmed the box.
class QtMessageSink : public MessageSink {
 public:
  // Error icon, one OK button and the application's title as caption.
  void ShowError(const std::u16string& text) override;
  // Information icon, one OK button and the given caption.
  void ShowInformation(const std::u16string& caption, const std::u16string& text) override;
};

}  // namespace quillmere
