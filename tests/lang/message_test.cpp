#include <gtest/gtest.h>

#include <limits>

#include "lang/message.h"
#include "lang/messageformat.h"
#include "lang/messageintl.h"
#include "support/streamsupport.h"
#include "support/testsupport.h"

using namespace tarvo;
using testsupport::ByteBuilder;
using testsupport::Bytes;

namespace {

constexpr int32_t TextCode = 1000;

// A stored message, written by hand.
Bytes MessageBytes(int32_t version)
{
    // clang-format off
    return ByteBuilder()
        .Long(1012).Long(27).Long(version)
        .Long(TextCode).String("NameExists")
        .Long(TextCode).String("Caption")
        .Long(TextCode).String("Text %s")
        .Long(0x30)
        .Long(TextCode).String("remark")
        .Get();
    // clang-format on
}

} // namespace

TEST(AppMessage, StoresAndCopiesItsFieldsInTheFileLayout)
{
    for (int32_t version : {100, 0, 99, 101}) {
        auto message = testsupport::LoadObject<TAppMessage>(MessageBytes(version));
        EXPECT_EQ(message->Name, "NameExists") << "every version has the same fields";
        EXPECT_EQ(testsupport::ObjectBytes(*message->CopyToNew()), MessageBytes(100))
            << "a copy keeps every field and is written as version 100";
    }
}

TEST(AppMessage, DescriptionsNameOrNumberTheMessage)
{
    TAppMessage message;
    message.ID = 9;
    message.Name = "ConfirmDelete";
    EXPECT_EQ(message.GetDescription(0), "9: ConfirmDelete");
    EXPECT_EQ(message.GetDescription(1), "10009");
    EXPECT_EQ(message.GetDescription(7), "10009");
    message.ID = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(message.GetDescription(1), "2147493647") << "no overflow at the top of the range";
}

TEST(MessageFormat, DirectivesTakeTheArgumentsInOrder)
{
    struct Case {
        std::string text;
        TMessageArgs args;
        std::string expected;
    };
    const Case cases[] = {
        {"Plain text", {"ignored", int64_t{1}}, "Plain text"},
        {"Mess-ID %d von %s, %s", {int64_t{-9}, "Neu", "Alt"}, "Mess-ID -9 von Neu, Alt"},
        // Wrong kind: the argument in its own form.
        {"count %d, name %s", {"seven", int64_t{42}}, "count seven, name 42"},
        // Too few arguments: the directive stays.
        {"%s and %s", {"one"}, "one and %s"},
        {"%s%d%s", {}, "%s%d%s"},
        {"%s and %-10s", {"one"}, "one and %-10s"},
        // "%%" and anything that is no directive.
        {"100%% sure, %%s", {"unused"}, "100% sure, %s"},
        {"50% off, %*d, %e, %1001d, ends with %", {"arg"}, "50% off, %*d, %e, %1001d, ends with %"},
        // Flags, width, precision and upper-case letters.
        {"[%5d] [%-5D] [%.3d] [%-6.3d]",
         {int64_t{42}, int64_t{42}, int64_t{-5}, int64_t{7}},
         "[   42] [42   ] [-005] [007   ]"},
        {"%x %X %.4x %u %U",
         {int64_t{255}, int64_t{-1}, int64_t{10}, int64_t{-1}, int64_t{-5000000000}},
         "FF FFFFFFFF 000A 4294967295 18446744068709551616"},
        {"%f|%8.1F|%.0f", {int64_t{5}, int64_t{-3}, int64_t{12}}, "5.00|    -3.0|12"},
        {"[%6s] [%-6S] [%.3s] [%4s] [%.2s]",
         {"ab", "ab", "abcdef", "äöü", "äöü"},
         "[    ab] [ab    ] [abc] [ äöü] [äö]"},
        // Wrong kind with width and precision.
        {"[%5s] [%.3s] [%5x] [%.2f]", {int64_t{7}, int64_t{5}, "ab", "x"}, "[    7] [005] [   ab] [x]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatMessageText(c.text, c.args), c.expected) << c.text;
}

TEST(MessageFile, AnythingButAListOfMessagesIsDamageOfTheFile)
{
    testsupport::TempDir dir;
    const std::string file = dir.File("damaged.mes");
    const Bytes cases[] = {
        ByteBuilder().Long(TextCode).String("just a text").Get(),
        ByteBuilder().Long(1003).Long(1).Long(TextCode).String("x").Long(-1).Get(),
        ByteBuilder().Long(1003).Long(2).Raw(MessageBytes(100)).Get(), // the second message is missing
        ByteBuilder().Long(1003).Long(1).Long(4711).Get(),             // no class has this code
    };
    for (const Bytes& bytes : cases) {
        testsupport::WriteFile(file, bytes);
        try {
            ReadMessageFile(file);
            ADD_FAILURE() << "read " << bytes.size() << " bytes without complaint";
        } catch (const EStreamDamaged& error) {
            EXPECT_EQ(std::string(error.what()).rfind("Die Datei " + file + " ist beschädigt: ", 0), 0u)
                << error.what();
        }
    }
}

TEST(IntlMessages, TextsAreKeptPerLanguageAndNumber)
{
    TIntlMessages table;
    table.AddText(0, 5, "Caption", "Text");
    table.AddText(1, 5, "Titel", "Erst");
    table.AddText(1, 5, "Titel", "Dann");
    table.AddText(-1, -1, "minus", "eins");
    EXPECT_EQ(table.GetCaption(0, 5), "Caption");
    EXPECT_EQ(table.GetText(1, 5), "Dann") << "a second AddText replaces";
    EXPECT_EQ(table.GetText(-1, -1), "eins") << "-1 is a key like any other";
    EXPECT_EQ(table.GetText(0, 0), "") << "no other number stands in";
    EXPECT_EQ(table.GetText(2, 5), "") << "no other language stands in";
}
