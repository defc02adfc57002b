#pragma once

#ifdef _WIN32

#include <string>
#include <string_view>

namespace quillmere {

// UTF-8 to the UTF-16 of the Windows wide-character calls, and back.
// Invalid sequences become U+FFFD.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace quillmere

#endif
