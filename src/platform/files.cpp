#include "platform/files.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>

namespace tarvo::platform {

namespace {

// A name beside target that no other writer uses at the same time.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& target)
{
    static const unsigned processTag = std::random_device{}();
    static std::atomic<unsigned> counter{0};
    auto name = "." + target.filename().string() + ".tmp-" + std::to_string(processTag) + "-"
        + std::to_string(counter++);
    return target.parent_path() / name;
}

void RemoveQuietly(const std::filesystem::path& file)
{
    std::error_code ignored; // the caller reports the failure that matters
    std::filesystem::remove(file, ignored);
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
    const std::filesystem::path target(fileName);
    if (target.filename().empty())
        return false;
    const std::filesystem::path temporary = TemporaryNameFor(target);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out)
            out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (out)
            out.close();
        if (!out) {
            RemoveQuietly(temporary);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) {
        RemoveQuietly(temporary);
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
    std::error_code error;
    return std::filesystem::is_regular_file(fileName, error);
}

} // namespace tarvo::platform
