#pragma once

#include <string>

namespace quillmere {

// What the core has to tell the user, in the order it happens. The layer
// that talks to the user turns each notice into its text and shows it; the
// core never formats a message itself.
enum class Notice {
  kCannotOpenInput,     // the input could not be opened for reading
  kCannotCreateOutput,  // the output could not be created or written completely
  kCannotReopenInput,   // the input could not be read again to write the output
  kNoPolylines,         // the input holds no polyline to work on
};

class NoticeSink {
 public:
  virtual ~NoticeSink() = default;
  // `file_name` names the file concerned; empty for kNoPolylines. Returns
  // once the user has seen the notice.
  virtual void Notify(Notice notice, const std::string& file_name) = 0;
};

}  // namespace quillmere
