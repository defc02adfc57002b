#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "support/result.h"

namespace quillmere {

// A file opened once and seen whole as bytes: a regular file is mapped
// into memory (nothing is copied; long reads go through ReadAt), anything
// else that reads (a pipe, a device, a file of the system that tells size 0)
// is read to its end into memory. Every reader of a job reads from the one
// InputFile; none opens the file again.
class InputFile {
 public:
  // Opens `path`: kCannotOpenInput when it cannot be opened or is a folder
  // (EISDIR), kCannotReadInput when reading it failed (with the system's
  // reason).
  static Result<InputFile> Open(const std::string& path);

  InputFile(InputFile&& other) noexcept;
  InputFile& operator=(InputFile&& other) noexcept;
  ~InputFile();

  const std::string& Path() const { return path_; }
  std::string_view Bytes() const { return {data_, static_cast<std::size_t>(size_)}; }
  std::int64_t Size() const { return size_; }
  // Whether the bytes are a mapping of the file rather than read into memory.
  bool IsMapped() const { return mapped_; }
  // The file as it was opened.
  const FileStamp& Stamp() const { return stamp_; }

  // Whether every byte read so far was the file's: kCannotReadInput once the
  // file grew shorter than it was when it was opened (its missing bytes
  // read as zero bytes), or its storage failed under a read.
  Status Intact() const;

  // Whether the file that Path() names now is still the one opened:
  // kInputChanged when it changed or another file took its place,
  // kCannotReopenInput when it is gone.
  Status Unchanged() const;

  // The bytes [offset, offset + size), which must lie in the file: for
  // long copies. A mapped file is read into `room` (at least `size` bytes)
  // rather than through its mapping: every page touched through a mapping
  // costs a fault, and a virtual machine that shadows page tables makes
  // each such first touch cost far more than copying the page; a copy into
  // one buffer used again and again touches the same few pages. Bytes that
  // could not be read read as zero bytes, and Intact fails from then on.
  std::string_view ReadAt(std::int64_t offset, std::size_t size, char* room) const;

 private:
  InputFile() = default;
  void Release();

  std::string path_;
  const char* data_ = nullptr;
  std::int64_t size_ = 0;
  bool mapped_ = false;
  int watch_ = -1;
  int fd_ = -1;  // a mapped file's, for ReadAt
  mutable std::atomic<bool> read_short_{false};  // readers may read at once
  std::unique_ptr<char[]> read_;  // the bytes of a file read, not mapped
  FileStamp stamp_;
};

}  // namespace quillmere
