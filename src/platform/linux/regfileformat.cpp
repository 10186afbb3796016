#include "platform/linux/regfileformat.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "platform/linux/utf16le.h"
#include "platform/littleendian.h"

namespace tarvo::platform {

namespace {

constexpr std::string_view Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view Blanks = " \t\r";

// ---- writing

bool HasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string Quoted(std::string_view text)
{
    std::string result = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            result += '\\';
        result += c;
    }
    return result + '"';
}

std::string HexList(const std::vector<uint8_t>& bytes)
{
    std::string result;
    for (uint8_t byte : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02x", byte);
        if (!result.empty())
            result += ',';
        result += digits;
    }
    return result;
}

std::string HexNumber(uint32_t number, int width)
{
    char digits[12];
    std::snprintf(digits, sizeof digits, "%0*x", width, number);
    return digits;
}

// Whether a string value can be written as quoted text and read back as it is.
bool FitsQuotedForm(const std::vector<uint8_t>& text)
{
    for (uint8_t c : text) {
        if (c == '\0' || c == '\r' || c == '\n')
            return false;
    }
    return true;
}

std::string DataText(const TRegistryValue& value)
{
    const auto& data = value.Data;
    switch (value.Type) {
    case TValueType::String:
        if (FitsQuotedForm(data))
            return Quoted(std::string(data.begin(), data.end()));
        return "hex(1):" + HexList(Utf8ToUtf16LeWithTerminator(data));
    case TValueType::ExpandString:
        return "hex(2):" + HexList(Utf8ToUtf16LeWithTerminator(data));
    case TValueType::Binary:
        return "hex:" + HexList(data);
    case TValueType::DWord:
        if (data.size() == 4)
            return "dword:" + HexNumber(FromLittleEndian<uint32_t>(data.data()), 8);
        break;
    default:
        break;
    }
    return "hex(" + HexNumber(static_cast<uint32_t>(value.Type), 1) + "):" + HexList(data);
}

std::string SectionLine(std::string_view rootName, std::string_view path)
{
    std::string line = "[" + std::string(rootName);
    if (!path.empty())
        line += "\\" + std::string(path);
    return line + "]";
}

// ---- reading

std::string_view Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

bool TakePrefix(std::string_view& text, std::string_view prefix)
{
    if (!text.starts_with(prefix))
        return false;
    text.remove_prefix(prefix.size());
    return true;
}

// The file's lines, trimmed, one after the other.
class TLineReader {
public:
    explicit TLineReader(std::string_view text) : rest_(text) { }

    bool AtEnd() const { return rest_.empty(); }

    std::string_view Next()
    {
        const size_t end = std::min(rest_.find('\n'), rest_.size());
        const std::string_view line = rest_.substr(0, end);
        rest_.remove_prefix(std::min(end + 1, rest_.size()));
        return Trimmed(line);
    }

private:
    std::string_view rest_;
};

// A hex number that fills the whole text and fits in 32 bits.
std::optional<uint32_t> ParseHexNumber(std::string_view text, size_t maxDigits)
{
    uint32_t number = 0;
    const char* end = text.data() + text.size();
    if (text.empty() || text.size() > maxDigits)
        return std::nullopt;
    auto [stop, error] = std::from_chars(text.data(), end, number, 16);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

// "01,ff,2a"; the empty text is the empty list.
std::optional<std::vector<uint8_t>> ParseHexList(std::string_view text)
{
    std::vector<uint8_t> bytes;
    while (!text.empty()) {
        const size_t comma = text.find(',');
        const auto byte = ParseHexNumber(Trimmed(text.substr(0, comma)), 2);
        if (!byte)
            return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(*byte));
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
        if (text.empty())
            return std::nullopt; // a trailing comma
    }
    return bytes;
}

// A quoted text at the start of text, with its escapes undone; text moves
// past the closing quote.
std::optional<std::string> TakeQuoted(std::string_view& text)
{
    if (!TakePrefix(text, "\""))
        return std::nullopt;
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') {
            text.remove_prefix(i + 1);
            return result;
        }
        if (text[i] == '\\' && i + 1 < text.size())
            ++i;
        result += text[i];
    }
    return std::nullopt;
}

