#include "app/startup.h"

#include <algorithm>

#include "hotkeys/hotkeyfile.h"
#include "lang/modules.h"
#include "platform/paths.h"
#include "platform/userdirectories.h"
#include "settings/appsettings.h"

namespace tarvo {

namespace {
constexpr std::string_view HotKeyFileExtension = ".tvo";
} // namespace

TStartupProblems InitModules()
{
    TStartupProblems problems;
    InitLangModules();
    try {
        AppSettings();
    } catch (const ETarvoError& error) {
        // Unreadable settings leave the defaults in place; the user is told later.
        problems.emplace_back(error.what());
    }
    if (auto problem = InitHotKeyFileModule())
        problems.push_back(*problem);
    return problems;
}

void FinalizeModules()
{
    FinalizeHotKeyFileModule();
    FinalizeLangModules();
}

std::string CommandLineFileArgument(const std::vector<std::string>& args)
{
    if (args.empty())
        return {};
    std::string argument = args.front();
    argument.erase(std::remove(argument.begin(), argument.end(), '"'), argument.end());
    return argument;
}

std::string ResolveHotKeyFileName(std::string_view argument)
{
    std::string name(argument);
    if (!platform::HasExtension(name))
        name += HotKeyFileExtension;
    if (platform::DirectoryPart(name).empty())
        name = platform::UserFileDirectory() + name;
    return name;
}

void OpenCommandLineFile(const std::vector<std::string>& args)
{
    const std::string argument = CommandLineFileArgument(args);
    if (argument.empty())
        return;
    HotKeyFileName() = ResolveHotKeyFileName(argument);
    LoadHotKeyFile();
}

TStartupProblems StartUp(const std::vector<std::string>& args)
{
    TStartupProblems problems = InitModules();
    try {
        OpenCommandLineFile(args);
    } catch (const ETarvoError& error) {
        // The document loaded so far stays in use; the user is told later.
        problems.emplace_back(error.what());
    }
    return problems;
}

} // namespace tarvo
