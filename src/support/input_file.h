#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "support/result.h"

namespace quillmere {

// A file opened once and seen whole as bytes: a regular file is mapped
// into memory (nothing is copied, and pages that were read may leave memory
// again), anything else that reads (a pipe, a device, a file of the system
// that tells size 0) is read to its end into memory. Every reader of a job
// reads from the one InputFile; none opens the file again.
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

  // Lets the bytes [begin, end) leave memory: nothing reads them again
  // soon. A later read still finds them.
  void Forget(std::int64_t begin, std::int64_t end) const;

 private:
  InputFile() = default;
  void Release();

  std::string path_;
  const char* data_ = nullptr;
  std::int64_t size_ = 0;
  bool mapped_ = false;
  int watch_ = -1;
  std::unique_ptr<char[]> read_;  // the bytes of a file read, not mapped
  FileStamp stamp_;
};

}  // namespace quillmere
