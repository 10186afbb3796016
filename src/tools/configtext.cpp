#include "tools/configtext.h"

#include <algorithm>
#include <cctype>

namespace tarvo::tools {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

char Lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

} // namespace

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string CollapseBlanks(std::string_view text)
{
    std::string collapsed;
    for (char c : Trim(text)) {
        if (!IsBlank(c))
            collapsed += c;
        else if (collapsed.back() != ' ')
            collapsed += ' ';
    }
    return collapsed;
}

std::vector<std::string_view> KeyParts(std::string_view keys)
{
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        const size_t plus = keys.find('+', start);
        parts.push_back(Trim(keys.substr(start, plus == std::string_view::npos ? plus : plus - start)));
        if (plus == std::string_view::npos)
            return parts;
        start = plus + 1;
    }
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::vector<TNumberedLine> NumberedLines(std::string_view text)
{
    std::vector<TNumberedLine> lines;
    int number = 1;
    for (size_t start = 0; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        lines.push_back({number, text.substr(start, end - start)});
        start = end + 1;
    }
    return lines;
}

} // namespace tarvo::tools
