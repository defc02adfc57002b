#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace quillmere {

// The few file operations whose system calls differ between POSIX systems
// and Windows. Paths are UTF-8 texts on every platform.

// Opens a file for reading its bytes unchanged (no line-end translation):
// the descriptor, or minus the system's error number when the file cannot
// be opened. A folder may open on some systems: callers check with
// KindOfOpenFile.
int OpenFileForReading(const std::string& path);

// Reads up to `size` bytes at byte `offset` of the file open as `fd`
// without moving a shared file position, so that readers of different parts
// of one file never disturb each other. Returns the bytes read (0 at the
// end of the file), or minus the system's error number.
std::int64_t ReadFileAt(int fd, std::int64_t offset, char* data, std::size_t size);

// Reads up to `size` bytes from where the descriptor's position stands on,
// and moves it on: for what is read once from front to back, a pipe as
// well as a file (a pipe has no positions to read at). Returns the bytes
// read (0 at the end), or minus the system's error number.
std::int64_t ReadFileOnward(int fd, char* data, std::size_t size);

// What tells whether a file is still the one read before: its size, the
// time of its last change and, where the system has one, its identity in the
// file system (a file put in its place by a rename has another).
struct FileStamp {
  std::int64_t size = 0;
  std::int64_t modified = 0;  // nanoseconds, or whatever step the system keeps
  std::uint64_t identity = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of the file open as `fd`; false when the system cannot tell it.
bool StampOfOpenFile(int fd, FileStamp& stamp);

// The stamp of the file `path` names now, without opening it: 0 when it
// was told, otherwise the system's error number (no such file).
int StampOfPath(const std::string& path, FileStamp& stamp);

// Whether the file open as `fd` is a folder, a regular file or something
// else (a pipe, a device); false, with the error number in `error`, when
// the system cannot tell.
enum class FileKind { kFolder, kRegular, kOther };
bool KindOfOpenFile(int fd, FileKind& kind, int& error);

// Closes a descriptor of OpenFileForReading.
void CloseFile(int fd);

// Puts the file `from` in the place of `to`, replacing any file there, in
// one step: 0, or the system's error number when it cannot.
int MoveFileReplacing(const std::string& from, const std::string& to);

// Removes the file `path`; a file that is not there is no error.
void RemoveFile(const std::string& path);

// True when the program may create files in `folder`.
bool FolderIsWritable(const std::string& folder);

// `path` for the standard library's streams and std::filesystem. A plain
// std::string would be read in the system's 8-bit code page on Windows, which
// cannot spell every file name.
inline std::filesystem::path PathFromUtf8(std::string_view path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

}  // namespace quillmere
