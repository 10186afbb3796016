#pragma once
// Whole-file access. Files are read and written in one piece; a write
// replaces the target only once the complete content is on disk beside it,
// unless the target's directory allows no file beside it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvo::platform {

// The whole content of the file, or nullopt when it cannot be opened or read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& fileName);

// Writes the bytes to a temporary file in the target's directory, syncs it
// and renames it over the target, then syncs the directory where it may be
// read. A name that is a symbolic link saves to the file the link finally
// leads to and keeps the link; the new file takes the replaced file's
// permissions and, where the process may set them, its owner and group.
// Where no file can be created in the directory for lack of rights, an
// existing writable file is overwritten in place instead. False when any of
// that fails; no temporary file is then left behind, and the previous file is
// untouched unless the failure came after the rename (syncing the directory)
// or while overwriting in place.
bool ReplaceWholeFile(const std::string& fileName, const std::vector<uint8_t>& bytes);
bool ReplaceWholeFile(const std::string& fileName, const uint8_t* data, size_t size);

bool FileExists(const std::string& fileName);

} // namespace tarvo::platform
