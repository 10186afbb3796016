#include "platform/paths.h"

#include <random>

namespace tarvo::platform {

std::string DirectoryPart(std::string_view path)
{
    const size_t last = path.find_last_of(DirectorySeparators);
    return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

bool HasExtension(std::string_view path)
{
    const std::string_view name = path.substr(DirectoryPart(path).size());
    return name.find('.') != std::string_view::npos;
}

std::string JoinPath(std::string_view directory, std::string_view name)
{
    std::string result(directory);
    if (!result.empty() && DirectorySeparators.find(result.back()) == std::string_view::npos)
        result += PathDelimiter;
    return result + std::string(name);
}

std::string TemporaryFileName()
{
    static constexpr char letters[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, sizeof letters - 2);
    std::string name = ".tarvo-";
    for (int i = 0; i < 10; ++i)
        name += letters[pick(random)];
    return name;
}

} // namespace tarvo::platform
