#include "platform/userdirectories.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/paths.h"

namespace tarvo::platform {

namespace {

constexpr std::string_view UserFileSubdirectory = "tarvo";

bool MayCreateFilesIn(const std::string& directory)
{
    return !directory.empty() && ::access(directory.c_str(), W_OK | X_OK) == 0;
}

} // namespace

std::optional<std::string> NonEmptyVariable(const IEnvironment& environment, const std::string& name)
{
    auto value = environment.Get(name);
    if (value && value->empty())
        return std::nullopt;
    return value;
}

std::string UserConfigDirectory(const IEnvironment& environment)
{
    if (auto config = NonEmptyVariable(environment, "XDG_CONFIG_HOME"); config && config->starts_with('/'))
        return *config;
    if (auto home = NonEmptyVariable(environment, "HOME"))
        return JoinPath(*home, ".config");
    return {};
}

std::string UserFileDirectory(const std::string& programDirectory, bool programDirectoryWritable,
                              const IEnvironment& environment)
{
    const std::string config = UserConfigDirectory(environment);
    if (programDirectoryWritable || config.empty())
        return programDirectory;
    return JoinPath(JoinPath(config, UserFileSubdirectory), "");
}

std::string UserFileDirectory()
{
    const std::string programDirectory = ProgramDirectory();
    return UserFileDirectory(programDirectory, MayCreateFilesIn(programDirectory), *Services().Environment);
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
