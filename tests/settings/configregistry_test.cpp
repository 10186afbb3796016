#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "platform/fake/fakeservices.h"
#include "settings/configerrors.h"
#include "settings/configregistry.h"
#include "support/testsupport.h"

using namespace tarvo;
using platform::StringValue;
using platform::TRegistryValue;
using platform::TValueType;
using testsupport::ExpectFailure;

namespace {

constexpr platform::TRootKey LM = platform::TRootKey::LocalMachine;
constexpr std::string_view BasePath = "Software\\X";

class ConfigRegistry : public testing::Test {
protected:
    std::unique_ptr<TConfigRegistry> Store() { return std::make_unique<TConfigRegistry>(LM, BasePath, fakes.Registry); }

    void Put(std::string_view path, std::string_view name, const TRegistryValue& value)
    {
        ASSERT_TRUE(fakes.Registry.CreateKey(LM, path)->SetValue(name, value));
    }

    std::optional<TRegistryValue> Stored(std::string_view path, std::string_view name)
    {
        auto key = fakes.Registry.OpenKey(LM, path);
        return key ? key->QueryValue(name) : std::nullopt;
    }

    platform::TScopedFakeServices fakes;
};

} // namespace

TEST_F(ConfigRegistry, ReadStringTellsAMissingValueFromAnEmptyOne)
{
    auto store = Store();
    EXPECT_EQ(store->ReadString("Name", "vorgabe"), "vorgabe");
    Put(BasePath, "Name", StringValue(""));
    EXPECT_EQ(store->ReadString("Name", "vorgabe"), "");
}

TEST_F(ConfigRegistry, ReadStringGivesStringsAsStored)
{
    struct TCase {
        const char* What;
        TRegistryValue Value;
        std::string Expected;
    };
    const std::vector<TCase> cases = {
        {"plain", StringValue("D:\\Gemeinsam"), "D:\\Gemeinsam"},
        {"with terminator", StringValue(std::string_view("abc\0", 4)), "abc"},
        {"up to the first zero", StringValue(std::string_view("ab\0cd", 5)), "ab"},
        {"expandable, not expanded", StringValue("%HOME%\\x", TValueType::ExpandString), "%HOME%\\x"},
    };
    auto store = Store();
    for (const auto& c : cases) {
        Put(BasePath, "v", c.Value);
        EXPECT_EQ(store->ReadString("v", "vorgabe"), c.Expected) << c.What;
    }
}

TEST_F(ConfigRegistry, NonStringValuesFailWithTheDataTypeMessage)
{
    const std::vector<std::pair<const char*, std::function<void(TConfigStructure&)>>> readers = {
        {"ReadString", [](TConfigStructure& s) { s.ReadString("x", ""); }},
        {"ReadInt", [](TConfigStructure& s) { s.ReadInt("x", 0); }},
        {"ReadBoolean", [](TConfigStructure& s) { s.ReadBoolean("x", false); }},
        {"ReadDateTime", [](TConfigStructure& s) { s.ReadDateTime("x", 0); }},
    };
    const std::vector<TRegistryValue> values = {platform::DWordValue(42), {TValueType::Binary, {1, 2}}};
    auto store = Store();
    for (const auto& value : values) {
        Put(BasePath, "x", value);
        for (const auto& [what, read] : readers) {
            SCOPED_TRACE(what);
            ExpectFailure<ERegistryException>([&] { read(*store); }, "Ungültiger Datentyp für 'x'");
        }
    }
}

TEST_F(ConfigRegistry, ReadBooleanIsTrueOnlyForOne)
{
    struct TCase {
        const char* Stored;
        bool Expected;
    };
    const std::vector<TCase> cases = {{"1", true}, {"0", false}, {"2", false}, {"-1", false}, {"01", true}};
    auto store = Store();
    for (const auto& c : cases) {
        Put(BasePath, "b", StringValue(c.Stored));
        EXPECT_EQ(store->ReadBoolean("b", !c.Expected), c.Expected) << c.Stored;
    }
    EXPECT_TRUE(store->ReadBoolean("missing", true));
    EXPECT_FALSE(store->ReadBoolean("missing", false));
}

