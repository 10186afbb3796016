#pragma once
// Helpers of the persistence tests: scratch directories, whole-file access
// and byte sequences in stream order, built independently of TObjectStream.

#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::testsupport {

using Bytes = std::vector<uint8_t>;

// A new directory under the system's temporary directory; removed with
// everything in it when the object goes.
class TempDir {
public:
    TempDir()
    {
        static std::atomic<unsigned> counter{0};
        const std::string name = "tarvo-persist-test-" + std::to_string(::getpid()) + "-"
            + std::to_string(std::random_device{}()) + "-" + std::to_string(counter++);
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::create_directory(path_);
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(std::string_view name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// The names of everything in the directory, hidden entries included.
inline std::vector<std::string> EntriesOf(const std::filesystem::path& directory)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    return names;
}

inline void WriteFile(const std::string& fileName, const Bytes& bytes)
{
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadFile(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Builds stream data by hand: 32-bit values little-endian, strings as
// length and characters.
class ByteBuilder {
public:
    ByteBuilder& Long(int32_t value)
    {
        const auto bits = static_cast<uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8)
            bytes_.push_back(static_cast<uint8_t>(bits >> shift));
        return *this;
    }
    ByteBuilder& String(std::string_view text)
    {
        Long(static_cast<int32_t>(text.size()));
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return *this;
    }
    ByteBuilder& Raw(const Bytes& bytes)
    {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
        return *this;
    }
    const Bytes& Get() const { return bytes_; }

private:
    Bytes bytes_;
};

} // namespace tarvo::testsupport
