#include "platform/userdirectories.h"

#include "platform/paths.h"

namespace tarvo::platform {

namespace {

constexpr std::string_view UserFileSubdirectory = "tarvo";

} // namespace

std::optional<std::string> NonEmptyVariable(const IEnvironment& environment, const std::string& name)
{
    auto value = environment.Get(name);
    if (value && value->empty())
        return std::nullopt;
    return value;
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

} // namespace tarvo::platform
