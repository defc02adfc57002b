#pragma once

#include <string>

namespace quillmere {

// Where the jobs and the core report to the user. The desktop program shows
// modal message boxes, the command-line tool prints to stderr, tests record
// what was shown. Every call returns only once the user has confirmed.
class MessageSink {
 public:
  virtual ~MessageSink() = default;

  // An error box: error icon, one OK button, the platform's default caption.
  virtual void ShowError(const std::u16string& text) = 0;

  // An information box: information icon, one OK button, its own caption.
  virtual void ShowInformation(const std::u16string& caption, const std::u16string& text) = 0;
};

}  // namespace quillmere
