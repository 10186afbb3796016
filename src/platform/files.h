#pragma once
// Whole-file access. Files are read and written in one piece; a write
// replaces the target only once the complete content is on disk beside it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvo::platform {

// The whole content of the file, or nullopt when it cannot be opened or read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& fileName);

// Writes the bytes to a temporary file in the target's directory and renames
// it over the target. False when that fails; the previous file is then
// untouched and no temporary file is left behind.
bool ReplaceWholeFile(const std::string& fileName, const std::vector<uint8_t>& bytes);
bool ReplaceWholeFile(const std::string& fileName, const uint8_t* data, size_t size);

bool FileExists(const std::string& fileName);

} // namespace tarvo::platform
