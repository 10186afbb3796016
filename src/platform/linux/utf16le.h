#pragma once
// Conversion between UTF-8 and UTF-16LE bytes, as the registry editor's
// export format stores texts in hex lists.

#include <cstdint>
#include <vector>

namespace tarvo::platform {

// The text as UTF-16LE with a terminating zero. Bytes that are not valid
// UTF-8 each become U+FFFD.
std::vector<uint8_t> Utf8ToUtf16LeWithTerminator(const std::vector<uint8_t>& utf8);

// The UTF-8 text of UTF-16LE bytes, without one terminating zero at the end.
// Unpaired surrogates become U+FFFD; an odd last byte is ignored.
std::vector<uint8_t> Utf16LeToUtf8WithoutTerminator(const std::vector<uint8_t>& utf16);

} // namespace tarvo::platform
