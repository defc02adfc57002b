#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "support/job_observer.h"

namespace quillmere {

// A file whose bytes are read by position, by as many windows as the reader
// needs: one that walks through the file and one that fetches parts from
// elsewhere never disturb each other.
class InputFile {
 public:
  InputFile() = default;
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Opens a regular file (or another readable non-directory).
  bool Open(const std::string& path);

  // Closes the file before its end of life: on Windows an open file
  // cannot be replaced, and the output may take the input's place.
  void Close();

  // The size of the file as it was opened, in bytes.
  std::int64_t Size() const { return size_; }

  // True once a read failed or found the file shorter than it was; Error()
  // is then the system's error number (0 for a file that grew shorter).
  bool Failed() const { return failed_; }
  int Error() const { return error_; }

  // The file as it was opened, to tell whether it is still the same.
  const FileStamp& Stamp() const { return stamp_; }

  // Reads [offset, offset + size) into `data`; false (and Failed) when the
  // bytes could not all be read.
  bool ReadAt(std::int64_t offset, char* data, std::size_t size);

  // Reads up to `size` bytes from `offset`, fewer at the end of the file
  // whatever size it was opened with (files of the system such as those in
  // /proc tell size 0); the bytes read, or -1 (and Failed) on an error.
  std::int64_t ReadUpTo(std::int64_t offset, char* data, std::size_t size);

 private:
  int fd_ = -1;
  std::int64_t size_ = 0;
  bool failed_ = false;
  int error_ = 0;
  FileStamp stamp_;
};

// Reads ranges of an InputFile through a buffer of its own, a large block
// at a time, so that consecutive ranges cost one read per block.
class InputWindow {
 public:
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

  // A window that walks through the file reads a whole block ahead; one
  // that fetches scattered parts (`read_ahead` 0) reads only the bytes
  // asked for, so that many small parts never cost a block each.
  explicit InputWindow(InputFile& file, std::size_t read_ahead = kBlockSize)
      : file_(file), read_ahead_(read_ahead) {}

  // Calls `use(std::string_view)` with the bytes [begin, end) of the file in
  // order, in one or more pieces; nothing once the file failed.
  template <typename Use>
  void Read(std::int64_t begin, std::int64_t end, Use&& use) {
    while (begin < end) {
      if (!Holds(begin) && !Load(begin, end)) return;
      const std::int64_t stop = end < loaded_end_ ? end : loaded_end_;
      use(std::string_view(buffer_.get() + (begin - loaded_begin_),
                           static_cast<std::size_t>(stop - begin)));
      begin = stop;
    }
  }

  // Reports the end of every block read to `tap`, which may stop the job.
  void WatchProgress(ProgressTap tap) { tap_ = tap; }

 private:
  bool Holds(std::int64_t offset) const {
    return offset >= loaded_begin_ && offset < loaded_end_;
  }
  bool Load(std::int64_t offset, std::int64_t wanted_end);

  InputFile& file_;
  std::size_t read_ahead_;
  std::unique_ptr<char[]> buffer_ = std::make_unique_for_overwrite<char[]>(kBlockSize);
  std::int64_t loaded_begin_ = 0;
  std::int64_t loaded_end_ = 0;
  ProgressTap tap_;
};

}  // namespace quillmere
