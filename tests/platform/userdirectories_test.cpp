#include <gtest/gtest.h>

#include <sys/stat.h>

#include <map>

#include "platform/fake/fakeservices.h"
#include "platform/userdirectories.h"
#include "support/testsupport.h"

using namespace tarvo::platform;
using tarvo::testsupport::ExpectTrueAsUnprivilegedUser;
using tarvo::testsupport::TempDir;

TEST(UserFileDirectory, BesideAWritableProgramElseInTheConfigDirectory)
{
    struct TCase {
        bool Writable;
        std::map<std::string, std::string> Variables;
        std::string Expected;
    };
    const std::string program = "/usr/lib/tarvo/";
    const std::vector<TCase> cases = {
        {true, {{"HOME", "/home/anna"}}, program},
        {false, {{"HOME", "/home/anna"}}, "/home/anna/.config/tarvo/"},
        {false, {{"HOME", "/home/anna"}, {"XDG_CONFIG_HOME", "/cfg"}}, "/cfg/tarvo/"},
        {false, {{"HOME", "/home/anna"}, {"XDG_CONFIG_HOME", "cfg"}}, "/home/anna/.config/tarvo/"},
        {false, {}, program}, // nowhere else to go: a save then fails with the usual report
    };
    for (const auto& c : cases) {
        TFakeEnvironment environment;
        environment.Variables = c.Variables;
        EXPECT_EQ(UserFileDirectory(program, c.Writable, environment), c.Expected) << c.Writable;
    }
}

TEST(UserFileDirectory, AProgramDirectoryTheUserMayNotWriteCountsAsInstalled)
{
    TempDir program;
    TScopedFakeServices fakes(program.File("tarvo"));
    fakes.Environment.Variables["XDG_CONFIG_HOME"] = "/cfg";
    EXPECT_EQ(UserFileDirectory(), program.Path().string() + "/");
    ::chmod(program.Path().c_str(), 0755);
    ExpectTrueAsUnprivilegedUser([] { return UserFileDirectory() == "/cfg/tarvo/"; });
}

TEST(CreateUserDirectory, CreatesMissingParentsForTheUserAlone)
{
    TempDir dir;
    CreateUserDirectory(dir.File("config/tarvo/"));
    for (const char* created : {"config", "config/tarvo"}) {
        struct stat status { };
        ASSERT_EQ(::stat(dir.File(created).c_str(), &status), 0) << created;
        EXPECT_EQ(status.st_mode & 0777, 0700u) << created;
    }
}
