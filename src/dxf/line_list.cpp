#include "dxf/line_list.h"

#include <cstring>

namespace quillmere {

namespace {
constexpr std::string_view kLineEnd = "\r\n";

// Length of the stored line starting at `pos` (without its CR LF), and the
// position just behind its line end.
std::size_t LineLengthAt(std::string_view text, std::size_t pos, std::size_t& next) {
  const void* found = std::memchr(text.data() + pos, '\n', text.size() - pos);
  const std::size_t lf = static_cast<const char*>(found) - text.data();
  next = lf + 1;
  return lf - 1 - pos;  // every stored line ends in CR LF
}
}  // namespace

void LineList::Add(std::string_view line) {
  // Most lists are a vertex of a few short pairs: one allocation of this
  // size holds them, where growing step by step would take three.
  constexpr std::size_t kFirstCapacity = 64;
  if (text_.capacity() < kFirstCapacity) text_.reserve(kFirstCapacity);
  text_.append(line);
  text_.append(kLineEnd);
  ++count_;
}

void LineList::AddPair(std::string_view code, std::string_view value) {
  Add(code);
  Add(value);
}

void LineList::Append(const LineList& other) {
  text_.append(other.text_);
  count_ += other.count_;
}

void LineList::Clear() {
  text_.clear();
  count_ = 0;
}

std::string_view LineList::Line(std::size_t index) const {
  Cursor cursor(*this);
  std::string_view line;
  for (std::size_t i = 0; i <= index; ++i) {
    if (!cursor.Next(line)) return {};
  }
  return line;
}

void LineList::ReplaceLine(std::size_t index, std::string_view line) {
  std::size_t pos = 0;
  std::size_t next = 0;
  for (std::size_t i = 0; i < index; ++i) {
    if (pos >= text_.size()) return;
    LineLengthAt(text_, pos, next);
    pos = next;
  }
  if (pos >= text_.size()) return;
  const std::size_t length = LineLengthAt(text_, pos, next);
  text_.replace(pos, length, line);
}

bool LineList::Cursor::Next(std::string_view& line) {
  if (pos_ >= text_.size()) return false;
  std::size_t next = 0;
  const std::size_t length = LineLengthAt(text_, pos_, next);
  line = text_.substr(pos_, length);
  pos_ = next;
  return true;
}

}  // namespace quillmere
