#include "lang/messageformat.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

#include "persist/text.h"

namespace tarvo {

namespace {

// Larger widths and precisions make no directive: a message file must not
// ask for texts of any size.
constexpr int MaxWidth = 1000;
constexpr int DefaultDecimals = 2;

struct TDirective {
    bool LeftAligned = false;
    int Width = 0;
    std::optional<int> Precision;
    char Kind = 0;     // d, u, x, f or s, in lower case
    size_t Length = 0; // of the directive's text, "%" included
};

// The decimal number at pos, moving pos behind it; 0 when there are no
// digits, nothing when it exceeds MaxWidth.
std::optional<int> ReadNumber(std::string_view text, size_t& pos)
{
    int number = 0;
    for (; pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])); ++pos) {
        number = number * 10 + (text[pos] - '0');
        if (number > MaxWidth)
            return std::nullopt;
    }
    return number;
}

// The directive whose "%" stands at start, or nothing when none starts there.
std::optional<TDirective> ReadDirective(std::string_view text, size_t start)
{
    TDirective directive;
    size_t pos = start + 1;
    if (pos < text.size() && text[pos] == '-') {
        directive.LeftAligned = true;
        ++pos;
    }
    const std::optional<int> width = ReadNumber(text, pos);
    if (!width)
        return std::nullopt;
    directive.Width = *width;
    if (pos < text.size() && text[pos] == '.') {
        directive.Precision = ReadNumber(text, ++pos);
        if (!directive.Precision)
            return std::nullopt;
    }
    if (pos == text.size())
        return std::nullopt;
    directive.Kind = static_cast<char>(std::tolower(static_cast<unsigned char>(text[pos])));
    if (std::string_view("dusxf").find(directive.Kind) == std::string_view::npos)
        return std::nullopt;
    directive.Length = pos + 1 - start;
    return directive;
}

std::string Digits(uint64_t value, int base)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, base).ptr;
    std::transform(digits, end, digits, [](char c) { return static_cast<char>(std::toupper(c)); });
    return std::string(digits, end);
}

std::string WithLeadingZeros(std::string digits, std::optional<int> precision)
{
    const size_t least = static_cast<size_t>(precision.value_or(0));
    if (digits.size() < least)
        digits.insert(0, least - digits.size(), '0');
    return digits;
}

// A negative number as the unsigned number of the same bits.
uint64_t UnsignedBits(int64_t value)
{
    if (value < 0 && value >= INT32_MIN)
        return static_cast<uint32_t>(value);
    return static_cast<uint64_t>(value);
}

std::string NumberText(int64_t value, const TDirective& directive)
{
    if (directive.Kind == 'u' || directive.Kind == 'x')
        return WithLeadingZeros(Digits(UnsignedBits(value), directive.Kind == 'x' ? 16 : 10), directive.Precision);
    const std::string sign = value < 0 ? "-" : "";
    const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    if (directive.Kind == 'f') {
        const int decimals = directive.Precision.value_or(DefaultDecimals);
        return sign + Digits(magnitude, 10) + (decimals > 0 ? "." + std::string(decimals, '0') : "");
    }
    return sign + WithLeadingZeros(Digits(magnitude, 10), directive.Precision);
}

std::string StringText(std::string_view text, const TDirective& directive)
{
    if (directive.Kind == 's' && directive.Precision)
        return std::string(FirstCharacters(text, static_cast<size_t>(*directive.Precision)));
    return std::string(text);
}

std::string Formatted(const TMessageArg& argument, const TDirective& directive)
{
    const auto* number = std::get_if<int64_t>(&argument);
    std::string text = number ? NumberText(*number, directive) : StringText(std::get<std::string>(argument), directive);
    const size_t length = CharacterCount(text);
    const size_t width = static_cast<size_t>(directive.Width);
    if (length < width)
        text.insert(directive.LeftAligned ? text.size() : 0, width - length, ' ');
    return text;
}

} // namespace

std::string FormatMessageText(std::string_view text, const TMessageArgs& args)
{
    std::string result;
    size_t nextArgument = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            result += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '%') {
            result += '%';
            ++i;
            continue;
        }
        const std::optional<TDirective> directive = ReadDirective(text, i);
        if (!directive) {
            result += '%';
            continue;
        }
        if (nextArgument < args.size())
            result += Formatted(args[nextArgument++], *directive);
        else
            result.append(text.substr(i, directive->Length));
        i += directive->Length - 1;
    }
    return result;
}

} // namespace tarvo
