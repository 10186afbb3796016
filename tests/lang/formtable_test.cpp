#include <gtest/gtest.h>

#include <algorithm>

#include "lang/containertestsupport.h"
#include "lang/formtables/formtable.h"

using namespace tarvo;
using namespace tarvo::testsupport;

namespace {

constexpr std::string_view Header = "form TFormMain\ndesign german\n";

TFormTable Parse(std::string_view rows)
{
    return ParseFormTable(std::string(Header) + std::string(rows), "main.formtable");
}

} // namespace

TEST(FormTable, RowsBecomeEntriesInTableOrder)
{
    const auto container = BuildContainer(Parse("# comment\n"
                                                "\n"
                                                "TFormMain Caption \"Hotkeys\" \"Tastenkürzel\"\r\n"
                                                "BtnNew Hint \"Say \\\"new\\\"\\r\\n\" \"\"\n"
                                                "CBLanguages Items \"english\" \"english\"\n"
                                                "CBLanguages Items \"deutsch\" \"\"\n"
                                                "BtnNew Caption \"&New\" \"&Neu\"\n"));
    ASSERT_EQ(container->Count(), 4);
    const auto& caption = dynamic_cast<const TCIStr&>(*container->Get(0));
    EXPECT_EQ(caption.ComponentIndex, -1);
    EXPECT_EQ(caption.Texts(), (std::vector<std::string>{"Hotkeys", "Tastenkürzel"}));
    const auto& hint = dynamic_cast<const TCIStr&>(*container->Get(1));
    EXPECT_EQ(hint.PropertyName, "Hint");
    EXPECT_EQ(hint.ComponentIndex, 0);
    EXPECT_EQ(hint.Texts(), (std::vector<std::string>{"Say \"new\"\r\n", ""}));
    const auto& items = dynamic_cast<const TCIStrList&>(*container->Get(2));
    EXPECT_EQ(items.ComponentIndex, 1);
    EXPECT_EQ(items.LineCount, 2);
    EXPECT_EQ(items.Lists(), (std::vector<std::vector<std::string>>{{"english", "deutsch"}, {"", ""}}));
    EXPECT_EQ(container->Get(3)->ComponentIndex, 0) << "a component keeps the number it got first";
    EXPECT_EQ(container->Languages().GetLangId(0), lgENGLISH);
    EXPECT_EQ(container->Languages().GetLangId(1), lgGERMAN);
}

TEST(FormTable, TheLabel3ExampleComesOutByteForByte)
{
    const Bytes block = ContainerBlock(Parse("Label0 Caption \"a\" \"\"\n"
                                             "Label1 Caption \"b\" \"\"\n"
                                             "Label2 Caption \"c\" \"\"\n"
                                             "LabX Caption \"d\" \"\"\n"
                                             "Label3 Caption \"current file:\" \"aktuelle Datei:\"\n"));
    const Bytes label3 = Label3Bytes();
    EXPECT_NE(std::search(block.begin(), block.end(), label3.begin(), label3.end()), block.end());
    EXPECT_EQ(Bytes(block.begin(), block.begin() + 3), (Bytes{0x01, 0x05, 0x00}));
    const Bytes languages = EnglishGermanSlotBytes();
    EXPECT_TRUE(std::equal(languages.rbegin(), languages.rend(), block.rbegin()));
}

TEST(FormTable, ATableWithoutRowsStoresNoContainer)
{
    const TFormTable table = Parse("");
    EXPECT_TRUE(ContainerBlock(table).empty());
    EXPECT_NE(ResourceSource(table, "x.h", "main.formtable").find(".Items = {},"), std::string::npos);
}

TEST(FormTable, MistakesAreReportedWithFileAndLine)
{
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {"", "t.formtable: the \"form\" and \"design\" lines are missing"},
        {"form A\n", "t.formtable: the \"form\" and \"design\" lines are missing"},
        {"Lab Caption \"a\" \"b\"\n", "t.formtable:1: the \"form\" and \"design\" lines must come before the rows"},
        {"form A\nform B\n", "t.formtable:2: \"form\" is given twice"},
        {"form A\ndesign french\n", "t.formtable:2: the design language must be english or german"},
        {"form 1A\n", "t.formtable:1: the form's name expected"},
        {"form A\ndesign english\nLab Caption a \"b\"\n", "t.formtable:3: the English text in double quotes expected"},
        {"form A\ndesign english\nLab Caption \"a\n", "t.formtable:3: the English text has no closing quote"},
        {"form A\ndesign english\nLab Caption \"a\\t\" \"\"\n", "t.formtable:3: only \\\", \\\\, \\r and \\n may"},
        {"form A\ndesign english\nLab Caption \"a\" \"b\" x\n", "t.formtable:3: unexpected \"x\" at the end"},
        {"form A\ndesign english\nLab Caption \"a\" \"b\"\nLab Caption \"c\" \"d\"\n",
         "t.formtable:4: Lab Caption is given twice (first on line 3)"},
        {"form A\ndesign english\nCB Items \"a\" \"\"\nLab Caption \"c\" \"d\"\nCB Items \"b\" \"\"\n",
         "t.formtable:5: CB Items is given twice (first on line 3)"},
        {"form A\ndesign english\nLab Caption \"a\" \"b\"\ndesign german\n",
         "t.formtable:4: \"design\" must come before the rows"},
    };
    for (const auto& c : cases) {
        try {
            ParseFormTable(c.text, "t.formtable");
            ADD_FAILURE() << c.text << " was accepted";
        } catch (const EFormTableError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
        }
    }
}
