// The common-files directory on Windows, with the system's registry: the
// value as reg.exe writes it, and the program's folder without one.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "settings/appsettings.h"

namespace tarvo {
namespace {

TEST(AppSettingsOnWindows, CommonFilesComesFromTheRegistryOrIsTheProgramsFolder)
{
    ResetAppSettingsForTesting();
    ASSERT_EQ(::_wsystem(L"reg add \"HKLM\\Software\\Quenbar\" /v CommonFiles /d \"C:\\Gemeinsam \u00c4\" /f >nul"), 0);
    EXPECT_EQ(AppSettings().CommonFiles, "C:\\Gemeinsam Ä");
    EXPECT_EQ(AppSettings().GetCommonFile("stdmess0.mes"), "C:\\Gemeinsam Ä\\stdmess0.mes");

    ASSERT_EQ(::_wsystem(L"reg delete \"HKLM\\Software\\Quenbar\" /v CommonFiles /f >nul"), 0);
    ResetAppSettingsForTesting();
    wchar_t program[MAX_PATH];
    std::wstring folder(program, ::GetModuleFileNameW(nullptr, program, MAX_PATH));
    folder.resize(folder.rfind(L'\\'));
    EXPECT_EQ(AppSettings().CommonFiles, std::string(folder.begin(), folder.end())) << "an ASCII build path";
    ResetAppSettingsForTesting();
}

} // namespace
} // namespace tarvo
