#include "platform/userdirectories.h"

#include <windows.h>

#include "platform/paths.h"
#include "platform/win32/widetext.h"

namespace tarvo::platform {

std::string UserConfigDirectory(const IEnvironment& environment)
{
    return NonEmptyVariable(environment, "APPDATA").value_or("");
}

// Tries to create a file there: the folder's access rules decide, which the
// file attributes do not tell.
bool MayCreateFilesIn(const std::string& directory)
{
    if (directory.empty())
        return false;
    const std::wstring probe = win32::Wide(JoinPath(directory, ".tarvo-write-test"));
    const HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_FILE_EXISTS;
    ::CloseHandle(file);
    return true;
}

void CreateUserDirectory(const std::string& directory)
{
    // Each parent in turn, from the drive on; the parts that exist fail harmlessly.
    for (size_t end = directory.find_first_of("\\/"); end != std::string::npos;
         end = directory.find_first_of("\\/", end + 1))
        ::CreateDirectoryW(win32::Wide(directory.substr(0, end)).c_str(), nullptr);
    ::CreateDirectoryW(win32::Wide(directory).c_str(), nullptr);
}

} // namespace tarvo::platform
