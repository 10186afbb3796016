#include "platform/host.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>

#include "platform/launcher.h"
#include "platform/messagebox.h"
#include "platform/programarguments.h"
#include "platform/win32/registry.h"
#include "platform/win32/widetext.h"
#include "platform/win32/win32services.h"
#include "platform/windowsystem.h"

namespace tarvo::platform {

namespace {

class TWindowsProgram : public IProgram {
public:
    std::string ProgramPath() const override
    {
        std::wstring path(MAX_PATH, L'\0');
        for (;;) {
            const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
            if (length == 0)
                return {};
            if (length < path.size())
                return win32::Utf8(std::wstring_view(path.data(), length));
            path.resize(path.size() * 2);
        }
    }
};

class TWindowsEnvironment : public IEnvironment {
public:
    std::optional<std::string> Get(const std::string& name) const override
    {
        const std::wstring wideName = win32::Wide(name);
        std::wstring value(64, L'\0');
        for (;;) {
            ::SetLastError(ERROR_SUCCESS);
            const DWORD length =
                ::GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
            if (length == 0)
                return ::GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt : std::optional<std::string>("");
            if (length < value.size())
                return win32::Utf8(std::wstring_view(value.data(), length));
            value.resize(length);
        }
    }
};

} // namespace

std::unique_ptr<IRegistry> CreateHostRegistry()
{
    return win32::CreateWindowsRegistry();
}

TServices HostServices()
{
    TServices services;
    services.Program = std::make_unique<TWindowsProgram>();
    services.Environment = std::make_unique<TWindowsEnvironment>();
    services.Registry = CreateHostRegistry();
    win32::InstallWin32Services(services);
    return services;
}

std::vector<std::string> ProgramArguments(int /*argc*/, char** /*argv*/)
{
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> result;
    for (int i = 1; i < count; ++i)
        result.push_back(win32::Utf8(arguments[i]));
    ::LocalFree(arguments);
    return result;
}

void ConnectToCallersConsole()
{
    // Output that goes somewhere already (a pipe, a file) stays there; a
    // program started from the desktop has no console to write to.
    const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if ((output && output != INVALID_HANDLE_VALUE) || !::AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
}

} // namespace tarvo::platform
