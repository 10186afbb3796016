#include "platform/linux/utf16le.h"

#include <cstddef>
#include <iterator>

#include "platform/littleendian.h"

namespace tarvo::platform {

namespace {

constexpr uint32_t ReplacementCharacter = 0xFFFD;

bool IsSurrogate(uint32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// A multi-byte UTF-8 sequence: its lead byte's marker bits, the number of
// continuation bytes, and the smallest code point it may carry (a smaller
// one would be an overlong form).
struct TSequenceKind {
    uint8_t MarkerMask;
    uint8_t Marker;
    int Continuations;
    uint32_t Smallest;
};

constexpr TSequenceKind SequenceKinds[] = {
    {0xE0, 0xC0, 1, 0x80},
    {0xF0, 0xE0, 2, 0x800},
    {0xF8, 0xF0, 3, 0x10000},
};

// The code point starting at bytes[i]; i moves past it. An invalid sequence
// gives the replacement character and moves past its first byte only.
uint32_t NextCodePoint(const std::vector<uint8_t>& bytes, size_t& i)
{
    const uint8_t lead = bytes[i++];
    if (lead < 0x80)
        return lead;
    for (const TSequenceKind& kind : SequenceKinds) {
        if ((lead & kind.MarkerMask) != kind.Marker)
            continue;
        uint32_t codePoint = lead & static_cast<uint8_t>(~kind.MarkerMask);
        size_t next = i;
        for (int k = 0; k < kind.Continuations; ++k) {
            if (next >= bytes.size() || (bytes[next] & 0xC0) != 0x80)
                return ReplacementCharacter;
            codePoint = codePoint << 6 | (bytes[next++] & 0x3Fu);
        }
        if (codePoint < kind.Smallest || codePoint > 0x10FFFF || IsSurrogate(codePoint))
            return ReplacementCharacter;
        i = next;
        return codePoint;
    }
    return ReplacementCharacter;
}

void AppendUnit(std::vector<uint8_t>& utf16, uint32_t unit)
{
    uint8_t bytes[2];
    ToLittleEndian(static_cast<uint16_t>(unit), bytes);
    utf16.insert(utf16.end(), std::begin(bytes), std::end(bytes));
}

void AppendUtf8(std::vector<uint8_t>& utf8, uint32_t codePoint)
{
    auto push = [&utf8](uint32_t byte) { utf8.push_back(static_cast<uint8_t>(byte)); };
    if (codePoint < 0x80) {
        push(codePoint);
    } else if (codePoint < 0x800) {
        push(0xC0 | codePoint >> 6);
        push(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        push(0xE0 | codePoint >> 12);
        push(0x80 | (codePoint >> 6 & 0x3F));
        push(0x80 | (codePoint & 0x3F));
    } else {
        push(0xF0 | codePoint >> 18);
        push(0x80 | (codePoint >> 12 & 0x3F));
        push(0x80 | (codePoint >> 6 & 0x3F));
        push(0x80 | (codePoint & 0x3F));
    }
}

} // namespace

std::vector<uint8_t> Utf8ToUtf16LeWithTerminator(const std::vector<uint8_t>& utf8)
{
    std::vector<uint8_t> utf16;
    for (size_t i = 0; i < utf8.size();) {
        const uint32_t codePoint = NextCodePoint(utf8, i);
        if (codePoint < 0x10000) {
            AppendUnit(utf16, codePoint);
        } else {
            AppendUnit(utf16, 0xD800 + ((codePoint - 0x10000) >> 10));
            AppendUnit(utf16, 0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        }
    }
    AppendUnit(utf16, 0);
    return utf16;
}

std::vector<uint8_t> Utf16LeToUtf8WithoutTerminator(const std::vector<uint8_t>& utf16)
{
    std::vector<uint32_t> units;
    for (size_t i = 0; i + 1 < utf16.size(); i += 2)
        units.push_back(FromLittleEndian<uint16_t>(&utf16[i]));
    if (!units.empty() && units.back() == 0)
        units.pop_back();

    std::vector<uint8_t> utf8;
    for (size_t i = 0; i < units.size(); ++i) {
        const uint32_t unit = units[i];
        const bool pairStarts = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00
            && units[i + 1] <= 0xDFFF;
        if (pairStarts) {
            AppendUtf8(utf8, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            AppendUtf8(utf8, IsSurrogate(unit) ? ReplacementCharacter : unit);
        }
    }
    return utf8;
}

} // namespace tarvo::platform
