#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "dxf/job_input.h"

namespace quillmere {

// The bytes of a job's input as a writer goes through them, read a block at
// a time into one buffer (JobInput::ReadAt) instead of touched through the
// mapping: the writers' walk through a file the reader has just walked.
class InputWindow {
 public:
  static constexpr std::int64_t kBlock = std::int64_t{256} << 10;

  explicit InputWindow(const JobInput& input) : input_(input) {}

  // The bytes from `begin` on up to `end`, or the first kBlock of them when
  // there are more. Valid until the next call.
  std::string_view Read(std::int64_t begin, std::int64_t end);

 private:
  const JobInput& input_;
  std::unique_ptr<char[]> room_;
  std::string_view held_;  // the bytes read last, from `held_begin_` on
  std::int64_t held_begin_ = 0;
};

}  // namespace quillmere
