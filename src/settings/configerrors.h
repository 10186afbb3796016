#pragma once
// Exceptions of the configuration store.

#include <string_view>

#include "persist/errors.h"

namespace tarvo {

// A registry value that cannot be given or taken as asked.
class ERegistryException : public ETarvoError {
public:
    enum class TReason {
        InvalidDataType, // the value exists but is not a string
        CannotWrite,     // the value cannot be stored
    };
    ERegistryException(TReason reason, std::string_view valueName);
};

// A stored text that is not a number of the kind asked for.
class EConfigConvertError : public ETarvoError {
public:
    enum class TNumberKind { Integer, Float };
    EConfigConvertError(TNumberKind kind, std::string_view text);
};

} // namespace tarvo
