#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace quillmere {

// An output file that never destroys what it replaces before it is complete.
//
// For a regular file (or a name that does not exist yet) the bytes go to a
// temporary file in the same folder, which takes the output's name only when
// `Commit` finds every write successful. So the input may be chosen as the
// output, and a write that fails part way (a full disk) leaves the previous
// file untouched and no temporary file behind. An existing output that is not
// a regular file (a device such as /dev/null, a pipe) is written directly.
class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // False when the output cannot be created (folder missing or not
  // writable, a directory or a write-protected file of that name).
  bool Create(const std::string& path);

  void Write(std::string_view bytes);
  // Writes the line followed by carriage return and line feed.
  void WriteLine(std::string_view line);

  // Room for `bytes` (at most kRoom) bytes to be written in place; Advance
  // then keeps the `bytes` written there. Saves a copy for writers that
  // build their bytes themselves.
  static constexpr std::size_t kRoom = std::size_t{1} << 20;
  char* Room(std::size_t bytes);
  void Advance(std::size_t bytes) { used_ += bytes; }

  // Completes the file and puts it in place. False when any write failed; the
  // temporary file is then removed and the previous output stays as it was.
  bool Commit();

  // Removes the temporary file; the previous output stays as it was.
  void Discard();

  // The system's error number of the failure that made Create or Commit
  // fail (EISDIR for a folder of the output's name); 0 when it gave none.
  int Error() const { return error_; }

  // Whether an output could be created at `path` now: 0 when it could,
  // otherwise the error number of why not (no such folder, no permission, a
  // folder of that name). Lets a job find out before it starts its work;
  // leaves nothing behind.
  static int CreationError(const std::string& path);

 private:
  bool Flush();
  // Notes a failure with the system's error number (the first one counts).
  void Fail(int error) {
    if (!failed_ && error_ == 0) error_ = error;
    failed_ = true;
  }
  // Hands `size` bytes to the system; false when any of them could not be
  // written. One version per platform.
  bool WriteOut(const char* data, std::size_t size);
  void CloseDescriptor();

  int fd_ = -1;
  std::string target_;     // the file that receives the result
  std::string temporary_;  // empty when writing to the target directly
  std::unique_ptr<char[]> buffer_ = std::make_unique_for_overwrite<char[]>(kRoom);
  std::size_t used_ = 0;
  bool failed_ = false;
  int error_ = 0;
};

}  // namespace quillmere
