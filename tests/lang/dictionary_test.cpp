#include <gtest/gtest.h>

#include "lang/containertestsupport.h"
#include "lang/dictionary.h"

using namespace tarvo;
using namespace tarvo::testsupport;

namespace {

std::unique_ptr<TDictionaryItem> Phrase(std::vector<std::string> texts)
{
    auto phrase = std::make_unique<TDictionaryItem>();
    phrase->Texts = std::move(texts);
    return phrase;
}

} // namespace

TEST(Dictionary, PhrasesAndSlotsAreStoredInTheirLayout)
{
    TDictionary dictionary;
    dictionary.Add(Phrase({"Yes", ""}));
    dictionary.Languages.AddLangId(lgENGLISH);
    dictionary.Languages.AddLangId(lgGERMAN);
    const Bytes phrase = Join({{0x0f},
                               Ascii("TDictionaryItem"),
                               {0x64, 0, 0, 0},
                               {0x02, 0, 0, 0},
                               {0x04, 0, 0, 0},
                               Ascii("Yes"),
                               {0},
                               {0x01, 0, 0, 0}});
    EXPECT_EQ(SaveToBlock(dictionary), Join({{0x01, 0x01, 0x00}, phrase, EnglishGermanSlotBytes()}));
    EXPECT_EQ(SaveToBlock(TDictionary()), (Bytes{0x01, 0, 0, 0x01, 0, 0})) << "a new one has no slots";
}

TEST(Dictionary, ReadsBackWithTheSameTextsAndSlotsAndNoFallback)
{
    TDictionary dictionary;
    dictionary.Add(Phrase({"file", "Datei"}));
    dictionary.Add(Phrase({"OK", ""}));
    dictionary.Languages.AddLangId(lgENGLISH);
    dictionary.Languages.AddLangId(lgGERMAN);
    TDictionary loaded;
    LoadFromBlock(loaded, SaveToBlock(dictionary));
    ASSERT_EQ(loaded.Count(), 2);
    EXPECT_EQ(loaded.Get(0)->Texts, (std::vector<std::string>{"file", "Datei"}));
    EXPECT_EQ(loaded.Get(1)->Texts, (std::vector<std::string>{"OK", ""}));
    ASSERT_EQ(loaded.Languages.Count(), 2);
    EXPECT_EQ(loaded.Languages.GetLangId(1), lgGERMAN);
}
