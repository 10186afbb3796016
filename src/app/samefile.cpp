#include "app/samefile.h"

#include <filesystem>

namespace tarvo {

namespace {

// UTF-8 into the system's own encoding of file names (UTF-16 on Windows).
std::filesystem::path PathOf(const std::string& name)
{
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

} // namespace

bool SameFile(const std::string& first, const std::string& second)
{
    std::error_code error; // a name that cannot be resolved is compared as it is
    if (std::filesystem::equivalent(PathOf(first), PathOf(second), error))
        return true;
    return std::filesystem::weakly_canonical(PathOf(first), error)
        == std::filesystem::weakly_canonical(PathOf(second), error);
}

} // namespace tarvo