TEST_F(ConfigRegistry, IntegerReadsFailOnTextsThatAreNotWholeNumbers)
{
    auto store = Store();
    for (const char* text : {"yes", "", "1.5", "7 ", "$", "99999999999"}) {
        Put(BasePath, "n", StringValue(text));
        SCOPED_TRACE(text);
        const std::string message = "'" + std::string(text) + "' ist kein gültiger Integerwert";
        ExpectFailure<EConfigConvertError>([&] { store->ReadInt("n", 0); }, message);
        ExpectFailure<EConfigConvertError>([&] { store->ReadBoolean("n", false); }, message);
    }
    // The framework's conversion takes leading blanks and "$" hexadecimal.
    for (const auto& [text, value] : {std::pair{" 7", 7}, std::pair{"$1B", 27}, std::pair{"-$10", -16}}) {
        Put(BasePath, "n", StringValue(text));
        EXPECT_EQ(store->ReadInt("n", 0), value) << text;
    }
}

TEST_F(ConfigRegistry, TypedWritesStoreTheirText)
{
    struct TCase {
        const char* What;
        std::function<void(TConfigStructure&)> Write;
        std::string Text;
    };
    const std::vector<TCase> cases = {
        {"true", [](TConfigStructure& s) { s.WriteBoolean("v", true); }, "1"},
        {"false", [](TConfigStructure& s) { s.WriteBoolean("v", false); }, "0"},
        {"negative integer", [](TConfigStructure& s) { s.WriteInt("v", -2147483647 - 1); }, "-2147483648"},
        {"text", [](TConfigStructure& s) { s.WriteString("v", "C:\\Daten"); }, "C:\\Daten"},
    };
    auto store = Store();
    for (const auto& c : cases) {
        c.Write(*store);
        EXPECT_EQ(Stored(BasePath, "v"), StringValue(c.Text)) << c.What;
    }
}

TEST_F(ConfigRegistry, DateTimesAreStoredWithFifteenDigitsAndAPoint)
{
    struct TCase {
        double Value;
        std::string Text;
    };
    const std::vector<TCase> cases = {
        {0, "0"},           {36526.5, "36526.5"}, {-1.25, "-1.25"}, {45123.123456789012, "45123.123456789"},
        {0.00001, "1e-05"}, {1e20, "1e+20"},
    };
    auto store = Store();
    for (const auto& c : cases) {
        store->WriteDateTime("d", c.Value);
        EXPECT_EQ(Stored(BasePath, "d"), StringValue(c.Text)) << c.Text;
        EXPECT_EQ(store->ReadDateTime("d", -1), std::strtod(c.Text.c_str(), nullptr)) << c.Text;
    }
    EXPECT_EQ(store->ReadDateTime("missing", 36526.25), 36526.25);
}

TEST_F(ConfigRegistry, DateTimeReadsAcceptADecimalCommaAndNothingElse)
{
    auto store = Store();
    Put(BasePath, "d", StringValue("36526,5"));
    EXPECT_EQ(store->ReadDateTime("d", 0), 36526.5);

    for (const char* text : {"abc", "", "1.5x", " 1.5", "1,5,0", "0x10", "nan", "inf", "-infinity"}) {
        Put(BasePath, "d", StringValue(text));
        ExpectFailure<EConfigConvertError>([&] { store->ReadDateTime("d", 0); },
                                           "'" + std::string(text) + "' ist kein gültiger Gleitkommawert");
    }
}

TEST_F(ConfigRegistry, SectionsNestAndALeadingBackslashStartsAtTheRoot)
{
    auto store = Store();
    store->SetSection("A");
    store->SetSection("B");
    store->WriteString("v", "tief");
    EXPECT_EQ(Stored("Software\\X\\A\\B", "v"), StringValue("tief"));
    EXPECT_EQ(store->ReadString("v", ""), "tief");

    store->SetSection("\\Z");
    store->WriteString("w", "oben");
    EXPECT_EQ(Stored("Z", "w"), StringValue("oben"));
    EXPECT_FALSE(fakes.Registry.OpenKey(LM, "Software\\X\\A\\B\\Z"));
    EXPECT_EQ(store->Section(), "\\Z");
    EXPECT_EQ(store->BasePath(), BasePath);
}

