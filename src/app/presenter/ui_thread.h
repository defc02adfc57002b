#pragma once

#include <functional>

namespace quillmere {

// The one thing the presenter needs of a toolkit's event loop: work run on
// the thread that owns the windows. A job runs on a thread of its own; what
// it has to show (a message, its end) goes through here.
class UiThread {
 public:
  virtual ~UiThread() = default;

  // Runs `work` on the windows' thread once that thread is back in its
  // event loop; may be called from any thread.
  virtual void Post(std::function<void()> work) = 0;
};

}  // namespace quillmere
