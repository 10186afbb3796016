#include "persist/textservices.h"

#include <QCollator>
#include <QLocale>
#include <QString>
#include <QStringDecoder>

namespace tarvo::text {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; 0 marks the five
// codes it leaves undefined, which are kept as the C1 control of that value.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

QString DecodeWindows1252(std::string_view bytes)
{
    QString result;
    result.reserve(static_cast<qsizetype>(bytes.size()));
    for (unsigned char byte : bytes) {
        char16_t unit = byte;
        if (byte >= 0x80 && byte <= 0x9F && Windows1252High[byte - 0x80] != 0)
            unit = Windows1252High[byte - 0x80];
        result.append(QChar(unit));
    }
    return result;
}

QString Decode(std::string_view bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString result = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return utf8.hasError() ? DecodeWindows1252(bytes) : result;
}

std::string Encode(const QString& text)
{
    return text.toStdString();
}

} // namespace

int CompareIgnoreCase(std::string_view a, std::string_view b)
{
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    int result = collator.compare(Decode(a), Decode(b));
    // A collator for the C locale compares code points and ignores the case
    // setting; fall back to the plain case-insensitive comparison there.
    if (result != 0 && QLocale().language() == QLocale::C)
        result = QString::compare(Decode(a), Decode(b), Qt::CaseInsensitive);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

std::string ToUpper(std::string_view text)
{
    return Encode(QLocale().toUpper(Decode(text)));
}

std::string ToDisplayText(std::string_view bytes)
{
    return Encode(Decode(bytes));
}

} // namespace tarvo::text
