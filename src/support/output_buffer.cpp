// The parts of OutputFile that are the same on every platform: buffering,
// committing and discarding; the system calls are in output_file_posix.cpp
// and output_file_windows.cpp.
#include <cstring>
#include <utility>

#include "platform/file_system.h"
#include "support/output_file.h"

namespace quillmere {

Result<OutputFile> OutputFile::Create(const std::string& path) {
  OutputFile file;
  file.path_ = path;
  if (const int error = file.Open(path); error != 0) {
    return Failure{Notice::kCannotCreateOutput, path, error};
  }
  return file;
}

Status OutputFile::CheckCreatable(const std::string& path) {
  const Result<OutputFile> probe = Create(path);
  if (!probe) return probe.failure();
  return Done{};
}

OutputFile::OutputFile(OutputFile&& other) noexcept { *this = std::move(other); }

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
  if (this == &other) return *this;
  Discard();
  fd_ = std::exchange(other.fd_, -1);
  path_ = std::move(other.path_);
  target_ = std::move(other.target_);
  temporary_ = std::exchange(other.temporary_, std::string());
  buffer_ = std::move(other.buffer_);
  used_ = std::exchange(other.used_, 0);
  failed_ = other.failed_;
  error_ = other.error_;
  return *this;
}

void OutputFile::Write(std::string_view bytes) {
  if (bytes.size() > kRoom - used_) Flush();
  if (bytes.size() >= kRoom) {
    // Large blocks go out as they are, without a copy.
    if (!failed_) {
      if (const int error = WriteOut(bytes.data(), bytes.size()); error != 0) Fail(error);
    }
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

void OutputFile::Flush() {
  if (!failed_ && used_ > 0) {
    if (const int error = WriteOut(buffer_.get(), used_); error != 0) Fail(error);
  }
  used_ = 0;
}

Status OutputFile::Commit() {
  if (fd_ < 0) return Failure{Notice::kCannotCreateOutput, path_, error_};
  Flush();
  CloseDescriptor();
  if (!temporary_.empty() && !failed_) {
    if (const int error = MoveFileReplacing(temporary_, target_); error != 0) Fail(error);
  }
  if (failed_) {
    Discard();
    return Failure{Notice::kCannotCreateOutput, path_, error_};
  }
  temporary_.clear();
  return Done{};
}

void OutputFile::Discard() {
  CloseDescriptor();
  used_ = 0;
  if (!temporary_.empty()) RemoveFile(temporary_);
  temporary_.clear();
}

}  // namespace quillmere
