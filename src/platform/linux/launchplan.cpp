#include "platform/linux/launchplan.h"

#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>

#include "platform/launcher.h"
#include "platform/linux/commandline.h"
#include "platform/services.h"

namespace tarvo::platform {

namespace fs = std::filesystem;

namespace {

constexpr const char* Shell = "/bin/sh";
constexpr const char* Opener = "xdg-open";

bool IsExecutableFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

// The executable file of that name in a directory of PATH.
std::optional<fs::path> FindOnPath(const std::string& name)
{
    const std::string path = Services().Environment->Get("PATH").value_or("");
    std::string_view rest = path;
    while (!rest.empty()) {
        const size_t colon = rest.find(':');
        const std::string_view entry = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        // An empty PATH entry means the current directory.
        const fs::path candidate = fs::path(entry.empty() ? "." : entry) / name;
        if (IsExecutableFile(candidate))
            return fs::absolute(candidate);
    }
    return std::nullopt;
}

// "scheme:..." as in https://host/ or mailto:someone: letters, digits,
// "+", "-" or "." after a first letter, at least two characters before the
// colon.
bool IsAddress(std::string_view file)
{
    const size_t colon = file.find(':');
    if (colon == std::string_view::npos || colon < 2 || !std::isalpha(static_cast<unsigned char>(file[0])))
        return false;
    for (char c : file.substr(0, colon))
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return false;
    return true;
}

bool IsShellScript(const fs::path& path)
{
    if (path.extension() == ".sh" || path.extension() == ".bat")
        return true;
    std::ifstream in(path, std::ios::binary);
    char start[2] = {};
    return in.read(start, 2) && start[0] == '#' && start[1] == '!';
}

// The file the name stands for: a bare name is looked up on PATH first,
// relative paths are taken from the working directory.
fs::path Resolve(const std::string& file, const fs::path& directory)
{
    if (file.find('/') == std::string::npos)
        if (auto found = FindOnPath(file))
            return *found;
    return fs::absolute(directory / file).lexically_normal();
}

TLaunchPlan WithParameters(TLaunchPlan plan, const std::string& parameters)
{
    for (auto& argument : SplitArguments(parameters))
        plan.Arguments.push_back(std::move(argument));
    return plan;
}

TLaunchPlan OpenWith(std::string opener, std::string file, std::string directory)
{
    const auto found = FindOnPath(opener);
    if (!found)
        throw ELaunchError("cannot open \"" + file + "\": " + opener + " is not installed");
    return TLaunchPlan{found->string(), {std::move(opener), std::move(file)}, std::move(directory)};
}

} // namespace

TLaunchPlan PlanLaunch(const std::string& file, const std::string& parameters, const std::string& directory)
{
    if (file.empty())
        throw ELaunchError("no file to open");
    std::error_code error;
    if (!directory.empty() && !fs::is_directory(directory, error))
        throw ELaunchError("cannot open \"" + file + "\": the directory \"" + directory + "\" does not exist");
    if (IsAddress(file))
        return OpenWith(Opener, file, directory);
    const fs::path path = Resolve(file, directory);
    if (!fs::exists(path, error))
        throw ELaunchError("cannot open \"" + file + "\": no such file");
    if (IsExecutableFile(path))
        return WithParameters({path.string(), {file}, directory}, parameters);
    if (fs::is_regular_file(path, error) && IsShellScript(path))
        return WithParameters({Shell, {Shell, path.string()}, directory}, parameters);
    return OpenWith(Opener, path.string(), directory);
}

} // namespace tarvo::platform
