#include "platform/win32/win32services.h"

#include <windows.h>

#include <shellapi.h>

#include <filesystem>

#include "platform/launcher.h"
#include "platform/win32/widetext.h"
#include "platform/win32/win32hotkeys.h"
#include "platform/windowsystem.h"

namespace tarvo::platform::win32 {

namespace {

// The system's text for an error code, in the system's language.
std::string SystemErrorText(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text, length);
    ::LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.'))
        message.pop_back();
    return message.empty() ? "system error " + std::to_string(error) : Utf8(message);
}

// The name of a program file without its folder and extension: "notepad"
// for "C:\\Windows\\notepad.exe".
std::string ProgramName(const std::wstring& file)
{
    return Utf8(std::filesystem::path(file).stem().wstring());
}

// The program whose process made the window; empty when it cannot be asked.
std::string WindowProgram(HWND window)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return {};
    wchar_t path[MAX_PATH];
    DWORD length = MAX_PATH;
    const bool known = ::QueryFullProcessImageNameW(process, 0, path, &length);
    ::CloseHandle(process);
    return known ? ProgramName(std::wstring(path, length)) : std::string();
}

std::string WindowClassName(HWND window)
{
    wchar_t name[256];
    return Utf8(std::wstring(name, static_cast<size_t>(::GetClassNameW(window, name, 256))));
}

// Opens files with the shell's execute call, which starts programs and hands
// documents and addresses to their applications, and applies the show
// command itself.
class TShellLauncher : public ILauncher {
public:
    void Execute(const std::string& file, const std::string& parameters, const std::string& directory,
                 TShowCommand show) override
    {
        const std::wstring wideFile = Wide(file);
        const std::wstring wideParameters = Wide(parameters);
        const std::wstring wideDirectory = Wide(directory);
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
        info.lpFile = wideFile.c_str();
        info.lpParameters = wideParameters.empty() ? nullptr : wideParameters.c_str();
        info.lpDirectory = wideDirectory.empty() ? nullptr : wideDirectory.c_str();
        info.nShow = static_cast<int>(show);
        if (::ShellExecuteExW(&info))
            return;
        const std::string cause = SystemErrorText(::GetLastError());
        throw ELaunchError(
            {"cannot start \"" + file + "\": " + cause, "\"" + file + "\" kann nicht gestartet werden: " + cause});
    }
    // The name of the program that opens the file (the file itself for a
    // program), which its windows carry as their Instance.
    std::vector<std::string> WindowClasses(const std::string& file, const std::string& directory) const override
    {
        wchar_t program[MAX_PATH];
        if (reinterpret_cast<INT_PTR>(::FindExecutableW(Wide(file).c_str(), Wide(directory).c_str(), program)) > 32)
            return {ProgramName(program)};
        return {};
    }
    // The shell applies the show command before the execute call returns.
    void WaitForShowCommands() override { }
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows)
{
    // Windows never shown (no visible style and never minimised) are helper
    // windows of their programs.
    if (!::IsWindowVisible(window) && !::IsIconic(window))
        return TRUE;
    const int length = ::GetWindowTextLengthW(window);
    std::wstring title(static_cast<size_t>(length) + 1, L'\0');
    title.resize(static_cast<size_t>(::GetWindowTextW(window, title.data(), length + 1)));
    TTopLevelWindow found;
    // Window handles fit 32 bits, so that 32-bit and 64-bit programs can
    // exchange them.
    found.Id = static_cast<TWindowId>(reinterpret_cast<uintptr_t>(window));
    found.Title = Utf8(title);
    found.Instance = WindowProgram(window);
    found.Class = WindowClassName(window);
    found.Active = window == ::GetForegroundWindow();
    reinterpret_cast<std::vector<TTopLevelWindow>*>(windows)->push_back(std::move(found));
    return TRUE;
}

class TWin32WindowSystem : public IWindowSystem {
public:
    std::vector<TTopLevelWindow> TopLevelWindows() const override
    {
        std::vector<TTopLevelWindow> windows;
        ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
        return windows;
    }
    void RestoreAndActivate(TWindowId id) override
    {
        const HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(id));
        if (!::IsWindow(window))
            return;
        if (::IsIconic(window) || !::IsWindowVisible(window))
            ::ShowWindow(window, SW_RESTORE);
        ::SetForegroundWindow(window); // refused unless the system lets this program take the focus
    }
};

class TWin32KeyNames : public IKeyNames {
public:
    std::string KeyName(uint16_t virtualKey) const override
    {
        const UINT scanCode = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
        if (scanCode == 0)
            return {};
        wchar_t name[64];
        const int length = ::GetKeyNameTextW(static_cast<LONG>(scanCode << 16), name, 64);
        return Utf8(std::wstring_view(name, static_cast<size_t>(length > 0 ? length : 0)));
    }
};

} // namespace

void InstallWin32Services(TServices& services)
{
    services.KeyNames = std::make_unique<TWin32KeyNames>();
    services.WindowSystem = std::make_unique<TWin32WindowSystem>();
    services.Launcher = std::make_unique<TShellLauncher>();
    services.HotKeys = CreateWin32HotKeys();
}

} // namespace tarvo::platform::win32
