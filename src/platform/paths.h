#pragma once
// File-name rules of the host system. On Windows a directory part ends at the
// last "\" or ":", on Linux at the last "/"; every caller goes through these
// functions so that the rule lives in one place.

#include <string>
#include <string_view>

namespace tarvo::platform {

#ifdef _WIN32
inline constexpr char PathDelimiter = '\\';
inline constexpr std::string_view DirectorySeparators = "\\:";
#else
inline constexpr char PathDelimiter = '/';
inline constexpr std::string_view DirectorySeparators = "/";
#endif

// The directory part of path, up to and including its last separator; empty
// when path has none.
std::string DirectoryPart(std::string_view path);

// Whether the file-name part of path (after its directory part) contains a ".".
bool HasExtension(std::string_view path);

// The directory joined with name, with exactly one delimiter between them
// unless directory is empty or already ends with one.
std::string JoinPath(std::string_view directory, std::string_view name);

// A short random name for a temporary file beside the one a save replaces:
// ".tarvo-" and ten letters or digits, so that it stays within the file
// system's limit however long the target's name is.
std::string TemporaryFileName();

} // namespace tarvo::platform
