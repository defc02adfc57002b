#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <optional>

#include "dxf/input_lines.h"
#include "dxf/job_input.h"
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

// One group pair seen in place: the views point into the stream's buffer
// and stay valid until the next pair is read.
struct PairView {
  std::string_view code;
  std::string_view value;
  bool has_value = true;
  std::int64_t offset = 0;  // byte position of the code line in the file
  std::int64_t end = 0;     // byte position just behind the pair's last line end
  // Every line of the pair ends with CR LF (not only LF, nor the file's end).
  bool ends_in_crlf = false;
};

// Sequential reader of a job's input, pair by pair (or line by line), with
// a look-ahead of one pair: the pairs of the lines InputLines gives, read
// as a stream (InputLines::Stream).
//
// An entity ends at a pair that belongs to what follows; whoever reads the
// entity puts that pair back, and the next ReadPair yields it again, also
// when it was the last pair of the file.
class PairStream {
 public:
  // The pairs of `input` from byte `from` on: the first line read starts
  // there. With `progress` the stream is a walk through the file
  // (InputLines::Walk).
  explicit PairStream(const JobInput& input, std::int64_t from = 0,
                      std::optional<ProgressTap> progress = std::nullopt);

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

  // Reads the next line, valid until the next is read. Only for scans that
  // never put a pair back.
  bool ReadLine(std::string_view& line) { return lines_.Next(line); }

  // The size of the input in bytes.
  std::int64_t Size() const { return size_; }

 private:
  InputLines lines_;
  std::int64_t size_;
  DxfPair held_;
  bool holding_ = false;
};

}  // namespace quillmere
