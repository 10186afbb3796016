#pragma once
// Fake platform services for tests: every answer is set by the test.

#include <map>
#include <string>

#include "platform/fake/fakeregistry.h"
#include "platform/services.h"

namespace tarvo::platform {

class TFakeProgram : public IProgram {
public:
    explicit TFakeProgram(std::string path) : Path(std::move(path)) {}
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
};

} // namespace tarvo::platform
