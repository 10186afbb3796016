#pragma once
// Helpers shared by all tests: scratch directories, whole-file access, byte
// sequences built by hand, environment variables that are put back after the
// test, waiting for a condition, checks of error messages and checks run as
// an unprivileged user, the children of a process.

#include <gtest/gtest.h>
#include <stdlib.h>
#ifndef _WIN32
// The helpers for processes and users, at the end, are for POSIX systems;
// the rest serves the Windows build's tests too.
#include <grp.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace tarvo::testsupport {

using Bytes = std::vector<uint8_t>;

// The names of everything in the directory, hidden entries included.
inline std::set<std::string> EntriesOf(const std::filesystem::path& directory)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.insert(entry.path().filename().string());
    return names;
}

// A new directory under the system's temporary directory; removed with
// everything in it when the object goes, even after a test made it read-only.
class TempDir {
public:
    TempDir()
    {
        static std::atomic<unsigned> counter{0};
        // A name another process took already is not taken over.
        do {
            const std::string name =
                "tarvo-test-" + std::to_string(std::random_device{}()) + "-" + std::to_string(counter++);
            path_ = std::filesystem::temp_directory_path() / name;
        } while (!std::filesystem::create_directory(path_));
    }
    ~TempDir()
    {
        std::error_code ignored; // nothing to do about a scratch directory that will not go
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(std::string_view name) const { return (path_ / name).string(); }
    std::set<std::string> Entries() const { return EntriesOf(path_); }

private:
    std::filesystem::path path_;
};

inline void WriteFile(const std::filesystem::path& fileName, const Bytes& bytes)
{
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadFile(const std::filesystem::path& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteTextFile(const std::filesystem::path& fileName, const std::string& text)
{
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    out << text;
}

inline std::string ReadTextFile(const std::filesystem::path& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The first count bytes, or all of them if there are fewer.
inline Bytes Prefix(const Bytes& bytes, size_t count)
{
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(count, bytes.size())));
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

// Sets an environment variable for the object's lifetime.
class TScopedEnvironmentVariable {
public:
    TScopedEnvironmentVariable(std::string name, const std::string& value) : name_(std::move(name))
    {
        if (const char* old = ::getenv(name_.c_str()))
            saved_ = old;
        Set(value.c_str());
    }
    ~TScopedEnvironmentVariable() { Set(saved_ ? saved_->c_str() : nullptr); }
    TScopedEnvironmentVariable(const TScopedEnvironmentVariable&) = delete;
    TScopedEnvironmentVariable& operator=(const TScopedEnvironmentVariable&) = delete;

private:
    // Sets the variable, or removes it for nullptr.
    void Set(const char* value) const
    {
#ifdef _WIN32
        ::_putenv_s(name_.c_str(), value ? value : ""); // the empty value removes it
#else
        if (value)
            ::setenv(name_.c_str(), value, 1);
        else
            ::unsetenv(name_.c_str());
#endif
    }

    std::string name_;
    std::optional<std::string> saved_;
};

// Checks condition every 10 ms until it holds or the timeout passes; whether
// it held.
inline bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(5))
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// Runs action and expects it to throw Exception with exactly this message.
template <class Exception, class Action>
void ExpectFailure(Action&& action, const std::string& message)
{
    try {
        action();
        ADD_FAILURE() << "nothing thrown; expected: " << message;
    } catch (const Exception& error) {
        EXPECT_EQ(error.what(), message);
    }
}

#ifndef _WIN32
// The states ('S', 'Z', ...) of the processes whose parent is parent, one
// character each; with a command, only of those that run that program.
inline std::string ChildStates(pid_t parent, const std::string& command = "")
{
    std::string states;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line) || line.rfind(')') == std::string::npos)
            continue;
        std::istringstream fields(line.substr(line.rfind(')') + 2));
        char state = 0;
        pid_t itsParent = 0;
        fields >> state >> itsParent;
        if (itsParent == parent && (command.empty() || line.find("(" + command + ")") != std::string::npos))
            states += state;
    }
    return states;
}

// Expects check() to return true when run by a user without special rights.
// Root may write where others may not, so as root the check runs in a child
// process that has become the user nobody, without supplementary groups.
template <class Check>
void ExpectTrueAsUnprivilegedUser(Check&& check)
{
    if (::geteuid() != 0) {
        EXPECT_TRUE(check());
        return;
    }
    constexpr uid_t nobody = 65534;
    EXPECT_EXIT(
        {
            if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0)
                std::_Exit(2);
            std::_Exit(check() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}
#endif

} // namespace tarvo::testsupport
