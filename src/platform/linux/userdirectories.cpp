#include "platform/userdirectories.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/paths.h"

namespace tarvo::platform {

std::string UserConfigDirectory(const IEnvironment& environment)
{
    if (auto config = NonEmptyVariable(environment, "XDG_CONFIG_HOME"); config && config->starts_with('/'))
        return *config;
    if (auto home = NonEmptyVariable(environment, "HOME"))
        return JoinPath(*home, ".config");
    return {};
}

bool MayCreateFilesIn(const std::string& directory)
{
    return !directory.empty() && ::access(directory.c_str(), W_OK | X_OK) == 0;
}

void CreateUserDirectory(const std::string& directory)
{
    std::filesystem::path partial;
    for (const auto& part : std::filesystem::path(directory)) {
        partial /= part;
        if (!part.empty())
            ::mkdir(partial.c_str(), 0700); // fails harmlessly for the parts that exist
    }
}

} // namespace tarvo::platform
