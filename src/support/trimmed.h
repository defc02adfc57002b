#pragma once

#include <string_view>

namespace quillmere {

// The text without the characters of code 32 or lower at both ends: blanks,
// tabs, carriage returns and the other control characters. Bytes above 127
// are never trimmed: they are characters of the file's code page. Every
// comparison of DXF lines and every number read goes through this one rule.
inline std::string_view Trimmed(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
  return text.substr(begin, end - begin);
}

}  // namespace quillmere
