#include "dxf/pair_stream.h"

#include <utility>

#include "dxf/dxf_text.h"

namespace quillmere {

PairStream::PairStream(const JobInput& input, std::int64_t from,
                       std::optional<ProgressTap> progress)
    : lines_(input, from), size_(input.Size()) {
  if (progress) lines_.Walk(*progress);
  lines_.Stream();
}

bool PairStream::ReadPairView(PairView& pair) {
  pair.offset = lines_.Offset();
  lines_.Hold(pair.offset);
  if (!lines_.Next(pair.code)) return false;
  const LineEnd code_end = lines_.Ending();
  pair.has_value = code_end != LineEnd::kNone && lines_.Next(pair.value);
  // Reading the value may have moved the code line in the stream's buffer.
  if (pair.has_value) pair.code = lines_.At(pair.offset, pair.code.size());
  if (!pair.has_value) {
    pair.value = {};
    pair.ends_in_crlf = code_end == LineEnd::kCrLf;
  } else {
    pair.ends_in_crlf = code_end == LineEnd::kCrLf && lines_.Ending() == LineEnd::kCrLf;
  }
  pair.end = lines_.Offset();
  return true;
}

void PairStream::PutBack(DxfPair pair) {
  held_ = std::move(pair);
  holding_ = true;
}

bool PairStream::ReadBodyPair(DxfPair& pair) {
  if (!ReadPair(pair)) return false;
  if (!LineIs(pair.code, "0")) return true;
  PutBack(std::move(pair));
  return false;
}

bool PairStream::ReadPair(DxfPair& pair) {
  if (holding_) {
    holding_ = false;
    pair = std::move(held_);
    return true;
  }
  const std::int64_t offset = lines_.Offset();
  std::string_view line;
  if (!lines_.Next(line)) return false;
  pair.offset = offset;
  pair.code.assign(line);
  pair.has_value = lines_.Next(line);
  if (pair.has_value) {
    pair.value.assign(line);
  } else {
    pair.value.clear();
  }
  return true;
}

}  // namespace quillmere
