#include "platform/linux/launchplan.h"

#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>

#include "platform/files.h"
#include "platform/launcher.h"
#include "platform/linux/commandline.h"
#include "platform/linux/desktopexec.h"
#include "platform/locale.h"
#include "platform/services.h"

namespace tarvo::platform {

namespace fs = std::filesystem;

namespace {

constexpr const char* Shell = "/bin/sh";
constexpr const char* Opener = "xdg-open";
constexpr const char* Terminal = "x-terminal-emulator";
constexpr std::string_view DesktopEntryExtension = ".desktop";

[[noreturn]] void CannotOpen(const std::string& file, const TUserText& reason)
{
    throw ELaunchError({"cannot open \"" + file + "\": " + reason.English,
                        "\"" + file + "\" kann nicht geöffnet werden: " + reason.German});
}

TUserText NotInstalled(const std::string& program)
{
    return {program + " is not installed", program + " ist nicht installiert"};
}

TUserText ProgramOfKeyNotInstalled(const std::string& program, const std::string& key)
{
    return {"the program \"" + program + "\" of its " + key + " key is not installed",
            "das Programm \"" + program + "\" seines " + key + "-Schlüssels ist nicht installiert"};
}

TUserText DirectoryMissing(const std::string& directory)
{
    return {"the directory \"" + directory + "\" does not exist",
            "das Verzeichnis \"" + directory + "\" gibt es nicht"};
}

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

// A program named in a desktop entry: a bare name is looked up on PATH, a
// path must be an executable file.
std::optional<fs::path> FindProgram(const std::string& name)
{
    if (name.find('/') == std::string::npos)
        return FindOnPath(name);
    return IsExecutableFile(name) ? std::optional<fs::path>(name) : std::nullopt;
}

// The file the name stands for: a bare name is looked up on PATH first,
// relative paths are taken from the working directory, and a bare name of a
// desktop entry that is not there is looked for among the installed
// applications.
fs::path Resolve(const std::string& file, const fs::path& directory)
{
    const bool bare = file.find('/') == std::string::npos;
    if (bare)
        if (auto found = FindOnPath(file))
            return *found;
    fs::path path = fs::absolute(directory / file).lexically_normal();
    std::error_code error;
    if (bare && file.ends_with(DesktopEntryExtension) && !fs::exists(path, error))
        if (auto installed = FindInstalledDesktopEntry(file))
            return *installed;
    return path;
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
        CannotOpen(file, NotInstalled(opener));
    return TLaunchPlan{found->string(), {std::move(opener), std::move(file)}, std::move(directory)};
}

TDesktopEntry ReadDesktopEntry(const std::string& file, const fs::path& path)
{
    const auto bytes = ReadWholeFile(path.string());
    if (!bytes)
        CannotOpen(file, {"the desktop entry cannot be read", "die Desktop-Datei kann nicht gelesen werden"});
    auto entry = TDesktopEntry::Parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (!entry)
        CannotOpen(file, {"it has no [Desktop Entry] group", "sie hat keine Gruppe [Desktop Entry]"});
    return std::move(*entry);
}

// The entry's Path, or the command's directory when it has none.
std::string WorkingDirectory(const std::string& file, const TDesktopEntry& entry, const std::string& directory)
{
    const std::string path = entry.Value("Path").value_or("");
    std::error_code error;
    if (path.empty())
        return directory;
    if (!fs::is_directory(path, error))
        CannotOpen(file,
                   {"the directory \"" + path + "\" of its Path key does not exist",
                    "das Verzeichnis \"" + path + "\" ihres Path-Schlüssels gibt es nicht"});
    return path;
}

// Starts what a desktop entry describes: an application with the command's
// parameters as its files, or the address of a link.
TLaunchPlan PlanDesktopEntry(const std::string& file, const fs::path& path, const std::string& parameters,
                             const std::string& directory)
{
    const TDesktopEntry entry = ReadDesktopEntry(file, path);
    if (entry.IsTrue("Hidden"))
        CannotOpen(file, {"the desktop entry is hidden", "die Desktop-Datei ist verborgen"});
    const std::string type = entry.Value("Type").value_or("Application");
    if (type == "Link") {
        const std::string address = entry.Value("URL").value_or("");
        if (address.empty())
            CannotOpen(file, {"the link has no URL", "der Verweis hat keine URL"});
        return OpenWith(Opener, address, directory);
    }
    if (type != "Application")
        CannotOpen(file,
                   {"a desktop entry of type \"" + type + "\" starts nothing",
                    "eine Desktop-Datei vom Typ \"" + type + "\" startet nichts"});
    if (auto tryExec = entry.Value("TryExec"); tryExec && !FindProgram(*tryExec))
        CannotOpen(file, ProgramOfKeyNotInstalled(*tryExec, "TryExec"));

    std::vector<std::string> arguments;
    try {
        arguments = ExecArguments(entry, path.string(), SplitArguments(parameters), MessagesLocale());
    } catch (const ELaunchError& error) {
        CannotOpen(file, error.Reason);
    }
    auto program = FindProgram(arguments.front());
    if (!program)
        CannotOpen(file, ProgramOfKeyNotInstalled(arguments.front(), "Exec"));
    if (entry.IsTrue("Terminal")) {
        program = FindOnPath(Terminal);
        if (!program)
            CannotOpen(file, NotInstalled(Terminal));
        arguments.insert(arguments.begin(), {Terminal, "-e"});
    }
    return {program->string(), std::move(arguments), WorkingDirectory(file, entry, directory)};
}

bool IsDesktopEntry(const fs::path& path)
{
    std::error_code error;
    return path.extension() == DesktopEntryExtension && fs::is_regular_file(path, error);
}

} // namespace

std::vector<std::string> DesktopEntryWindowClasses(const std::string& file, const std::string& directory)
{
    if (file.empty())
        return {};
    const fs::path path = Resolve(file, directory);
    if (!IsDesktopEntry(path))
        return {};
    std::vector<std::string> classes;
    const auto bytes = ReadWholeFile(path.string());
    const auto entry = bytes
        ? TDesktopEntry::Parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()))
        : std::nullopt;
    if (!entry)
        return {};
    if (auto startupClass = entry->Value("StartupWMClass"); startupClass && !startupClass->empty())
        classes.push_back(*startupClass);
    classes.push_back(path.stem().string());
    return classes;
}

TLaunchPlan PlanLaunch(const std::string& file, const std::string& parameters, const std::string& directory)
{
    if (file.empty())
        throw ELaunchError({"no file to open", "keine Datei zum Öffnen"});
    std::error_code error;
    if (!directory.empty() && !fs::is_directory(directory, error))
        CannotOpen(file, DirectoryMissing(directory));
    if (IsAddress(file))
        return OpenWith(Opener, file, directory);
    const fs::path path = Resolve(file, directory);
    if (!fs::exists(path, error))
        CannotOpen(file, {"no such file", "die Datei gibt es nicht"});
    if (IsDesktopEntry(path))
        return PlanDesktopEntry(file, path, parameters, directory);
    if (IsExecutableFile(path))
        return WithParameters({path.string(), {file}, directory}, parameters);
    if (fs::is_regular_file(path, error) && IsShellScript(path))
        return WithParameters({Shell, {Shell, path.string()}, directory}, parameters);
    return OpenWith(Opener, path.string(), directory);
}

} // namespace tarvo::platform
