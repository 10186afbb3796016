// The hotkey programs of the user that run now, sxhkd and xbindkeys, found
// in /proc by their command names; each holds the bindings of the
// configuration it was started with: the file its command line names, else
// its default file under the process's own HOME and XDG_CONFIG_HOME. Only
// those on this program's X display count: a program on another display
// grabs the keys of that display only.

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <variant>

#include "conflicts/holders.h"
#include "persist/textservices.h"
#include "platform/files.h"
#include "platform/services.h"
#include "tools/configtext.h"
#include "tools/keysymnames.h"
#include "tools/peerconfig.h"

namespace tarvo::conflicts {

namespace {

namespace fs = std::filesystem;

// A file of /proc, read to its end (its size says nothing); nullopt when it
// cannot be read (the process ended, or is another user's).
std::optional<std::string> ReadProcFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The zero-separated strings of cmdline and environ.
std::vector<std::string> ZeroSeparated(const std::string& text)
{
    std::vector<std::string> strings;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\0', start), text.size());
        strings.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return strings;
}

// The display part of an X display name, without the screen: ":1" of
// ":1.0", "host:0" of "host:0.1".
std::string WithoutScreen(const std::string& display)
{
    const size_t colon = display.rfind(':');
    const size_t dot = display.find('.', colon == std::string::npos ? 0 : colon);
    return display.substr(0, dot);
}

// A process of the user, seen through its directory in /proc.
struct TProcess {
    fs::path Directory;
    std::vector<std::string> Arguments; // without the program
    std::vector<std::string> Environment;

    std::string Variable(std::string_view name) const
    {
        for (const std::string& entry : Environment)
            if (entry.size() > name.size() && entry.starts_with(name) && entry[name.size()] == '=')
                return entry.substr(name.size() + 1);
        return {};
    }

    // A file named on its command line, from its working directory.
    std::string FromWorkingDirectory(const std::string& file) const
    {
        std::error_code error;
        const fs::path cwd = fs::read_symlink(Directory / "cwd", error);
        return error || fs::path(file).is_absolute() ? file : (cwd / file).string();
    }

    std::string ConfigHome() const
    {
        const std::string configHome = Variable("XDG_CONFIG_HOME");
        return configHome.empty() ? Variable("HOME") + "/.config" : configHome;
    }
};

// sxhkd [-c CONFIG] [other options with their values] [EXTRA_CONFIG ...]
std::vector<std::string> SxhkdConfigurations(const TProcess& process)
{
    constexpr std::string_view OptionsWithValue = "mtcrsa";
    std::vector<std::string> files;
    std::optional<std::string> config;
    const std::vector<std::string>& arguments = process.Arguments;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() >= 2 && argument[0] == '-' && OptionsWithValue.find(argument[1]) != std::string_view::npos) {
            const std::string value =
                argument.size() > 2 ? argument.substr(2) : (i + 1 < arguments.size() ? arguments[++i] : "");
            if (argument[1] == 'c')
                config = process.FromWorkingDirectory(value);
        } else if (!argument.starts_with('-')) {
            files.push_back(process.FromWorkingDirectory(argument));
        }
    }
    files.insert(files.begin(), config.value_or(process.ConfigHome() + "/sxhkd/sxhkdrc"));
    return files;
}

// xbindkeys [-f|--file CONFIG] [other options]
std::vector<std::string> XbindkeysConfigurations(const TProcess& process)
{
    const std::vector<std::string>& arguments = process.Arguments;
    for (size_t i = 0; i + 1 < arguments.size(); ++i)
        if (arguments[i] == "-f" || arguments[i] == "--file")
            return {process.FromWorkingDirectory(arguments[i + 1])};
    return {process.Variable("HOME") + "/.xbindkeysrc"};
}

struct THotKeyProgram {
    std::string_view Name; // its command name in /proc
    tools::TPeerFormat Format;
    std::vector<std::string> (*Configurations)(const TProcess& process);
};

constexpr THotKeyProgram HotKeyPrograms[] = {
    {"sxhkd", tools::TPeerFormat::Sxhkd, SxhkdConfigurations},
    {"xbindkeys", tools::TPeerFormat::Xbindkeys, XbindkeysConfigurations},
};

void AddBindings(std::string_view owner, tools::TPeerFormat format, const std::string& file,
                 std::vector<THeldCombination>& held)
{
    const auto bytes = platform::ReadWholeFile(file);
    if (!bytes)
        return; // the program runs without that file, so it holds nothing from it
    const std::string text = text::Decode(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    for (const tools::TPeerBinding& binding : tools::ReadPeerConfig(format, text)) {
        const auto combination = tools::KeysCombination(binding.Keys);
        const TShortCut* shortcut = std::get_if<TShortCut>(&combination);
        if (binding.Problem.empty() && shortcut)
            held.push_back({*shortcut, {std::string(owner), tools::CollapseBlanks(binding.Command), {file, file}}});
    }
}

class TRunningHotKeyPrograms : public IHolderSource {
public:
    explicit TRunningHotKeyPrograms(std::string procRoot) : procRoot_(std::move(procRoot)) { }

    std::vector<THeldCombination> HeldCombinations() override
    {
        std::vector<THeldCombination> held;
        const std::optional<std::string> display = platform::Services().Environment->Get("DISPLAY");
        if (!display || display->empty())
            return held; // no X display: no X program can hold our keys
        std::error_code error;
        for (const fs::directory_entry& entry : fs::directory_iterator(procRoot_, error)) {
            struct stat status {};
            if (stat(entry.path().c_str(), &status) != 0 || status.st_uid != getuid())
                continue;
            const std::string comm = ReadProcFile(entry.path() / "comm").value_or("");
            for (const THotKeyProgram& program : HotKeyPrograms) {
                if (comm.substr(0, comm.find('\n')) != program.Name)
                    continue;
                TProcess process{entry.path(), ZeroSeparated(ReadProcFile(entry.path() / "cmdline").value_or("")),
                                 ZeroSeparated(ReadProcFile(entry.path() / "environ").value_or(""))};
                if (WithoutScreen(process.Variable("DISPLAY")) != WithoutScreen(*display))
                    continue;
                if (!process.Arguments.empty())
                    process.Arguments.erase(process.Arguments.begin());
                for (const std::string& file : program.Configurations(process))
                    AddBindings(program.Name, program.Format, file, held);
            }
        }
        return held;
    }

private:
    std::string procRoot_;
};

} // namespace

std::unique_ptr<IHolderSource> RunningHotKeyPrograms(std::string procRoot)
{
    return std::make_unique<TRunningHotKeyPrograms>(std::move(procRoot));
}

} // namespace tarvo::conflicts
