#include "dxf/line_ends.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace quillmere {

namespace {

// 0x80 in every byte of `word` that is a line feed, 0 in the others; the
// first byte in memory is the lowest.
static_assert(std::endian::native == std::endian::little, "bytes are taken low byte first");

std::uint64_t LineFeedBytes(std::uint64_t word) {
  constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7FULL;
  const std::uint64_t x = word ^ 0x0A0A0A0A0A0A0A0AULL;  // zero where a line feed is
  return ~(((x & kLows) + kLows) | x | kLows);
}

}  // namespace

void CrLfWriter::Write(std::string_view bytes) {
  // Every byte may become two; eight more for the word-wise copy.
  constexpr std::size_t kPiece = OutputFile::kRoom / 2 - 8;
  while (!bytes.empty()) {
    const std::size_t n = std::min(bytes.size(), kPiece);
    char* const out_begin = output_.Room(2 * n + 8);
    char* out = out_begin;
    const char* const begin = bytes.data();
    const char* const end = begin + n;
    const char* in = begin;
    while (in < end) {
      std::uint64_t word = 0;
      const std::size_t take = std::min<std::size_t>(8, static_cast<std::size_t>(end - in));
      std::memcpy(&word, in, take);
      std::memcpy(out, &word, 8);
      std::uint64_t feeds = take == 8 ? LineFeedBytes(word) : 0;
      if (take < 8) {
        for (std::size_t k = 0; k < take; ++k) {
          if (in[k] == '\n') feeds |= std::uint64_t{0x80} << (8 * k);
        }
      }
      if (feeds == 0) {
        in += take;
        out += take;
        continue;
      }
      const auto k = static_cast<std::size_t>(std::countr_zero(feeds) / 8);
      const char* const feed = in + k;
      const bool after_cr = feed > begin ? feed[-1] == '\r' : after_cr_;
      in = feed + 1;
      out += k;
      if (!after_cr) *out++ = '\r';
      *out++ = '\n';
    }
    output_.Advance(static_cast<std::size_t>(out - out_begin));
    after_cr_ = end[-1] == '\r';
    line_open_ = end[-1] != '\n';
    bytes.remove_prefix(n);
  }
}

void CrLfWriter::WriteAsIs(std::string_view bytes) {
  if (bytes.empty()) return;
  output_.Write(bytes);
  after_cr_ = false;
  line_open_ = bytes.back() != '\n';
}

void CrLfWriter::EndRange() {
  if (line_open_) output_.Write("\r\n");
  after_cr_ = false;
  line_open_ = false;
}

}  // namespace quillmere
