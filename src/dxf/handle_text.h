#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillmere {

// Entity handles as the jobs read and write them.

// Reads a handle value: hexadecimal digits in either case, no prefix, blanks
// and control characters around allowed, at most eight digits after leading
// zeros. Values above the signed 32-bit range are not taken.
std::optional<std::int64_t> ParseHandle(std::string_view value);

// Whether a value has the form of a handle: hexadecimal digits, at most
// eight after leading zeros, blanks around allowed; also above the signed
// 32-bit range.
bool ReadsAsHandle(std::string_view value);

// A handle as a number to compare by, whatever its case or leading zeros:
// up to sixteen significant hexadecimal digits, blanks around allowed.
// Nothing for anything else, and for 0, the handle of nothing.
std::optional<std::uint64_t> HandleKey(std::string_view value);

// A new handle: uppercase hexadecimal, zero-padded to at least two digits
// (5 gives "05", 300 gives "12C"). Handles are counted in a 64-bit type, so
// counting on from the largest 32-bit handle never wraps into garbage.
std::string FormatHandle(std::int64_t handle);

}  // namespace quillmere
