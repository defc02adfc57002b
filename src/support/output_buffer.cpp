// The parts of OutputFile that are the same on every platform: buffering,
// committing and discarding; the system calls are in output_file_posix.cpp
// and output_file_windows.cpp.
#include <cerrno>
#include <cstring>

#include "platform/file_system.h"
#include "support/output_file.h"

namespace quillmere {

void OutputFile::Write(std::string_view bytes) {
  if (bytes.size() > kRoom - used_) Flush();
  if (bytes.size() >= kRoom) {
    // Large blocks go out as they are, without a copy.
    if (!failed_ && !WriteOut(bytes.data(), bytes.size())) Fail(errno);
    return;
  }
  std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
  used_ += bytes.size();
}

void OutputFile::WriteLine(std::string_view line) {
  if (line.size() + 2 > kRoom - used_) {
    Write(line);
    Write("\r\n");
    return;
  }
  std::memcpy(buffer_.get() + used_, line.data(), line.size());
  used_ += line.size();
  buffer_[used_++] = '\r';
  buffer_[used_++] = '\n';
}

char* OutputFile::Room(std::size_t bytes) {
  if (bytes > kRoom - used_) Flush();
  return buffer_.get() + used_;
}

bool OutputFile::Flush() {
  if (!failed_ && used_ > 0 && !WriteOut(buffer_.get(), used_)) Fail(errno);
  used_ = 0;
  return !failed_;
}

bool OutputFile::Commit() {
  if (fd_ < 0) return false;
  Flush();
  CloseDescriptor();
  if (temporary_.empty()) return !failed_;
  errno = 0;
  if (failed_ || !MoveFileReplacing(temporary_, target_)) {
    Fail(errno);
    Discard();
    return false;
  }
  temporary_.clear();
  return true;
}

int OutputFile::CreationError(const std::string& path) {
  OutputFile probe;
  if (probe.Create(path)) return 0;
  return probe.Error() != 0 ? probe.Error() : EACCES;
}

void OutputFile::Discard() {
  CloseDescriptor();
  used_ = 0;
  if (!temporary_.empty()) RemoveFile(temporary_);
  temporary_.clear();
}

}  // namespace quillmere
