// The Windows host services against the real system (under Wine in the cross
// build): files and registry keys with names outside the ANSI code page,
// environment variables, launching through the shell, system-wide hotkeys.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/launcher.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "platform/userdirectories.h"
#include "platform/windowsystem.h"
#include "platform/win32/widetext.h"
#include "platform/win32/win32hotkeys.h"

namespace tarvo::platform {
namespace {

using win32::Utf8;
using win32::Wide;

// A fresh folder under the user's temporary folder, named in UTF-16 so that
// its name cannot have passed a narrow call; removed afterwards.
class TScratchFolder {
public:
    TScratchFolder()
    {
        wchar_t temp[MAX_PATH];
        const DWORD length = ::GetTempPathW(MAX_PATH, temp);
        path_ = Utf8(std::wstring_view(temp, length)) + "tarvo-Ä-" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryW(Wide(path_).c_str(), nullptr);
    }
    ~TScratchFolder()
    {
        // Nothing to do about a scratch file that will not go.
        for (const std::wstring& name : Names())
            ::DeleteFileW(Wide(File(Utf8(name))).c_str());
        ::RemoveDirectoryW(Wide(path_).c_str());
    }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    const std::string& Path() const { return path_; }
    // The names of the folder's files, as the system holds them.
    std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        const HANDLE search = ::FindFirstFileW(Wide(path_ + "\\*").c_str(), &found);
        for (bool more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(search, &found))
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        if (search != INVALID_HANDLE_VALUE)
            ::FindClose(search);
        return names;
    }

private:
    std::string path_;
};

TEST(Win32Files, NamesOutsideTheAnsiCodePageAreWrittenReplacedAndReadAsThemselves)
{
    TScratchFolder folder;
    const std::vector<std::pair<std::string, std::wstring>> names = {
        {"Grüße.tvo", L"Gr\u00fc\u00dfe.tvo"},
        {"Привет 日本.tvo", L"\u041f\u0440\u0438\u0432\u0435\u0442 \u65e5\u672c.tvo"},
    };
    for (const auto& [name, wide] : names) {
        const std::string file = folder.File(name);
        EXPECT_FALSE(FileExists(file));
        ASSERT_TRUE(ReplaceWholeFile(file, std::vector<uint8_t>{1, 2, 3}));
        ASSERT_TRUE(ReplaceWholeFile(file, std::vector<uint8_t>{4, 5}));
        EXPECT_TRUE(FileExists(file));
        EXPECT_EQ(ReadWholeFile(file), (std::vector<uint8_t>{4, 5}));
        EXPECT_NE(std::find(folder.Names().begin(), folder.Names().end(), wide), folder.Names().end()) << name;
    }
    EXPECT_EQ(folder.Names().size(), names.size()); // no temporary file left behind
    EXPECT_FALSE(ReadWholeFile(folder.File("missing")));
    EXPECT_FALSE(FileExists(folder.Path()));
    EXPECT_FALSE(ReplaceWholeFile(folder.File("no folder\\x.tvo"), std::vector<uint8_t>{1}));
}

TEST(Win32Files, UserDirectoriesAreCreatedWithTheirParents)
{
    TScratchFolder folder;
    const std::string nested = folder.File("Ö\\日");
    EXPECT_FALSE(MayCreateFilesIn(nested));
    CreateUserDirectory(nested);
    EXPECT_TRUE(MayCreateFilesIn(nested));
    EXPECT_TRUE(ReplaceWholeFile(nested + "\\x", std::vector<uint8_t>{1}));
    ::DeleteFileW(Wide(nested + "\\x").c_str());
    ::RemoveDirectoryW(Wide(nested).c_str());
    ::RemoveDirectoryW(Wide(folder.File("Ö")).c_str());
}

TEST(Win32Registry, KeysAndValuesRoundTripThroughTheRealRegistry)
{
    const std::string path = "\\Software\\\\Tarvo Test Ä " + std::to_string(::GetCurrentProcessId()) + "\\Ü日\\";
    IRegistry& registry = *Services().Registry;
    EXPECT_EQ(registry.OpenKey(TRootKey::CurrentUser, path), nullptr);
    {
        const auto key = registry.CreateKey(TRootKey::CurrentUser, path);
        ASSERT_NE(key, nullptr);
        EXPECT_TRUE(key->SetValue("Grüße", StringValue("D:\\Gemeinsam €")));
        EXPECT_TRUE(key->SetValue("Zahl", DWordValue(0x01020304)));
        EXPECT_TRUE(key->Flush());
    }
    const auto key = registry.OpenKey(TRootKey::CurrentUser,
                                      "Software\\tarvo test ä " + std::to_string(::GetCurrentProcessId()) + "\\ü日");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->QueryValue("grüße"), StringValue("D:\\Gemeinsam €"));
    EXPECT_EQ(key->QueryValue("Zahl"), DWordValue(0x01020304));
    EXPECT_EQ(key->QueryValue("missing"), std::nullopt);
    // Stored as the registry's own UTF-16 text with its terminating zero.
    wchar_t stored[32] = {};
    DWORD size = sizeof stored;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, Wide(path.substr(1, path.size() - 2)).c_str(), L"Gr\u00fc\u00dfe",
                             RRF_RT_REG_SZ, nullptr, stored, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(stored), L"D:\\Gemeinsam \u20ac");
    ::RegDeleteTreeW(HKEY_CURRENT_USER,
                     Wide("Software\\Tarvo Test Ä " + std::to_string(::GetCurrentProcessId())).c_str());
}

