#include "app/autostart.h"

#include <filesystem>

#include "platform/desktopentry.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/userdirectories.h"

namespace tarvo {

namespace {

std::string EntryText(const std::string& programPath)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Tarvo\n"
           "Comment=Hotkey launcher\n"
           "Exec="
        + platform::ExecValue({programPath})
        + "\n"
          "Icon=tarvo\n"
          "Terminal=false\n";
}

void WriteEntry(const std::string& file)
{
    const std::string program = platform::Services().Program->ProgramPath();
    if (program.empty())
        throw EAutostartError("cannot write the autostart entry " + file + ": the program's path is unknown");
    platform::CreateUserDirectory(platform::DirectoryPart(file));
    const std::string text = EntryText(program);
    if (!platform::ReplaceWholeFile(file, reinterpret_cast<const uint8_t*>(text.data()), text.size()))
        throw EAutostartError("cannot write the autostart entry " + file);
}

void RemoveEntry(const std::string& file)
{
    std::error_code error;
    std::filesystem::remove(file, error);
    if (error)
        throw EAutostartError("cannot remove the autostart entry " + file + ": " + error.message());
}

} // namespace

std::string AutostartEntry()
{
    const std::string config = platform::UserConfigDirectory(*platform::Services().Environment);
    return config.empty() ? std::string()
                          : platform::JoinPath(platform::JoinPath(config, "autostart"), "tarvo.desktop");
}

void SetAutostart(bool on)
{
    const std::string file = AutostartEntry();
    if (file.empty())
        throw EAutostartError("cannot find the autostart directory: neither XDG_CONFIG_HOME nor HOME is set");
    if (on)
        WriteEntry(file);
    else
        RemoveEntry(file);
}

} // namespace tarvo
