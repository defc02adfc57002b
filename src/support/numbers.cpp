#include "support/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "support/trimmed.h"

namespace quillmere {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the number syntax and tells whether the mantissa has a non-zero
// digit and whether the exponent is negative, to settle out-of-range values.
struct Syntax {
  bool valid = false;
  bool nonzero_mantissa = false;
  long long scale = 0;  // rough decimal magnitude of the value
};

Syntax CheckSyntax(std::string_view s) {
  Syntax result;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  long long magnitude = 0;
  bool seen_nonzero = false;
  while (i < s.size() && IsDigit(s[i])) {
    if (s[i] != '0') seen_nonzero = true;
    if (seen_nonzero) ++magnitude;
    ++digits;
    ++i;
  }
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) {
      if (s[i] != '0') seen_nonzero = true;
      if (!seen_nonzero) --magnitude;
      ++digits;
      ++i;
    }
  }
  if (digits == 0) return result;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    std::size_t exponent_digits = 0;
    long long exponent = 0;
    while (i < s.size() && IsDigit(s[i])) {
      if (exponent < 100000000) exponent = exponent * 10 + (s[i] - '0');
      ++exponent_digits;
      ++i;
    }
    if (exponent_digits == 0) return result;
    magnitude += negative ? -exponent : exponent;
  }
  if (i != s.size()) return result;
  result.valid = true;
  result.nonzero_mantissa = seen_nonzero;
  result.scale = magnitude;
  return result;
}

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common plain form "[-]digits[.digits]" with at most 15 digits: the
// digits form an exact integer below 2^53 and the power of ten is exact, so
// one division gives the correctly rounded value, the same as the full
// conversion would. Returns false for every other form.
bool ParsePlainDecimal(std::string_view s, double& value) {
  if (s.empty() || s.size() > 17) return false;
  const char* p = s.data();
  const char* const end = p + s.size();
  const bool negative = *p == '-';
  if (negative) ++p;
  const char* const first = p;
  const char* point = nullptr;
  std::uint64_t mantissa = 0;
  for (; p < end; ++p) {
    const auto digit = static_cast<unsigned>(static_cast<unsigned char>(*p) - '0');
    if (digit < 10) {
      mantissa = mantissa * 10 + digit;
    } else if (*p == '.' && point == nullptr) {
      point = p;
    } else {
      return false;
    }
  }
  const auto length = static_cast<int>(end - first);
  const int fraction_digits = point == nullptr ? 0 : static_cast<int>(end - point - 1);
  const int digits = point == nullptr ? length : length - 1;
  if (digits == 0 || digits > 15) return false;
  // Below 10^15: the signed conversion is exact and the quickest.
  value = static_cast<double>(static_cast<std::int64_t>(mantissa)) / kPowersOfTen[fraction_digits];
  if (negative) value = -value;
  return true;
}

// Whether `s` has the plain form ParsePlainDecimal reads, without reading
// it: a scan with no arithmetic, for callers that only ask whether a value
// is a number.
bool HasPlainDecimalForm(std::string_view s) {
  if (s.empty() || s.size() > 17) return false;
  std::size_t i = s.front() == '-' ? 1 : 0;
  int digits = 0;
  bool point = false;
  for (; i < s.size(); ++i) {
    if (static_cast<unsigned>(static_cast<unsigned char>(s[i]) - '0') < 10) {
      ++digits;
    } else if (s[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits > 0 && digits <= 15;
}

}  // namespace

bool IsNumber(std::string_view text) {
  const std::string_view s = Trimmed(text);
  return HasPlainDecimalForm(s) || ParseNumber(s).has_value();
}

std::optional<double> ParseNumber(std::string_view text) {
  std::string_view s = Trimmed(text);
  if (double plain = 0; ParsePlainDecimal(s, plain)) return plain;
  const Syntax syntax = CheckSyntax(s);
  if (!syntax.valid) return std::nullopt;
  const bool negative = s.front() == '-';
  if (s.front() == '+' || s.front() == '-') s.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value,
                                            std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    if (syntax.scale > 0) return std::nullopt;  // beyond the largest double
    return negative ? -0.0 : 0.0;                // too small: reads as zero
  }
  if (error != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

std::optional<std::int32_t> ParseWholeNumber(std::string_view text) {
  text = Trimmed(text);
  // from_chars takes a "-" but no "+"; one sign at most.
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  if (text.empty() || text.front() == '+') return std::nullopt;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string FormatGeneral(double value) {
  if (!std::isfinite(value)) return value != value ? "NAN" : (value > 0 ? "INF" : "-INF");
  if (value == 0) return "0";
  // 15 significant digits, correctly rounded: d.dddddddddddddde±x. The
  // character conversions ignore the locale, so "." holds on every desktop.
  char buffer[40];
  const auto converted = std::to_chars(buffer, buffer + sizeof buffer - 1, value,
                                       std::chars_format::scientific, 14);
  *converted.ptr = '\0';
  const std::string_view text(buffer, static_cast<std::size_t>(converted.ptr - buffer));
  const bool negative = text.front() == '-';
  const std::size_t first = negative ? 1 : 0;
  std::string digits;
  digits.push_back(text[first]);
  const std::size_t e_pos = text.find('e');
  digits.append(text.substr(first + 2, e_pos - first - 2));
  const int exponent = std::atoi(buffer + e_pos + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string result = negative ? "-" : "";
  if (exponent < -4 || exponent >= 15) {
    result.push_back(digits[0]);
    if (digits.size() > 1) {
      result.push_back('.');
      result.append(digits, 1, std::string::npos);
    }
    result.push_back('E');
    if (exponent < 0) result.push_back('-');
    result.append(std::to_string(std::abs(exponent)));
  } else if (exponent < 0) {
    result.append("0.");
    result.append(static_cast<std::size_t>(-exponent - 1), '0');
    result.append(digits);
  } else {
    const std::size_t integer_digits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integer_digits) {
      result.append(digits);
      result.append(integer_digits - digits.size(), '0');
    } else {
      result.append(digits, 0, integer_digits);
      result.push_back('.');
      result.append(digits, integer_digits, std::string::npos);
    }
  }
  return result;
}

std::string FormatFixed(double value, int decimals) {
  char buffer[400];
  const auto converted =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string result(buffer, converted.ptr);
  if (result.size() > 1 && result.front() == '-' &&
      result.find_first_not_of("-0.") == std::string::npos) {
    result.erase(0, 1);  // no "-0.000"
  }
  return result;
}

}  // namespace quillmere
