#pragma once
// What the fuzz targets share. Each target defines LLVMFuzzerTestOneInput
// over one reader of outside data: the reader may refuse the input with the
// system's errors, and anything else (a crash, a sanitizer report, another
// exception, a broken Require) is a finding.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace tarvo::fuzz {

inline std::string_view AsText(const uint8_t* data, size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// The input split at NUL bytes into exactly count fields; the last one
// keeps any further NULs, missing fields are empty.
std::vector<std::string> Fields(std::string_view input, size_t count);

// The name of an in-memory file holding the bytes, for readers that take a
// file name. The same name is reused by the next call.
std::string AsFile(const uint8_t* data, size_t size);

// Aborts with the message when a property of the reader does not hold, so
// that the fuzzer keeps the input.
void Require(bool condition, const char* what);

} // namespace tarvo::fuzz
