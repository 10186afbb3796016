#include "platform/win32/registry.h"

#include <windows.h>

#include <algorithm>

#include "platform/linux/utf16le.h"
#include "platform/win32/widetext.h"

namespace tarvo::platform::win32 {

namespace {

HKEY RootHandle(TRootKey root)
{
    return root == TRootKey::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// The path with the empty names left out, which the registry calls refuse.
std::wstring KeyPath(std::string_view path)
{
    std::string result;
    for (size_t start = 0; start <= path.size();) {
        const size_t end = std::min(path.find('\\', start), path.size());
        if (end > start)
            result.append(result.empty() ? "" : "\\").append(path.substr(start, end - start));
        start = end + 1;
    }
    return Wide(result);
}

bool IsText(TValueType type)
{
    return type == TValueType::String || type == TValueType::ExpandString;
}

class TWindowsRegistryKey : public IRegistryKey {
public:
    explicit TWindowsRegistryKey(HKEY key) : key_(key) { }
    ~TWindowsRegistryKey() override { ::RegCloseKey(key_); }
    TWindowsRegistryKey(const TWindowsRegistryKey&) = delete;
    TWindowsRegistryKey& operator=(const TWindowsRegistryKey&) = delete;

    std::optional<TRegistryValue> QueryValue(std::string_view name) const override
    {
        const std::wstring wideName = Wide(name);
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        std::vector<uint8_t> data(size);
        // The value may have grown in between; then the call fails and the
        // value counts as unreadable.
        if (::RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            return std::nullopt;
        data.resize(size);
        const auto valueType = static_cast<TValueType>(type);
        if (IsText(valueType))
            data = Utf16LeToUtf8WithoutTerminator(data);
        return TRegistryValue{valueType, std::move(data)};
    }

    bool SetValue(std::string_view name, const TRegistryValue& value) override
    {
        const std::vector<uint8_t> data = IsText(value.Type) ? Utf8ToUtf16LeWithTerminator(value.Data) : value.Data;
        return ::RegSetValueExW(key_, Wide(name).c_str(), 0, static_cast<DWORD>(value.Type), data.data(),
                                static_cast<DWORD>(data.size()))
            == ERROR_SUCCESS;
    }

    bool Flush() override { return ::RegFlushKey(key_) == ERROR_SUCCESS; }

private:
    HKEY key_;
};

class TWindowsRegistry : public IRegistry {
public:
    std::unique_ptr<IRegistryKey> CreateKey(TRootKey root, std::string_view path) override
    {
        HKEY key = nullptr;
        if (::RegCreateKeyExW(RootHandle(root), KeyPath(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_READ | KEY_WRITE, nullptr, &key, nullptr)
            != ERROR_SUCCESS)
            return nullptr;
        return std::make_unique<TWindowsRegistryKey>(key);
    }

    std::unique_ptr<IRegistryKey> OpenKey(TRootKey root, std::string_view path) override
    {
        const std::wstring widePath = KeyPath(path);
        HKEY key = nullptr;
        // Read and write where the user may; read only under a key that
        // belongs to the system, such as HKEY_LOCAL_MACHINE's for most users.
        if (::RegOpenKeyExW(RootHandle(root), widePath.c_str(), 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS
            && ::RegOpenKeyExW(RootHandle(root), widePath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return nullptr;
        return std::make_unique<TWindowsRegistryKey>(key);
    }
};

} // namespace

std::unique_ptr<IRegistry> CreateWindowsRegistry()
{
    return std::make_unique<TWindowsRegistry>();
}

} // namespace tarvo::platform::win32
