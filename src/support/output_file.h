#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "support/result.h"

namespace quillmere {

// An output file that never destroys what it replaces before it is complete.
//
// For a regular file (or a name that does not exist yet) the bytes go to a
// temporary file in the same folder, which takes the output's name only when
// `Commit` finds every write successful. So the input may be chosen as the
// output, and a write that fails part way (a full disk) leaves the previous
// file untouched and no temporary file behind. An existing output that is not
// a regular file (a device such as /dev/null, a pipe) is written directly.
//
// Writes fail quietly: the first failure is kept and told by Commit.
class OutputFile {
 public:
  // Creates the output `path`: the temporary file beside it, or a device
  // opened for writing. kCannotCreateOutput with the system's reason when it
  // cannot (folder missing or not writable, a folder (EISDIR) or a
  // write-protected file of that name).
  static Result<OutputFile> Create(const std::string& path);

  // Whether an output could be created at `path` now, failing as Create
  // would. Lets a job find out before it starts its work; leaves nothing
  // behind.
  static Status CheckCreatable(const std::string& path);

  OutputFile(OutputFile&& other) noexcept;
  OutputFile& operator=(OutputFile&& other) noexcept;
  ~OutputFile();

  void Write(std::string_view bytes);
  // Writes the line followed by carriage return and line feed.
  void WriteLine(std::string_view line);

  // Room for `bytes` (at most kRoom) bytes to be written in place; Advance
  // then keeps the `bytes` written there. Saves a copy for writers that
  // build their bytes themselves.
  static constexpr std::size_t kRoom = std::size_t{1} << 20;
  char* Room(std::size_t bytes);
  void Advance(std::size_t bytes) { used_ += bytes; }

  // Completes the file and puts it in place. kCannotCreateOutput, with the
  // system's reason for the first write that failed, when any did; the
  // temporary file is then removed and the previous output stays as it was.
  Status Commit();

  // Removes the temporary file; the previous output stays as it was.
  void Discard();

 private:
  OutputFile() = default;
  // Opens the temporary file or the device for `path`: 0, or the system's
  // error number. One version per platform.
  int Open(const std::string& path);
  void Flush();
  // Notes a failure with the system's error number (the first one counts).
  void Fail(int error) {
    if (!failed_ && error_ == 0) error_ = error;
    failed_ = true;
  }
  // Hands `size` bytes to the system: 0 when all of them were written,
  // otherwise the system's error number. One version per platform.
  int WriteOut(const char* data, std::size_t size);
  void CloseDescriptor();

  int fd_ = -1;
  std::string path_;       // as the caller named it, for messages
  std::string target_;     // the file that receives the result
  std::string temporary_;  // empty when writing to the target directly
  std::unique_ptr<char[]> buffer_ = std::make_unique_for_overwrite<char[]>(kRoom);
  std::size_t used_ = 0;
  bool failed_ = false;
  int error_ = 0;
};

}  // namespace quillmere
