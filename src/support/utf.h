#pragma once

#include <string>
#include <string_view>

namespace quillmere {

// UTF-8 bytes (file names, terminal output) to UTF-16 and back. Bytes that
// are not valid UTF-8 become U+FFFD; unpaired surrogates become U+FFFD too.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace quillmere
