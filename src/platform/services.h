#pragma once
// The window-system services the program uses, behind small interfaces.
// Services() holds the installed implementations: the host system's by
// default, fakes in tests.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/hotkeyservice.h"

namespace tarvo::platform {

class ILauncher;
class IMessageBox;
class IRegistry;
class IWindowSystem;

// The running program.
class IProgram {
public:
    virtual ~IProgram() = default;
    // Full path of the running program file.
    virtual std::string ProgramPath() const = 0;
};

// Environment variables.
class IEnvironment {
public:
    virtual ~IEnvironment() = default;
    // The variable's value; nullopt when it is not defined.
    virtual std::optional<std::string> Get(const std::string& name) const = 0;
};

// Names of keys that have no fixed text of their own.
class IKeyNames {
public:
    virtual ~IKeyNames() = default;
    // The window system's name of the key with this virtual-key code, as
    // UTF-8; empty when the key has no name.
    virtual std::string KeyName(uint16_t virtualKey) const = 0;
};

struct TServices {
    std::unique_ptr<IProgram> Program;
    std::unique_ptr<IEnvironment> Environment;
    std::unique_ptr<IKeyNames> KeyNames;
    std::unique_ptr<IRegistry> Registry;
    // The message box needs a running user interface: empty on the host
    // until the program installs one (platform/qt); faked in tests.
    std::unique_ptr<IMessageBox> MessageBox;
    std::unique_ptr<IWindowSystem> WindowSystem;
    std::unique_ptr<ILauncher> Launcher;
    std::unique_ptr<IHotKeyService> HotKeys;
};

// The installed services; created with the host system's implementations on
// first use.
TServices& Services();

// The program's directory: its full path up to and including the last
// directory separator.
std::string ProgramDirectory();

} // namespace tarvo::platform
