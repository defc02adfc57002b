#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere {

// One DXF group pair: the code line and the value line, exactly as read.
struct DxfPair {
  std::string code;
  std::string value;
  // False when the input ended right after the code line. The value then
  // reads as empty, and a writer copying the pair writes no value line.
  bool has_value = true;
};

// Sequential reader of a DXF text file, line by line or pair by pair.
//
// A line ends at a line feed, optionally preceded by a carriage return; the
// line end is not part of the line. A last line without a line end still
// counts. The file is read in large blocks; lines of any length are handled.
class DxfInput {
 public:
  DxfInput() = default;
  ~DxfInput();
  DxfInput(const DxfInput&) = delete;
  DxfInput& operator=(const DxfInput&) = delete;

  // Opens a regular file (or another readable non-directory) for reading.
  bool Open(const std::string& path);
  void Close();

  // True while at least one more line can be read.
  bool HasMore();

  // Reads the next line; the view stays valid until the next read.
  bool ReadLine(std::string_view& line);

  // Reads a pair: the code line, then the value line (empty when the input
  // ended after the code line). False when no line was left at all.
  bool ReadPair(DxfPair& pair);

  enum class PairRead { kEnd, kPassedOver, kCode0 };
  // Reads a pair and stores it in `pair` only when its trimmed code is "0";
  // any other pair is passed over without being copied. For skipping the
  // inside of an entity that is written from the model instead.
  PairRead ReadPairKeepingCode0(DxfPair& pair);

  // True when reading stopped at an error of the file system rather than at
  // the end of the file.
  bool Failed() const { return failed_; }

 private:
  bool Fill();

  int fd_ = -1;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
  bool failed_ = false;
};

}  // namespace quillmere
