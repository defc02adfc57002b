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

// The line feeds among 16 bytes as bits, the first byte lowest.
unsigned LineFeedMask(const char* bytes) {
  std::uint64_t low = 0;
  std::uint64_t high = 0;
  std::memcpy(&low, bytes, 8);
  std::memcpy(&high, bytes + 8, 8);
  // Gathers the top bit of every byte into one byte.
  constexpr std::uint64_t kGather = 0x0102040810204080ULL;
  const auto bits = [](std::uint64_t feeds) {
    return static_cast<unsigned>(((feeds >> 7) * kGather) >> 56);
  };
  return bits(LineFeedBytes(low)) | bits(LineFeedBytes(high)) << 8;
}

}  // namespace

void CrLfWriter::Write(std::string_view bytes) {
  // Every byte may become two; the copies of 16 bytes at a time may reach
  // 32 bytes further.
  constexpr std::size_t kPiece = OutputFile::kRoom / 2 - 32;
  while (!bytes.empty()) {
    const std::size_t n = std::min(bytes.size(), kPiece);
    char* const out_begin = output_.Room(2 * n + 32);
    char* out = out_begin;
    const char* const begin = bytes.data();
    const char* const end = begin + n;
    const char* in = begin;
    const auto ends_line = [&](const char* feed) {
      const bool after_cr = feed > begin ? feed[-1] == '\r' : after_cr_;
      *out = '\r';
      out += after_cr ? 0 : 1;
      *out++ = '\n';
    };
    // 16 bytes at a time, the lines in them copied 16 bytes at a time:
    // lines are short, and whole blocks copy quicker than exact lengths.
    // The copies read at most 32 bytes ahead, all inside the bytes given.
    while (end - in >= 32) {
      const char* line = in;
      for (unsigned feeds = LineFeedMask(in); feeds != 0; feeds &= feeds - 1) {
        const char* const feed = in + std::countr_zero(feeds);
        std::memcpy(out, line, 16);
        out += feed - line;
        ends_line(feed);
        line = feed + 1;
      }
      in += 16;
      std::memcpy(out, line, 16);
      out += in - line;
    }
    for (; in < end; ++in) {
      if (*in == '\n') {
        ends_line(in);
      } else {
        *out++ = *in;
      }
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
