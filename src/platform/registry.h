#pragma once
// The registry: a tree of keys below fixed root keys, each key holding named,
// typed values.
//
// Key paths are given from the root key, with "\" between the key names;
// empty names (a leading, trailing or doubled "\") are ignored, and the empty
// path is the root key itself. Key and value names are compared without
// regard to the case of ASCII letters; a key or value keeps the spelling it
// was created with.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::platform {

enum class TRootKey { LocalMachine, CurrentUser };

// "HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER".
std::string_view RootKeyName(TRootKey root);

// Value types, numbered as the registry numbers them. Other numbers are
// valid too; their data is kept as it is.
enum class TValueType : uint32_t {
    None = 0,         // REG_NONE
    String = 1,       // REG_SZ
    ExpandString = 2, // REG_EXPAND_SZ
    Binary = 3,       // REG_BINARY
    DWord = 4,        // REG_DWORD, four bytes little-endian
};

// A value's type and its bytes. Texts are UTF-8; whether they carry a
// terminating zero is up to the writer.
struct TRegistryValue {
    TValueType Type = TValueType::None;
    std::vector<uint8_t> Data;

    bool operator==(const TRegistryValue&) const = default;
};

// A string value without terminating zero.
TRegistryValue StringValue(std::string_view text, TValueType type = TValueType::String);
TRegistryValue DWordValue(uint32_t number);

// An open key. Destroying it closes the key. It must not outlive the
// registry that opened it.
class IRegistryKey {
public:
    virtual ~IRegistryKey() = default;
    // The value's type and bytes; nullopt when the key has no value of that
    // name. The empty name is the key's default value.
    virtual std::optional<TRegistryValue> QueryValue(std::string_view name) const = 0;
    // Creates or replaces the value; false when it cannot be stored.
    virtual bool SetValue(std::string_view name, const TRegistryValue& value) = 0;
    // Makes the key's changes permanent now; false when that fails.
    virtual bool Flush() = 0;
};

class IRegistry {
public:
    virtual ~IRegistry() = default;
    // Opens the key, creating it and any missing parent first; nullptr when
    // it does not exist and cannot be created.
    virtual std::unique_ptr<IRegistryKey> CreateKey(TRootKey root, std::string_view path) = 0;
    // Opens an existing key; nullptr when there is none.
    virtual std::unique_ptr<IRegistryKey> OpenKey(TRootKey root, std::string_view path) = 0;
};

// The host system's registry.
std::unique_ptr<IRegistry> CreateHostRegistry();

} // namespace tarvo::platform