// The hex list of a value, joined with the lines it goes on over.
std::string ContinuedHexList(std::string_view firstLine, TLineReader& lines)
{
    std::string list(firstLine);
    while (list.ends_with('\\') && !lines.AtEnd()) {
        list.pop_back();
        list += lines.Next();
    }
    return list;
}

std::optional<TRegistryValue> ParseData(std::string_view data, TLineReader& lines)
{
    if (data.starts_with('"')) {
        auto text = TakeQuoted(data);
        if (!text || !data.empty())
            return std::nullopt;
        return StringValue(*text);
    }
    if (TakePrefix(data, "dword:")) {
        const auto number = ParseHexNumber(data, 8);
        return number ? std::optional(DWordValue(*number)) : std::nullopt;
    }
    TValueType type = TValueType::Binary;
    if (TakePrefix(data, "hex(")) {
        const size_t close = data.find("):");
        const auto number = ParseHexNumber(data.substr(0, close), 8);
        if (close == std::string_view::npos || !number)
            return std::nullopt;
        type = static_cast<TValueType>(*number);
        data.remove_prefix(close + 2);
    } else if (!TakePrefix(data, "hex:")) {
        return std::nullopt;
    }
    auto bytes = ParseHexList(ContinuedHexList(data, lines));
    if (!bytes)
        return std::nullopt;
    if (type == TValueType::String || type == TValueType::ExpandString)
        return TRegistryValue{type, Utf16LeToUtf8WithoutTerminator(*bytes)};
    return TRegistryValue{type, std::move(*bytes)};
}

// `"name"=data` or `@=data`.
std::optional<TNamedRegistryValue> ParseValueLine(std::string_view line, TLineReader& lines)
{
    TNamedRegistryValue result;
    if (!TakePrefix(line, "@")) {
        auto name = TakeQuoted(line);
        if (!name)
            return std::nullopt;
        result.Name = std::move(*name);
    }
    if (!TakePrefix(line, "="))
        return std::nullopt;
    auto value = ParseData(line, lines);
    if (!value)
        return std::nullopt;
    result.Value = std::move(*value);
    return result;
}

// The key path of a section line `[ROOT\path]`; nullopt when the line is
// malformed or names another root key.
std::optional<std::string> SectionKey(std::string_view line, std::string_view rootName)
{
    if (!line.starts_with('[') || !line.ends_with(']'))
        return std::nullopt;
    const std::string_view fullPath = line.substr(1, line.size() - 2);
    const size_t backslash = fullPath.find('\\');
    if (!SameRegistryName(fullPath.substr(0, backslash), rootName))
        return std::nullopt;
    return backslash == std::string_view::npos ? std::string() : std::string(fullPath.substr(backslash + 1));
}

} // namespace

TRegistryTree ParseRegistryFile(std::string_view text, std::string_view rootName)
{
    TRegistryTree tree;
    TakePrefix(text, Utf8ByteOrderMark);
    TLineReader lines(text);
    std::optional<std::string> key; // none: the values that follow are skipped
    while (!lines.AtEnd()) {
        const std::string_view line = lines.Next();
        if (line.starts_with('[')) {
            key = SectionKey(line, rootName);
            if (key)
                tree.AddKey(*key);
        } else if (key) {
            if (auto value = ParseValueLine(line, lines))
                tree.SetValue(*key, value->Name, std::move(value->Value));
        }
    }
    return tree;
}

std::optional<std::string> FormatRegistryFile(const TRegistryTree& tree, std::string_view rootName)
{
    std::string text = std::string(Header) + "\n\n";
    for (const TRegistryKeyEntry* key : tree.Keys()) {
        if (HasLineBreak(key->Path))
            return std::nullopt;
        text += SectionLine(rootName, key->Path) + "\n";
        for (const auto& [name, value] : key->Values) {
            if (HasLineBreak(name))
                return std::nullopt;
            text += (name.empty() ? std::string("@") : Quoted(name)) + "=" + DataText(value) + "\n";
        }
        text += "\n";
    }
    return text;
}

} // namespace tarvo::platform
