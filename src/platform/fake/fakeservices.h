#pragma once
// Fake platform services for tests: every answer is set by the test.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/fakehotkeys.h"
#include "platform/fake/fakemessagebox.h"
#include "platform/fake/fakeregistry.h"
#include "platform/launcher.h"
#include "platform/services.h"
#include "platform/windowsystem.h"

namespace tarvo::platform {

class TFakeProgram : public IProgram {
public:
    explicit TFakeProgram(std::string path) : Path(std::move(path)) { }
    std::string ProgramPath() const override { return Path; }
    std::string Path;
};

class TFakeEnvironment : public IEnvironment {
public:
    std::optional<std::string> Get(const std::string& name) const override
    {
        auto found = Variables.find(name);
        return found == Variables.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    std::map<std::string, std::string> Variables;
};

class TFakeKeyNames : public IKeyNames {
public:
    std::string KeyName(uint16_t virtualKey) const override
    {
        auto found = Names.find(virtualKey);
        return found == Names.end() ? std::string() : found->second;
    }
    std::map<uint16_t, std::string> Names;
};

class TFakeWindowSystem : public IWindowSystem {
public:
    std::vector<TTopLevelWindow> TopLevelWindows() const override { return Windows; }
    void RestoreAndActivate(TWindowId window) override { Activated.push_back(window); }
    std::vector<TTopLevelWindow> Windows; // topmost first
    std::vector<TWindowId> Activated;
};

// Records every launch it is asked for; files in Failing raise ELaunchError
// (after being recorded).
class TFakeLauncher : public ILauncher {
public:
    struct TLaunch {
        std::string File;
        std::string Parameters;
        std::string Directory;
        TShowCommand Show;
        bool operator==(const TLaunch&) const = default;
    };
    void Execute(const std::string& file, const std::string& parameters, const std::string& directory,
                 TShowCommand show) override
    {
        Launches.push_back({file, parameters, directory, show});
        if (Failing.count(file))
            throw ELaunchError({"cannot start \"" + file + "\": no such file",
                                "\"" + file + "\" kann nicht gestartet werden: die Datei gibt es nicht"});
    }
    std::vector<std::string> WindowClasses(const std::string& file, const std::string& /*directory*/) const override
    {
        const auto found = Classes.find(file);
        return found == Classes.end() ? std::vector<std::string>() : found->second;
    }
    void WaitForShowCommands() override { }
    std::vector<TLaunch> Launches;
    // The window classes of each file.
    std::map<std::string, std::vector<std::string>> Classes;
    std::set<std::string> Failing;
};

// Installs fakes for the duration of a test and puts the previous services
// back afterwards.
class TScopedFakeServices {
public:
    explicit TScopedFakeServices(std::string programPath = "/opt/tarvo/tarvo");
    ~TScopedFakeServices();
    TScopedFakeServices(const TScopedFakeServices&) = delete;
    TScopedFakeServices& operator=(const TScopedFakeServices&) = delete;

private:
    TServices saved_; // first: filled while the fakes below are installed

public:
    TFakeProgram& Program;
    TFakeEnvironment& Environment;
    TFakeKeyNames& KeyNames;
    TFakeRegistry& Registry;
    TFakeMessageBox& MessageBox;
    TFakeWindowSystem& WindowSystem;
    TFakeLauncher& Launcher;
    TFakeHotKeys& HotKeys;
};

} // namespace tarvo::platform
