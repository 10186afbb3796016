#pragma once
// Exceptions of the translation container library. The texts of the first
// three are the library's own and are fixed; a damaged block says where
// reading stopped and why.

#include <cstddef>
#include <string_view>

#include "persist/errors.h"

namespace tarvo {

// Container data that this system cannot use: an unsupported record version
// ("Version not supported !"), an entry operation its class does not offer.
class EMLangInvalid : public ETarvoError {
public:
    using ETarvoError::ETarvoError;
};

// Container data that no writer can have produced: it ends inside a value,
// holds an impossible count, or puts an object where one of another kind
// belongs. Raised before anything is allocated for the impossible part.
class EContainerDamaged : public EMLangInvalid {
public:
    EContainerDamaged(size_t offset, std::string_view detail);
};

// A class name that is not in the container class register, or no object at
// all where one is to be stored.
class EContainerClassNotFound : public ETarvoError {
public:
    using ETarvoError::ETarvoError;
};

// An index or capacity outside a container list, or an object that is not in it.
class EContainerListError : public ETarvoError {
public:
    using ETarvoError::ETarvoError;
};

} // namespace tarvo
