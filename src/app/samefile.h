#pragma once
// Whether two names (UTF-8) name the same file: the same file on disk when
// both exist, the same absolute path with links resolved otherwise.

#include <string>

namespace tarvo {

bool SameFile(const std::string& first, const std::string& second);

} // namespace tarvo
