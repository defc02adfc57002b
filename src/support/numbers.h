#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillmere {

// Reads a decimal number: an optional sign, digits with an optional fraction
// after "." (at least one digit in all), and an optional exponent after "E"
// or "e". "," is never a decimal separator.
// Values beyond the range of a double, "nan", "inf" and hexadecimal forms are
// no numbers; a value too small to represent reads as 0. The characters of
// code 32 or lower around it are ignored (Trimmed), so a value line
// "1.0<TAB>" reads as the jobs and the preview compare lines. Serves the
// command line, the job settings and every DXF value alike.
std::optional<double> ParseNumber(std::string_view text);

// Whether ParseNumber reads `text` as a number; quicker where the value
// itself is not needed.
bool IsNumber(std::string_view text);

// Reads a whole number in the 32-bit signed range: an optional sign, digits,
// with the characters of code 32 or lower around it ignored as above.
std::optional<std::int32_t> ParseWholeNumber(std::string_view text);

// The general number format of values the program writes into a DXF file:
// at most 15 significant digits, "." as separator, no trailing zeros, and
// scientific form ("2.5E-5") for magnitudes below 0.0001.
std::string FormatGeneral(double value);

// A value with a fixed number of decimals and "." as separator.
std::string FormatFixed(double value, int decimals);

}  // namespace quillmere
