#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/autostart.h"
#include "platform/desktopentry.h"
#include "platform/fake/fakeservices.h"
#include "support/testsupport.h"

using namespace tarvo;
using testsupport::ExpectFailure;
using testsupport::ReadTextFile;
using testsupport::TempDir;
using testsupport::WriteTextFile;

namespace {

class Autostart : public testing::Test {
protected:
    Autostart() : fakes_("/opt/my tools/lib/tarvo/tarvo")
    {
        fakes_.Environment.Variables = {{"HOME", "/home/anna"}, {"XDG_CONFIG_HOME", dir_.File("config")}};
    }

    TempDir dir_;
    platform::TScopedFakeServices fakes_;
};

} // namespace

TEST_F(Autostart, OnWritesAValidEntryThatStartsTheProgramOffRemovesIt)
{
    const std::string entryFile = dir_.File("config/autostart/tarvo.desktop");
    EXPECT_EQ(AutostartEntry(), entryFile);
    SetAutostart(true);
    SetAutostart(true);
    const auto entry = platform::TDesktopEntry::Parse(ReadTextFile(entryFile));
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->Value("Exec"), "\"/opt/my tools/lib/tarvo/tarvo\"");
    EXPECT_EQ(std::system(("desktop-file-validate '" + entryFile + "'").c_str()), 0);

    SetAutostart(false);
    EXPECT_FALSE(std::filesystem::exists(entryFile));
    SetAutostart(false); // nothing to remove is no error
}

TEST_F(Autostart, FailuresNameTheEntry)
{
    fakes_.Environment.Variables.erase("XDG_CONFIG_HOME");
    fakes_.Environment.Variables.erase("HOME");
    ExpectFailure<EAutostartError>([] { SetAutostart(true); },
                                   "cannot find the autostart directory: neither XDG_CONFIG_HOME nor HOME is set");

    WriteTextFile(dir_.File("config"), "a file where the directory should be");
    fakes_.Environment.Variables["XDG_CONFIG_HOME"] = dir_.File("config");
    const std::string entryFile = dir_.File("config/autostart/tarvo.desktop");
    ExpectFailure<EAutostartError>([] { SetAutostart(true); }, "cannot write the autostart entry " + entryFile);
    ExpectFailure<EAutostartError>([] { SetAutostart(false); },
                                   "cannot remove the autostart entry " + entryFile + ": Not a directory");
}
