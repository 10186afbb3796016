#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <utility>

#include "platform/paths.h"

namespace tarvo::platform {

namespace {

namespace fs = std::filesystem;

// Owns an open file descriptor.
class TFileHandle {
public:
    explicit TFileHandle(int descriptor) : descriptor_(descriptor) { }
    TFileHandle(TFileHandle&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) { }
    ~TFileHandle()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_); // only after a failure that is reported already
    }
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;

    explicit operator bool() const { return descriptor_ >= 0; }
    int Get() const { return descriptor_; }

    // Closing can report a failed write, so it is checked.
    bool Close()
    {
        const int descriptor = descriptor_;
        descriptor_ = -1;
        return ::close(descriptor) == 0;
    }

private:
    int descriptor_;
};

// The file a save under name replaces: symbolic links at the end of the name
// are followed to the name they finally lead to, which need not exist yet.
// Nullopt for a loop of links.
std::optional<fs::path> FinalTarget(fs::path name)
{
    constexpr int maxLinks = 40; // as many as the kernel follows in one lookup
    for (int followed = 0;; ++followed) {
        std::error_code error;
        if (!fs::is_symlink(name, error))
            return name;
        const fs::path pointsTo = fs::read_symlink(name, error);
        if (error || followed == maxLinks)
            return std::nullopt;
        name = name.parent_path() / pointsTo; // keeps an absolute pointsTo as it is
    }
}

fs::path DirectoryOf(const fs::path& file)
{
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// A new file beside target with a short random name. Mode 0666 leaves the
// umask to decide, as for any new file.
TFileHandle CreateTemporaryBeside(const fs::path& target, fs::path& temporary)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = DirectoryOf(target) / TemporaryFileName();
        TFileHandle file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (file || errno != EEXIST)
            return file;
    }
    return TFileHandle(-1);
}

// Writes all bytes, syncs them to disk and closes the file.
bool WriteToDisk(TFileHandle& file, const uint8_t* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(file.Get(), data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return ::fsync(file.Get()) == 0 && file.Close();
}

// Gives the new file the owner, group and permissions of the file it
// replaces. Only a privileged process may give a file away or to a group it
// does not belong to; for anyone else chown fails with EPERM and the new file
// belongs to the user who saves it, as a file they create would.
bool TakeOverOwnerAndMode(int descriptor, const struct stat& replaced)
{
    if (::fchown(descriptor, replaced.st_uid, replaced.st_gid) != 0 && errno != EPERM)
        return false;
    // After the owner, since changing the owner clears the set-ID bits.
    return ::fchmod(descriptor, replaced.st_mode & 07777) == 0;
}

// Makes the rename itself survive a crash.
bool SyncDirectoryOf(const fs::path& file)
{
    TFileHandle directory(::open(DirectoryOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // A directory the user may write to but not read cannot be opened for
    // syncing; the file is in place all the same, so that is no failure.
    if (!directory)
        return errno == EACCES;
    return ::fsync(directory.Get()) == 0 && directory.Close();
}

bool WriteAndRename(TFileHandle file, const fs::path& temporary, const fs::path& target, const uint8_t* data,
                    size_t size)
{
    struct stat replaced { };
    const bool replacesAFile = ::stat(target.c_str(), &replaced) == 0;
    const bool written =
        (!replacesAFile || TakeOverOwnerAndMode(file.Get(), replaced)) && WriteToDisk(file, data, size);
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str()); // the caller reports the failure that matters
        return false;
    }
    return SyncDirectoryOf(target);
}

// For a file that may be written but not replaced, because no file may be
// created in its directory. There is no other place to keep the old content,
// so a write that fails half-way leaves the file cut short.
bool OverwriteInPlace(const fs::path& target, const uint8_t* data, size_t size)
{
    TFileHandle file(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    return file && WriteToDisk(file, data, size);
}

} // namespace

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& fileName)
{
    std::error_code error;
    if (std::filesystem::is_directory(fileName, error))
        return std::nullopt;
    std::ifstream in(fileName, std::ios::binary | std::ios::ate);
    if (!in)
        return std::nullopt;
    const std::streamoff size = in.tellg();
    if (size < 0)
        return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.seekg(0);
    // One read of the whole file; a file that shrank meanwhile reads short and fails.
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size))
        return std::nullopt;
    return bytes;
}

bool ReplaceWholeFile(const std::string& fileName, const uint8_t* data, size_t size)
{
    if (fs::path(fileName).filename().empty())
        return false;
    const std::optional<fs::path> target = FinalTarget(fileName);
    if (!target)
        return false;
    fs::path temporary;
    TFileHandle file = CreateTemporaryBeside(*target, temporary);
    const int creationError = errno;
    if (file)
        return WriteAndRename(std::move(file), temporary, *target, data, size);
    // Without the right to create files in the directory, a file that may be
    // written is still saved, in place.
    if (creationError == EACCES || creationError == EPERM)
        return OverwriteInPlace(*target, data, size);
    return false;
}

bool ReplaceWholeFile(const std::string& fileName, const std::vector<uint8_t>& bytes)
{
    return ReplaceWholeFile(fileName, bytes.data(), bytes.size());
}

bool FileExists(const std::string& fileName)
{
    std::error_code error;
    return std::filesystem::is_regular_file(fileName, error);
}

} // namespace tarvo::platform
