#pragma once
// Helpers of the platform and settings tests: scratch directories, whole
// files and environment variables that are put back after the test.

#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <set>
#include <string>

namespace tarvo::testsupport {

// A new directory under the system's temporary directory; removed with
// everything in it when the object goes.
class TTempDir {
public:
    TTempDir()
    {
        static std::atomic<unsigned> counter{0};
        const std::string name = "tarvo-platform-test-" + std::to_string(::getpid()) + "-"
            + std::to_string(std::random_device{}()) + "-" + std::to_string(counter++);
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::create_directory(path_);
    }
    ~TTempDir()
    {
        std::error_code ignored; // nothing to do about a scratch directory that will not go
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    std::string Path() const { return path_.string(); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

    // The names of everything in the directory, hidden entries included.
    std::set<std::string> Entries() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            names.insert(entry.path().filename().string());
        return names;
    }

private:
    std::filesystem::path path_;
};

inline void WriteTextFile(const std::string& fileName, const std::string& text)
{
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    out << text;
}

inline std::string ReadTextFile(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Sets an environment variable for the object's lifetime.
class TScopedEnvironmentVariable {
public:
    TScopedEnvironmentVariable(std::string name, const std::string& value) : name_(std::move(name))
    {
        if (const char* old = ::getenv(name_.c_str()))
            saved_ = old;
        ::setenv(name_.c_str(), value.c_str(), 1);
    }
    ~TScopedEnvironmentVariable()
    {
        if (saved_)
            ::setenv(name_.c_str(), saved_->c_str(), 1);
        else
            ::unsetenv(name_.c_str());
    }
    TScopedEnvironmentVariable(const TScopedEnvironmentVariable&) = delete;
    TScopedEnvironmentVariable& operator=(const TScopedEnvironmentVariable&) = delete;

private:
    std::string name_;
    std::optional<std::string> saved_;
};

} // namespace tarvo::testsupport
