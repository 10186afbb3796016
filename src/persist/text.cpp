#include "persist/text.h"

#include <algorithm>
#include <cstring>

#include "persist/classregistry.h"
#include "persist/objectstream.h"
#include "persist/textservices.h"
#include "platform/services.h"

namespace tarvo {

namespace {
// Spare characters left by SetText and spare bytes added by SetCapacity, so
// that small edits do not reallocate.
constexpr int SetTextSpare = 10;
constexpr int CapacitySpare = 5;

std::string_view UpToNul(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}
} // namespace

TText::TText()
{
    TText::Create();
}

TText::TText(std::string_view text) : TText()
{
    SetText(text);
}

void TText::Create()
{
    TCompareableObject::Create();
    buffer_.assign(InitialCapacity, '\0');
}

void TText::Store(TObjectStream& stream) const
{
    TCompareableObject::Store(stream);
    stream.PutString(GetText());
}

void TText::Load(TObjectStream& stream)
{
    Create();
    SetText(stream.GetString());
}

void TText::CopyTo(TStreamableObject& target) const
{
    TCompareableObject::CopyTo(target);
    CastTo<TText>(target).SetText(GetText());
}

int TText::Compare(const TStreamableObject& other) const
{
    return text::CompareIgnoreCase(GetText(), CastTo<const TText>(other).GetText());
}

std::string TText::GetText() const
{
    return std::string(buffer_.data());
}

int TText::TextLength() const
{
    return static_cast<int>(std::strlen(buffer_.data()));
}

void TText::SetText(std::string_view text)
{
    text = UpToNul(text);
    const int length = static_cast<int>(text.size());
    if (length >= Capacity())
        SetCapacity(length + SetTextSpare);
    std::memcpy(buffer_.data(), text.data(), text.size());
    buffer_[text.size()] = '\0';
}

void TText::SetCapacity(int n)
{
    std::string kept = GetText();
    if (n < Capacity() && static_cast<int>(kept.size()) > n)
        kept.resize(static_cast<size_t>(n));
    buffer_.assign(static_cast<size_t>(n + CapacitySpare), '\0');
    std::memcpy(buffer_.data(), kept.data(), kept.size());
}

void TText::ReplaceAll(std::string_view find, std::string_view replacement)
{
    const std::string current = GetText();
    std::string_view rest = current;
    std::string result;
    for (size_t at; !find.empty() && (at = rest.find(find)) != std::string_view::npos;) {
        result.append(rest.substr(0, at)).append(replacement);
        rest.remove_prefix(at + find.size());
    }
    result.append(rest);
    SetText(result);
}

void TText::CommaToPoint()
{
    ReplaceAll(",", ".");
}

namespace {

// A piece of a text being expanded: a piece of the original text, or a
// value put in for a reference.
struct TExpansionPart {
    std::string Text;
    bool IsValue;
};

// Replaces every occurrence of reference outside the values put in so far.
void ReplaceOutsideValues(std::vector<TExpansionPart>& parts, std::string_view reference, const std::string& value)
{
    std::vector<TExpansionPart> replaced;
    for (auto& part : parts) {
        std::string_view rest = part.Text;
        for (size_t at; !part.IsValue && (at = rest.find(reference)) != std::string_view::npos;) {
            replaced.push_back({std::string(rest.substr(0, at)), false});
            replaced.push_back({value, true});
            rest.remove_prefix(at + reference.size());
        }
        if (rest.size() == part.Text.size())
            replaced.push_back(std::move(part));
        else
            replaced.push_back({std::string(rest), false});
    }
    parts = std::move(replaced);
}

} // namespace

void TText::ExpandEnvironment()
{
    const platform::IEnvironment& environment = *platform::Services().Environment;
    ExpandEnvironment([&environment](const std::string& name) { return environment.Get(name); });
}

void TText::ExpandEnvironment(const EnvironmentLookup& lookup)
{
    // Percent signs pair up from left to right in the text as it was before
    // the expansion. Each name is replaced everywhere in the text except
    // inside the values put in: a value holding a reference is not expanded
    // again, which could grow the text without bound.
    const std::string original = GetText();
    std::vector<TExpansionPart> parts{{original, false}};
    std::string_view scan = original;
    for (size_t open; (open = scan.find('%')) != std::string_view::npos;) {
        std::string_view tail = scan.substr(open + 1);
        const size_t close = tail.find('%');
        if (close == std::string_view::npos)
            break;
        const std::string name(tail.substr(0, close));
        if (const auto value = lookup(name))
            ReplaceOutsideValues(parts, "%" + name + "%", *value);
        scan = tail.substr(close + 1);
    }
    std::string expanded;
    for (const auto& part : parts)
        expanded += part.Text;
    SetText(expanded);
}

namespace {
// Every byte of a UTF-8 text except continuation bytes starts a character.
bool StartsCharacter(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}
} // namespace

size_t CharacterCount(std::string_view utf8)
{
    return static_cast<size_t>(std::count_if(utf8.begin(), utf8.end(), StartsCharacter));
}

std::string_view FirstCharacters(std::string_view utf8, size_t count)
{
    size_t characters = 0;
    for (size_t i = 0; i < utf8.size(); ++i)
        if (StartsCharacter(utf8[i]) && characters++ == count)
            return utf8.substr(0, i);
    return utf8;
}

bool MatchesWildcard(std::string_view subject, std::string_view pattern)
{
    if (pattern.empty())
        return true;
    const bool leading = pattern.front() == '*';
    const bool trailing = pattern.back() == '*';
    std::string_view core = pattern;
    if (leading)
        core.remove_prefix(1);
    if (trailing && !core.empty())
        core.remove_suffix(1);
    const std::string upperSubject = text::ToUpper(subject);
    const std::string upperCore = text::ToUpper(core);
    const std::string_view s = upperSubject;
    if (leading && trailing)
        return s.find(upperCore) != std::string_view::npos;
    if (trailing)
        return s.starts_with(upperCore);
    if (leading)
        return s.ends_with(upperCore);
    return s == upperCore;
}

std::string ScrambleText(std::string_view text, std::string_view key)
{
    if (key.empty())
        return std::string(text);
    std::string result;
    result.reserve(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i) {
        const auto x = static_cast<uint8_t>(static_cast<uint8_t>(text[i]) ^ static_cast<uint8_t>(key[i % key.size()]));
        result.push_back(static_cast<char>('A' + x / 16));
        result.push_back(static_cast<char>('A' + x % 16));
    }
    return result;
}

std::string UnscrambleText(std::string_view text, std::string_view key)
{
    if (key.empty())
        return std::string(text);
    std::string result;
    result.reserve(text.size() / 2);
    // A trailing odd character has no partner and is dropped.
    for (size_t i = 0, k = 0; i + 1 < text.size(); i += 2, ++k) {
        const int high = static_cast<unsigned char>(text[i]) - 'A';
        const int low = static_cast<unsigned char>(text[i + 1]) - 'A';
        const auto x = static_cast<uint8_t>((high * 16 + low) & 0xFF);
        result.push_back(static_cast<char>(x ^ static_cast<uint8_t>(key[k % key.size()])));
    }
    return result;
}

namespace {

std::string Words(int64_t a)
{
    static const char* const units[] = {"", "ein", "zwei", "drei", "vier", "fünf", "sechs", "sieben", "acht", "neun"};
    static const char* const tens[] = {"",        "zehn",    "zwanzig", "dreißig", "vierzig",
                                       "fünfzig", "sechzig", "siebzig", "achtzig", "neunzig"};
    std::string result;
    if (a / 1000000 > 0) {
        result += Words(a / 1000000);
        result += a < 2000000 ? "e Million" : " Millionen ";
        a %= 1000000;
    }
    if (a / 1000 > 0) {
        result += Words(a / 1000) + "tausend";
        a %= 1000;
    }
    if (a / 100 > 0) {
        result += Words(a / 100) + "hundert";
        a %= 100;
    }
    if (a % 10 > 0 && a > 10) {
        switch (a) {
        case 11:
            result += "elf";
            a = 0;
            break;
        case 12:
            result += "zwölf";
            a = 0;
            break;
        case 16:
            result += "sechzehn";
            a = 0;
            break;
        case 17:
            result += "siebzehn";
            a = 0;
            break;
        default:
            result += Words(a % 10);
            if (a / 10 > 1)
                result += "und";
            a = a / 10 * 10;
        }
    }
    if (a % 10 == 0 && a > 0) {
        result += tens[a / 10];
        a = 0;
    }
    result += units[a];
    return result;
}

} // namespace

std::string NumberToWords(int32_t n)
{
    // Through 64 bits so that the absolute value of the smallest number exists.
    const int64_t a = std::llabs(static_cast<int64_t>(n));
    if (a == 0)
        return "Null";
    std::string result = Words(a);
    if (a % 10 == 1 && (a / 10) % 10 == 0)
        result += "s";
    return result;
}

void InitTextModule()
{
    ClassRegistry().RegisterObjectClass<TText>();
}

} // namespace tarvo
