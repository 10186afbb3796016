#pragma once
// Little-endian byte order, the order of every stored integer (object
// streams, translation containers, registry DWORDs), on every host.

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace tarvo::platform {

// Writes the sizeof(T) bytes of value, lowest first.
template <class T>
void ToLittleEndian(T value, uint8_t* bytes)
{
    const auto bits = static_cast<std::make_unsigned_t<T>>(value);
    for (size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
}

// The value of the sizeof(T) bytes, lowest first.
template <class T>
T FromLittleEndian(const uint8_t* bytes)
{
    using TBits = std::make_unsigned_t<T>;
    TBits bits = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        bits = static_cast<TBits>(bits | static_cast<TBits>(static_cast<TBits>(bytes[i]) << (8 * i)));
    return static_cast<T>(bits);
}

} // namespace tarvo::platform
