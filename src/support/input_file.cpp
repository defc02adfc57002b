#include "support/input_file.h"

#include <cerrno>  // EISDIR
#include <cstring>
#include <utility>

#include "platform/file_mapping.h"

namespace quillmere {

namespace {

// Closes the descriptor when the opening is done, unless a mapped file
// keeps it for its reads.
class OpenDescriptor {
 public:
  explicit OpenDescriptor(int fd) : fd_(fd) {}
  ~OpenDescriptor() {
    if (fd_ >= 0) CloseFile(fd_);
  }
  OpenDescriptor(const OpenDescriptor&) = delete;
  OpenDescriptor& operator=(const OpenDescriptor&) = delete;
  int get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// Reads the file open as `fd` to its end, whatever size it tells: `size`
// bytes are room for a start. Gives the number of bytes read.
Result<std::int64_t> ReadToEnd(int fd, std::int64_t size, std::unique_ptr<char[]>& bytes,
                               const std::string& path) {
  std::size_t room = size > 0 ? static_cast<std::size_t>(size) : std::size_t{1} << 16;
  bytes = std::make_unique_for_overwrite<char[]>(room);
  std::size_t done = 0;
  for (;;) {
    if (done == room) {
      auto larger = std::make_unique_for_overwrite<char[]>(room * 2);
      std::memcpy(larger.get(), bytes.get(), done);
      bytes = std::move(larger);
      room *= 2;
    }
    // From the descriptor's position on, which the opening left at the
    // start: a pipe has no positions to read at.
    const std::int64_t got = ReadFileOnward(fd, bytes.get() + done, room - done);
    if (got < 0) return Failure{Notice::kCannotReadInput, path, static_cast<int>(-got)};
    if (got == 0) return static_cast<std::int64_t>(done);
    done += static_cast<std::size_t>(got);
  }
}

}  // namespace

Result<InputFile> InputFile::Open(const std::string& path) {
  OpenDescriptor fd(OpenFileForReading(path));
  if (fd.get() < 0) return Failure{Notice::kCannotOpenInput, path, -fd.get()};
  FileKind kind = FileKind::kOther;
  int error = 0;
  if (!KindOfOpenFile(fd.get(), kind, error)) return Failure{Notice::kCannotOpenInput, path, error};
  if (kind == FileKind::kFolder) return Failure{Notice::kCannotOpenInput, path, EISDIR};
  InputFile file;
  file.path_ = path;
  StampOfOpenFile(fd.get(), file.stamp_);
  if (kind == FileKind::kRegular && file.stamp_.size > 0) {
    file.data_ = MapFileForReading(fd.get(), file.stamp_.size);
    if (file.data_ != nullptr) {
      file.size_ = file.stamp_.size;
      file.watch_ = WatchMapping(file.data_, file.size_);
      file.mapped_ = file.watch_ >= 0;
      if (file.mapped_) {
        file.fd_ = fd.Release();
        return file;
      }
      UnmapFile(file.data_, file.size_);
      file.data_ = nullptr;
    }
  }
  const Result<std::int64_t> read = ReadToEnd(fd.get(), file.stamp_.size, file.read_, path);
  if (!read) return read.failure();
  file.data_ = file.read_.get();
  file.size_ = *read;
  // A regular file shorter than it was a moment ago is one being rewritten.
  if (kind == FileKind::kRegular && file.size_ < file.stamp_.size) {
    return Failure{Notice::kCannotReadInput, path, 0};
  }
  return file;
}

InputFile::InputFile(InputFile&& other) noexcept { *this = std::move(other); }

InputFile& InputFile::operator=(InputFile&& other) noexcept {
  if (this == &other) return *this;
  Release();
  path_ = std::move(other.path_);
  data_ = std::exchange(other.data_, nullptr);
  size_ = std::exchange(other.size_, 0);
  mapped_ = std::exchange(other.mapped_, false);
  watch_ = std::exchange(other.watch_, -1);
  fd_ = std::exchange(other.fd_, -1);
  read_short_ = other.read_short_.load();
  read_ = std::move(other.read_);
  stamp_ = other.stamp_;
  return *this;
}

InputFile::~InputFile() { Release(); }

void InputFile::Release() {
  if (mapped_) {
    EndWatch(watch_);
    UnmapFile(data_, size_);
  }
  data_ = nullptr;
  size_ = 0;
  mapped_ = false;
  watch_ = -1;
  if (fd_ >= 0) CloseFile(fd_);
  fd_ = -1;
  read_.reset();
}

Status InputFile::Intact() const {
  if (read_short_ || MappingCutShort(watch_)) return Failure{Notice::kCannotReadInput, path_, 0};
  return Done{};
}

Status InputFile::Unchanged() const {
  FileStamp now;
  if (const int error = StampOfPath(path_, now); error != 0) {
    return Failure{Notice::kCannotReopenInput, path_, error};
  }
  if (!(now == stamp_)) return Failure{Notice::kInputChanged, path_};
  return Done{};
}

std::string_view InputFile::ReadAt(std::int64_t offset, std::size_t size, char* room) const {
  if (!mapped_) return Bytes().substr(static_cast<std::size_t>(offset), size);
  std::size_t done = 0;
  while (done < size) {
    const std::int64_t got =
        ReadFileAt(fd_, offset + static_cast<std::int64_t>(done), room + done, size - done);
    if (got <= 0) {
      read_short_ = true;
      std::memset(room + done, 0, size - done);
      break;
    }
    done += static_cast<std::size_t>(got);
  }
  return {room, size};
}


}  // namespace quillmere
