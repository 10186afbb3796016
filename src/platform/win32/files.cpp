#include "platform/files.h"

#include <windows.h>

#include <utility>

#include "platform/paths.h"
#include "platform/win32/widetext.h"

namespace tarvo::platform {

namespace {

using win32::Wide;

// Owns an open file handle.
class TFileHandle {
public:
    explicit TFileHandle(HANDLE handle) : handle_(handle) { }
    TFileHandle(TFileHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) { }
    ~TFileHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle_); // only after a failure that is reported already
    }
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;

    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

    bool Close() { return ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0; }

private:
    HANDLE handle_;
};

// A new file beside target with a short random name.
TFileHandle CreateTemporaryBeside(const std::string& target, std::wstring& temporary)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = Wide(JoinPath(DirectoryPart(target), TemporaryFileName()));
        TFileHandle file(
            ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file || ::GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return TFileHandle(INVALID_HANDLE_VALUE);
}

// Writes all bytes, flushes them to disk and closes the file.
bool WriteToDisk(TFileHandle& file, const uint8_t* data, size_t size)
{
    while (size > 0) {
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!::WriteFile(file.Get(), data, chunk, &written, nullptr) || written == 0)
            return false;
        data += written;
        size -= written;
    }
    return ::FlushFileBuffers(file.Get()) && file.Close();
}

// For a file that may be written but not replaced, because no file may be
// created in its folder; a write that fails half-way leaves it cut short.
bool OverwriteInPlace(const std::wstring& target, const uint8_t* data, size_t size)
{
    TFileHandle file(
        ::CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && WriteToDisk(file, data, size);
}

} // namespace

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& fileName)
{
    TFileHandle file(::CreateFileW(Wide(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7fffffff)
        return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    // One read of the whole file; a file that shrank meanwhile reads short and fails.
    if (!bytes.empty()
        && (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)
            || read != bytes.size()))
        return std::nullopt;
    return bytes;
}

bool ReplaceWholeFile(const std::string& fileName, const uint8_t* data, size_t size)
{
    if (fileName.empty() || DirectoryPart(fileName).size() == fileName.size())
        return false;
    std::wstring temporary;
    TFileHandle file = CreateTemporaryBeside(fileName, temporary);
    const DWORD creationError = ::GetLastError();
    const std::wstring target = Wide(fileName);
    if (!file)
        return creationError == ERROR_ACCESS_DENIED && OverwriteInPlace(target, data, size);
    bool written = false;
    {
        TFileHandle writing = std::move(file); // closed before the temporary file may be deleted
        written = WriteToDisk(writing, data, size);
    }
    if (!written
        || !::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temporary.c_str()); // the caller reports the failure that matters
        return false;
    }
    return true;
}

bool ReplaceWholeFile(const std::string& fileName, const std::vector<uint8_t>& bytes)
{
    return ReplaceWholeFile(fileName, bytes.data(), bytes.size());
}

bool FileExists(const std::string& fileName)
{
    const DWORD attributes = ::GetFileAttributesW(Wide(fileName).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace tarvo::platform
