#include <gtest/gtest.h>

#include "platform/fake/fakeservices.h"
#include "settings/appsettings.h"
#include "settings/configerrors.h"
#include "support/testsupport.h"

using namespace tarvo;
using platform::StringValue;

namespace {

constexpr platform::TRootKey LM = platform::TRootKey::LocalMachine;
constexpr std::string_view SettingsKey = "Software\\Quenbar";

class AppSettingsTest : public testing::Test {
protected:
    AppSettingsTest() { ResetAppSettingsForTesting(); }
    ~AppSettingsTest() override { ResetAppSettingsForTesting(); }

    void PutCommonFiles(const platform::TRegistryValue& value)
    {
        ASSERT_TRUE(fakes.Registry.CreateKey(LM, SettingsKey)->SetValue("CommonFiles", value));
    }

    platform::TScopedFakeServices fakes{"/opt/tarvo/tarvo"};
};

} // namespace

TEST_F(AppSettingsTest, WithoutAKeyCommonFilesIsTheProgramDirectory)
{
    EXPECT_EQ(AppSettings().CommonFiles, "/opt/tarvo");
    EXPECT_EQ(AppSettings().GetCommonFile("stdmess0.mes"), "/opt/tarvo/stdmess0.mes");
    EXPECT_TRUE(fakes.Registry.OpenKey(LM, SettingsKey)) << "loading creates the key";
}

TEST_F(AppSettingsTest, TheProgramDirectoryLosesItsTrailingSeparatorUnlessItIsTheRoot)
{
    struct TCase {
        std::string ProgramPath;
        std::string CommonFiles;
        std::string MessageFile;
    };
    const std::vector<TCase> cases = {
        {"/opt/tarvo/tarvo", "/opt/tarvo", "/opt/tarvo/stdmess0.mes"},
        {"/tarvo", "/", "/stdmess0.mes"},
        {"", "", "stdmess0.mes"},
    };
    for (const auto& c : cases) {
        fakes.Program.Path = c.ProgramPath;
        TQuenbarAppSettings settings;
        EXPECT_EQ(settings.CommonFiles, c.CommonFiles) << c.ProgramPath;
        EXPECT_EQ(settings.GetCommonFile("stdmess0.mes"), c.MessageFile) << c.ProgramPath;
    }
}

TEST_F(AppSettingsTest, StoredDirectoryIsJoinedWithASingleSeparator)
{
    struct TCase {
        std::string Stored;
        std::string MessageFile;
    };
    const std::vector<TCase> cases = {
        {"/srv/gemeinsam", "/srv/gemeinsam/stdmess1.mes"},
        {"/srv/gemeinsam/", "/srv/gemeinsam/stdmess1.mes"},
        {"", "stdmess1.mes"},
    };
    for (const auto& c : cases) {
        PutCommonFiles(StringValue(c.Stored));
        ResetAppSettingsForTesting();
        EXPECT_EQ(AppSettings().CommonFiles, c.Stored);
        EXPECT_EQ(AppSettings().GetCommonFile("stdmess1.mes"), c.MessageFile) << c.Stored;
    }
}

TEST_F(AppSettingsTest, LaterCallsDoNotReadTheRegistryAgain)
{
    PutCommonFiles(StringValue("/eins"));
    TQuenbarAppSettings& first = AppSettings();
    PutCommonFiles(StringValue("/zwei"));

    EXPECT_EQ(&AppSettings(), &first);
    EXPECT_EQ(AppSettings().CommonFiles, "/eins");
}

TEST_F(AppSettingsTest, ANonStringValueMakesTheLoadFail)
{
    PutCommonFiles(platform::DWordValue(1));
    testsupport::ExpectFailure<ERegistryException>([] { AppSettings(); }, "Ungültiger Datentyp für 'CommonFiles'");
    EXPECT_EQ(AppSettings().CommonFiles, "/opt/tarvo") << "the failed load is not repeated";
}

TEST_F(AppSettingsTest, WithoutRightsTheProgramDirectoryIsUsedQuietly)
{
    fakes.Registry.SetWritable(LM, false);
    EXPECT_EQ(AppSettings().CommonFiles, "/opt/tarvo");
}

TEST_F(AppSettingsTest, StoreLoadAndCopyKeepCommonFiles)
{
    TQuenbarAppSettings saved;
    saved.CommonFiles = "/srv/neu";
    saved.DoStore();
    EXPECT_EQ(fakes.Registry.OpenKey(LM, SettingsKey)->QueryValue("CommonFiles"), StringValue("/srv/neu"));

    TQuenbarAppSettings loaded;
    loaded.DoLoad();
    TQuenbarAppSettings copy;
    loaded.CopyTo(copy);
    EXPECT_EQ(copy.CommonFiles, "/srv/neu");
}
