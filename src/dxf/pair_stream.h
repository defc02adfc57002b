#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "support/job_observer.h"

namespace quillmere {

// One DXF group pair: the code line and the value line, exactly as read.
struct DxfPair {
  std::string code;
  std::string value;
  // False when the input ended right after the code line. The value then
  // reads as empty, and a writer copying the pair writes no value line.
  bool has_value = true;
  std::int64_t offset = 0;  // byte position of the code line in the file
};

// One group pair seen in place: the views point into the reader's buffer
// and stay valid until the next read.
struct PairView {
  std::string_view code;
  std::string_view value;
  bool has_value = true;
  std::int64_t offset = 0;  // byte position of the code line in the file
  std::int64_t end = 0;     // byte position just behind the pair's last line end
  // Every line of the pair ends with CR LF (not only LF, nor the file's end).
  bool ends_in_crlf = false;
};

// Sequential reader of a DXF text file, pair by pair (or line by line), with
// a look-ahead of one pair.
//
// An entity ends at a pair that belongs to what follows; whoever reads the
// entity puts that pair back, and the next ReadPair yields it again, also
// when it was the last pair of the file.
//
// A line ends at a line feed, optionally preceded by a carriage return; the
// line end is not part of the line. A last line without a line end still
// counts. The file is read in large blocks; lines of any length are handled.
class PairStream {
 public:
  PairStream() = default;
  ~PairStream();
  PairStream(const PairStream&) = delete;
  PairStream& operator=(const PairStream&) = delete;

  // Opens a regular file (or another readable non-directory) for reading,
  // from byte `from` on: the first line read starts there.
  bool Open(const std::string& path, std::int64_t from = 0);
  void Close();

  // Reads the next pair: the one put back, or the code line and then the
  // value line (empty when the input ended after the code line). False when
  // nothing is left at all.
  bool ReadPair(DxfPair& pair);

  // Makes `pair` the next one ReadPair yields. At most one pair is held.
  void PutBack(DxfPair pair);

  // Reads the next pair of an entity's body. False at the end of the input
  // and at the (0, ...) pair that ends the body, which is put back for the
  // reader of the next entity.
  bool ReadBodyPair(DxfPair& pair);

  // Reads the next pair in place, with where it lies in the file. For
  // readers that never put a pair back; false when nothing is left.
  bool ReadPairView(PairView& pair);

  // Reads the next line; the view stays valid until the next read. Only
  // for scans that never put a pair back.
  bool ReadLine(std::string_view& line);

  // True when reading stopped at an error of the file system, or at an end
  // of the file before the size it had when it was opened, rather than at
  // its end. Error() then is the system's error number (0 for a file that
  // grew shorter).
  bool Failed() const { return failed_; }
  int Error() const { return error_; }

  // The file as it was opened, to tell later whether it is still the same.
  const FileStamp& Stamp() const { return stamp_; }

  // The size of the file as it was opened, in bytes.
  std::int64_t Size() const { return size_; }

  // Reports the bytes read to `tap` with every block read from the file;
  // the tap throws JobStopped when the job is to stop.
  void WatchProgress(ProgressTap tap) { tap_ = tap; }

 private:
  bool Fill();
  // The line starting at `from` in the buffer: the position of its line
  // feed, reading more when needed (which moves the unread bytes to the
  // front; `from` follows). `end_` when the file ends without one.
  std::size_t FindLineEnd(std::size_t& from);

  int fd_ = -1;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::size_t consumed_ = 0;  // bytes dropped from the front of the buffer
  std::int64_t size_ = 0;
  ProgressTap tap_;
  bool eof_ = false;
  bool failed_ = false;
  int error_ = 0;
  bool regular_ = false;
  FileStamp stamp_;
  DxfPair held_;
  bool holding_ = false;
};

}  // namespace quillmere
