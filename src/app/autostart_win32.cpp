#include "app/autostart.h"

#include <windows.h>

#include <QString>

#include "platform/services.h"

namespace tarvo {

namespace {

constexpr const wchar_t* RunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* ValueName = L"Tarvo";

std::string Cause(LSTATUS status)
{
    return qt_error_string(int(status)).toStdString();
}

} // namespace

std::string AutostartEntry()
{
    return "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Tarvo";
}

void SetAutostart(bool on)
{
    if (!on) {
        const LSTATUS status = ::RegDeleteKeyValueW(HKEY_CURRENT_USER, RunKey, ValueName);
        // An entry that is not there is no error.
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
            throw EAutostartError("cannot remove the autostart entry " + AutostartEntry() + ": " + Cause(status));
        return;
    }
    const std::string program = platform::Services().Program->ProgramPath();
    if (program.empty())
        throw EAutostartError("cannot write the autostart entry " + AutostartEntry()
                              + ": the program's path is unknown");
    // Quoted, as the path may hold spaces; with its terminating zero.
    const std::wstring command = QString::fromStdString("\"" + program + "\"").toStdWString();
    const LSTATUS status = ::RegSetKeyValueW(HKEY_CURRENT_USER, RunKey, ValueName, REG_SZ, command.c_str(),
                                             DWORD((command.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS)
        throw EAutostartError("cannot write the autostart entry " + AutostartEntry() + ": " + Cause(status));
}

} // namespace tarvo