TEST(Win32Environment, VariablesAreReadAsUtf8)
{
    const IEnvironment& environment = *Services().Environment;
    ::SetEnvironmentVariableW(L"TARVO_\u00c4", L"Wert \u20ac \u65e5");
    EXPECT_EQ(environment.Get("TARVO_Ä"), "Wert € 日");
    ::SetEnvironmentVariableW(L"TARVO_\u00c4", nullptr);
    EXPECT_EQ(environment.Get("TARVO_Ä"), std::nullopt);
    EXPECT_NE(Services().Program->ProgramPath().find("platform_win32_tests.exe"), std::string::npos);
}

TEST(Win32Launcher, StartsWithParametersAndDirectoryAndReportsWhatCannotStart)
{
    TScratchFolder folder;
    ILauncher& launcher = *Services().Launcher;
    launcher.Execute("cmd.exe", "/c echo started> marker.txt", folder.Path(), TShowCommand::MinimizedNoActivate);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!FileExists(folder.File("marker.txt")) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(FileExists(folder.File("marker.txt")));

    try {
        launcher.Execute(folder.File("fehlt ä.exe"), "", "", TShowCommand::Normal);
        ADD_FAILURE() << "nothing thrown";
    } catch (const ELaunchError& error) {
        EXPECT_NE(std::string(error.what()).find("fehlt ä.exe"), std::string::npos) << error.what();
        EXPECT_NE(error.Reason.German.find("kann nicht gestartet werden"), std::string::npos);
    }
}

// A window of this program is found with its program's name and its window
// class, and a program file names the program its windows carry.
TEST(Win32WindowSearch, WindowsCarryTheirProgramAndClass)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TarvoTestFensterÄ";
    ::RegisterClassW(&windowClass);
    const HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"Grüße", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                          0, 200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_TRUE(window);
    bool found = false;
    for (const TTopLevelWindow& each : Services().WindowSystem->TopLevelWindows())
        if (each.Id == static_cast<TWindowId>(reinterpret_cast<uintptr_t>(window))) {
            found = true;
            EXPECT_EQ(each.Title, "Grüße");
            EXPECT_EQ(each.Instance, "platform_win32_tests");
            EXPECT_EQ(each.Class, "TarvoTestFensterÄ");
        }
    EXPECT_TRUE(found);
    ::DestroyWindow(window);

    EXPECT_EQ(Services().Launcher->WindowClasses("notepad.exe", ""), std::vector<std::string>{"notepad"});
}

class TRecordingOwner : public IHotKeyOwner {
public:
    void HotKeyPressed(const THotKeyPress& press) override { Pressed.push_back(press.Id); }
    std::vector<uint16_t> Pressed;
};

// Presses the keys in turn and lets them go in reverse order, as the user would.
void PressKeys(const std::vector<WORD>& keys)
{
    std::vector<INPUT> inputs;
    for (const bool up : {false, true})
        for (size_t i = 0; i < keys.size(); ++i) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = keys[up ? keys.size() - 1 - i : i];
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            inputs.push_back(input);
        }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

TEST(Win32HotKeys, ACombinationIsHeldOnceAndItsPressReachesItsOwner)
{
    const auto hotkeys = win32::CreateWin32HotKeys();
    TRecordingOwner first;
    TRecordingOwner second;
    const THotKeyCombination combination{VK_F9, HotKeyModControl | HotKeyModAlt};
    EXPECT_EQ(hotkeys->Register(first, 7, combination, {}), THotKeyResult::Registered);
    EXPECT_EQ(hotkeys->Register(first, 7, combination, {}), THotKeyResult::Registered);
    EXPECT_EQ(hotkeys->Register(second, 7, combination, {}), THotKeyResult::Taken);
    EXPECT_EQ(hotkeys->Register(second, 8, {}, {}), THotKeyResult::Registered) << "no key: accepted, never pressed";
    EXPECT_EQ(hotkeys->Register(second, 9, {0x645, 0}, {}), THotKeyResult::UnknownKey);

    PressKeys({VK_CONTROL, VK_MENU, VK_F9});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (MSG message; first.Pressed.empty() && std::chrono::steady_clock::now() < deadline;) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&message);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(first.Pressed, std::vector<uint16_t>{7});
    EXPECT_TRUE(second.Pressed.empty());

    hotkeys->UnregisterAll(first);
    EXPECT_EQ(hotkeys->Register(second, 7, combination, {}), THotKeyResult::Registered) << "given up by the first";
}

} // namespace
} // namespace tarvo::platform
