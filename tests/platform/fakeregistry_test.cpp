#include <gtest/gtest.h>

#include "platform/fake/fakeservices.h"
#include "platform/registry.h"

using namespace tarvo::platform;

namespace {

constexpr TRootKey LM = TRootKey::LocalMachine;

} // namespace

TEST(FakeRegistry, ScopedFakeServicesInstallAndRestoreTheRegistry)
{
    IRegistry* before = Services().Registry.get();
    {
        TScopedFakeServices fakes;
        EXPECT_EQ(Services().Registry.get(), &fakes.Registry);
    }
    EXPECT_EQ(Services().Registry.get(), before);
}

TEST(FakeRegistry, UnwritableRootKeyStillOpensAndReadsExistingKeys)
{
    TFakeRegistry registry;
    ASSERT_TRUE(registry.CreateKey(LM, "Software\\Quenbar")->SetValue("CommonFiles", StringValue("/srv")));
    registry.SetWritable(LM, false);

    auto key = registry.CreateKey(LM, "software\\quenbar");
    ASSERT_TRUE(key) << "opening an existing key writes nothing";
    EXPECT_EQ(key->QueryValue("commonfiles"), StringValue("/srv"));
    EXPECT_FALSE(key->SetValue("CommonFiles", StringValue("/other")));
    EXPECT_EQ(key->QueryValue("CommonFiles"), StringValue("/srv")) << "a failed write changes nothing";
    EXPECT_FALSE(registry.CreateKey(LM, "Software\\Other"));
    EXPECT_TRUE(registry.CreateKey(TRootKey::CurrentUser, "Software\\Other")) << "other root keys stay writable";

    registry.SetWritable(LM, true);
    EXPECT_TRUE(registry.CreateKey(LM, "Software\\Other"));
}

TEST(FakeRegistry, PathsNameKeysAsTheRegistryDoes)
{
    TFakeRegistry registry;
    ASSERT_TRUE(registry.CreateKey(LM, "Software\\Quenbar\\Tarvo"));

    struct TCase {
        const char* Path;
        bool Exists;
    };
    const std::vector<TCase> cases = {
        {"", true},
        {"Software", true},
        {"SOFTWARE\\quenbar", true},
        {"\\Software\\\\Quenbar\\Tarvo\\", true},
        {"Quenbar", false},
        {"Software\\Quenbar\\Tarvo\\Sub", false},
        {"Software\\Quen", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(registry.OpenKey(LM, c.Path) != nullptr, c.Exists) << c.Path;
}

TEST(FakeRegistry, KeyHandlesSeeEachOthersChanges)
{
    TFakeRegistry registry;
    auto writer = registry.CreateKey(LM, "A");
    auto reader = registry.OpenKey(LM, "a");
    ASSERT_TRUE(writer && reader);
    ASSERT_TRUE(writer->SetValue("x", DWordValue(7)));
    EXPECT_EQ(reader->QueryValue("X"), DWordValue(7));
    EXPECT_TRUE(reader->Flush());
}
