#pragma once
// Exception classes of the persistence library. Each carries the system's
// own message text; the root, ETarvoError, is the platform layer's.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/errors.h"

namespace tarvo {

// An object was converted to a class it does not belong to.
class EInvalidCast : public ETarvoError {
public:
    EInvalidCast();
};

// A list index outside the list.
class EListError : public ETarvoError {
public:
    EListError();
};

// A class code that no class is registered under.
class EClassNotFound : public ETarvoError {
public:
    explicit EClassNotFound(int32_t code);
};

// A file that cannot be created or replaced.
class EFCreateError : public ETarvoError {
public:
    explicit EFCreateError(std::string_view fileName);
};

// A file that cannot be opened for reading.
class EFOpenError : public ETarvoError {
public:
    explicit EFOpenError(std::string_view fileName);
};

// A text that is not a decimal integer.
class EConvertError : public ETarvoError {
public:
    explicit EConvertError(std::string_view text);
};

// Stream data that cannot be what a writer of this system produced: a read
// past the end, an impossible string length, nesting deeper than any document.
class EStreamDamaged : public ETarvoError {
public:
    // fileName may be empty when the data did not come from a file.
    EStreamDamaged(std::string_view fileName, std::string_view detail);
};

// Replaces the first "%s" of a message template by the argument.
std::string FormatMessage(std::string_view messageTemplate, std::string_view argument);

// Converts to T or raises EInvalidCast, like the design's checked "as".
template <class T, class From>
T& CastTo(From& object)
{
    if (auto* result = dynamic_cast<T*>(&object))
        return *result;
    throw EInvalidCast();
}

// The framework's text-to-integer conversion: leading blanks, a sign, and
// "$" before hexadecimal digits; nothing may follow. Nothing when the text is
// not a number that fits 32 bits.
std::optional<int32_t> TryStrToInt(std::string_view text);
// The same, raising EConvertError for a text that is not a number.
int32_t StrToInt(std::string_view text);

} // namespace tarvo