TEST_F(ConfigRegistry, ValuePrefixIsPutBeforeEveryName)
{
    auto store = Store();
    store->ValuePrefix = "Tarvo.";
    store->WriteInt("Zahl", 5);
    EXPECT_EQ(Stored(BasePath, "Tarvo.Zahl"), StringValue("5"));
    EXPECT_EQ(Stored(BasePath, "Zahl"), std::nullopt);
    EXPECT_EQ(store->ReadInt("Zahl", 0), 5);
}

TEST_F(ConfigRegistry, ScrambledValuesStoreOnlyLettersAToPAndReadBack)
{
    auto store = Store();
    store->ScrambleKey = "Schlüssel";
    const std::string secret = "geheim: Grüße";
    store->WriteString("Kennwort", secret);

    const auto stored = Stored(BasePath, "Kennwort");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->Data.size(), 2 * secret.size());
    for (uint8_t c : stored->Data)
        EXPECT_TRUE(c >= 'A' && c <= 'P') << c;
    EXPECT_EQ(store->ReadString("Kennwort", ""), secret);
    EXPECT_EQ(store->ReadString("missing", "klar"), "klar") << "a default is not unscrambled";

    store->WriteBoolean("Flag", true);
    EXPECT_TRUE(store->ReadBoolean("Flag", false));
    EXPECT_NE(Stored(BasePath, "Flag"), StringValue("1"));
}

TEST_F(ConfigRegistry, WithoutRightsReadsGiveDefaultsAndWritesFail)
{
    fakes.Registry.SetWritable(LM, false);
    auto store = Store();
    store->ValuePrefix = "P.";

    EXPECT_EQ(store->ReadString("CommonFiles", "/opt/tarvo"), "/opt/tarvo");
    EXPECT_EQ(store->ReadInt("Zahl", 3), 3);
    ExpectFailure<ERegistryException>([&] { store->WriteString("CommonFiles", "/x"); },
                                      "Konnte Daten für 'P.CommonFiles' nicht setzen");
}

TEST_F(ConfigRegistry, ExistingKeyWithoutRightsReadsButCannotBeWritten)
{
    Put(BasePath, "CommonFiles", StringValue("/srv"));
    fakes.Registry.SetWritable(LM, false);
    auto store = Store();

    EXPECT_EQ(store->ReadString("CommonFiles", ""), "/srv");
    ExpectFailure<ERegistryException>([&] { store->WriteString("CommonFiles", "/x"); },
                                      "Konnte Daten für 'CommonFiles' nicht setzen");
    store->SetSection("Neu");
    EXPECT_EQ(store->ReadString("CommonFiles", ""), "/srv") << "a section that cannot be made leaves the key open";
}

TEST(ConfigRegistryOnFiles, ValuesLastAcrossStores)
{
    testsupport::TempDir dir;
    testsupport::TScopedEnvironmentVariable registryDir("TARVO_REGISTRY_DIR", dir.Path().string());
    auto registry = platform::CreateHostRegistry();

    TConfigRegistry(LM, "Software\\Quenbar", *registry).WriteDateTime("Stand", 36526.5);
    EXPECT_EQ(TConfigRegistry(LM, "Software\\Quenbar", *registry).ReadDateTime("Stand", 0), 36526.5);
}

TEST(ConfigRegistryOnFiles, WhereNoFileCanBeWrittenReadsGiveDefaultsAndWritesFail)
{
    testsupport::TempDir dir;
    testsupport::WriteTextFile(dir.File("blocker"), "");
    testsupport::TScopedEnvironmentVariable registryDir("TARVO_REGISTRY_DIR", dir.File("blocker") + "/registry");
    auto registry = platform::CreateHostRegistry();
    TConfigRegistry store(LM, "Software\\Quenbar", *registry);

    EXPECT_EQ(store.ReadString("CommonFiles", "/opt/tarvo"), "/opt/tarvo");
    ExpectFailure<ERegistryException>([&] { store.WriteString("CommonFiles", "/x"); },
                                      "Konnte Daten für 'CommonFiles' nicht setzen");
}
