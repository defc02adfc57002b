#include "dxf/handle_text.h"

#include <limits>

#include "dxf/dxf_text.h"

namespace quillmere {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The value of up to `max_digits` significant hexadecimal digits; nothing
// for anything else.
std::optional<std::uint64_t> HexValue(std::string_view value, int max_digits = 8) {
  const std::string_view digits = Trimmed(value);
  if (digits.empty()) return std::nullopt;
  std::uint64_t handle = 0;
  int significant = 0;
  for (const char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    if (significant == 0 && digit == 0) continue;  // leading zeros carry no weight
    if (++significant > max_digits) return std::nullopt;
    handle = handle * 16 + static_cast<std::uint64_t>(digit);
  }
  return handle;
}

}  // namespace

std::optional<std::int64_t> ParseHandle(std::string_view value) {
  const std::optional<std::uint64_t> handle = HexValue(value);
  if (!handle || *handle > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int64_t>(*handle);
}

bool ReadsAsHandle(std::string_view value) { return HexValue(value).has_value(); }

std::optional<std::uint64_t> HandleKey(std::string_view value) {
  const std::optional<std::uint64_t> handle = HexValue(value, 16);
  if (!handle || *handle == 0) return std::nullopt;
  return handle;
}

std::string FormatHandle(std::int64_t handle) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  auto rest = static_cast<std::uint64_t>(handle);
  std::string reversed;
  do {
    reversed.push_back(kDigits[rest % 16]);
    rest /= 16;
  } while (rest != 0);
  if (reversed.size() < 2) reversed.push_back('0');
  return std::string(reversed.rbegin(), reversed.rend());
}

}  // namespace quillmere
