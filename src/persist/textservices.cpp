#include "persist/textservices.h"

#include <QByteArrayView>
#include <QCollator>
#include <QLocale>
#include <QLoggingCategory>
#include <QString>

#include <iterator>
#include <optional>

#include "persist/log.h"

namespace tarvo::text {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. The five codes it
// leaves unassigned are the C1 controls of the same value.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsUtf8(std::string_view bytes)
{
    return QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())).isValidUtf8();
}

std::string DecodeWindows1252(std::string_view bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (unsigned char byte : bytes)
        text.append(QChar(byte >= 0x80 && byte < 0xA0 ? Windows1252High[byte - 0x80] : char16_t{byte}));
    return text.toStdString();
}

// The character's byte in Windows-1252, if it has one.
std::optional<char> Windows1252Byte(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<char>(character);
    for (size_t i = 0; i < std::size(Windows1252High); ++i)
        if (Windows1252High[i] == character)
            return static_cast<char>(0x80 + i);
    return std::nullopt;
}

// The character that starts at utf8[i] of valid UTF-8; moves i behind it.
char32_t NextCharacter(std::string_view utf8, size_t& i)
{
    const auto lead = static_cast<unsigned char>(utf8[i++]);
    if (lead < 0x80)
        return lead;
    const int continuationBytes = lead >= 0xF0 ? 3 : (lead >= 0xE0 ? 2 : 1);
    char32_t character = lead & (0x3F >> continuationBytes);
    for (int k = 0; k < continuationBytes; ++k)
        character = (character << 6) | (static_cast<unsigned char>(utf8[i++]) & 0x3F);
    return character;
}

} // namespace

std::string Decode(std::string_view bytes)
{
    return IsUtf8(bytes) ? std::string(bytes) : DecodeWindows1252(bytes);
}

std::string Encode(std::string_view text)
{
    const std::string utf8 = Decode(text);
    std::string singleBytes;
    for (size_t i = 0; i < utf8.size();) {
        const auto byte = Windows1252Byte(NextCharacter(utf8, i));
        if (!byte)
            return utf8;
        singleBytes += *byte;
    }
    // Single bytes that are valid UTF-8 are pure ASCII, and then the same as
    // utf8, or would be read back as other characters.
    return IsUtf8(singleBytes) ? utf8 : singleBytes;
}

int CompareIgnoreCase(std::string_view a, std::string_view b)
{
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    int result = collator.compare(QString::fromUtf8(a), QString::fromUtf8(b));
    // A collator for the C locale compares code points and ignores the case
    // setting; fall back to the plain case-insensitive comparison there.
    if (result != 0 && QLocale().language() == QLocale::C)
        result = QString::compare(QString::fromUtf8(a), QString::fromUtf8(b), Qt::CaseInsensitive);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

std::string ToUpper(std::string_view text)
{
    return QLocale().toUpper(QString::fromUtf8(text)).toStdString();
}

} // namespace tarvo::text

namespace tarvo {

namespace {
Q_LOGGING_CATEGORY(lcPersist, "tarvo.persist")
} // namespace

void LogPersistWarning(std::string_view line)
{
    qCWarning(lcPersist).noquote() << QString::fromUtf8(line);
}

} // namespace tarvo
