#include <gtest/gtest.h>

#include "platform/linux/utf16le.h"

using namespace tarvo::platform;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Utf16(std::initializer_list<uint16_t> units)
{
    Bytes bytes;
    for (uint16_t unit : units) {
        bytes.push_back(static_cast<uint8_t>(unit));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    return bytes;
}

} // namespace

TEST(Utf16Le, InvalidUtf8BecomesReplacementCharacters)
{
    struct TCase {
        const char* What;
        Bytes Utf8;
        Bytes Expected;
    };
    const std::vector<TCase> cases = {
        {"cut-off sequence", {0xC3, 'A'}, Utf16({0xFFFD, 'A', 0})},
        {"overlong zero", {0xC0, 0x80}, Utf16({0xFFFD, 0xFFFD, 0})},
        {"encoded surrogate", {0xED, 0xA0, 0x80}, Utf16({0xFFFD, 0xFFFD, 0xFFFD, 0})},
        {"beyond U+10FFFF", {0xF4, 0x90, 0x80, 0x80}, Utf16({0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0})},
        {"stray continuation", {0x80}, Utf16({0xFFFD, 0})},
        {"four-byte sequence", {0xF0, 0x9F, 0x98, 0x80}, Utf16({0xD83D, 0xDE00, 0})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8ToUtf16LeWithTerminator(c.Utf8), c.Expected) << c.What;
}

TEST(Utf16Le, BrokenUtf16BecomesReplacementCharacters)
{
    struct TCase {
        const char* What;
        Bytes Utf16;
        std::string Expected;
    };
    const std::vector<TCase> cases = {
        {"lone high surrogate", Utf16({0xD83D, 'A', 0}),
         "\xEF\xBF\xBD"
         "A"},
        {"lone low surrogate", Utf16({0xDE00}), "\xEF\xBF\xBD"},
        {"odd last byte", {'A', 0, 'B'}, "A"},
        {"only one terminator dropped", Utf16({'A', 0, 0}), std::string("A\0", 2)},
    };
    for (const auto& c : cases) {
        const Bytes utf8 = Utf16LeToUtf8WithoutTerminator(c.Utf16);
        EXPECT_EQ(std::string(utf8.begin(), utf8.end()), c.Expected) << c.What;
    }
}
