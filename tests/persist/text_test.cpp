#include <gtest/gtest.h>

#include "persist/objectstream.h"
#include "persist/text.h"
#include "persist/textservices.h"
#include "platform/fake/fakeservices.h"
#include "support/streamsupport.h"
#include "support/testsupport.h"

using namespace tarvo;
using namespace tarvo::testsupport;

namespace {

} // namespace

TEST(Text, BufferGrowsByTheSpareRules)
{
    TText text;
    EXPECT_EQ(text.Capacity(), 10);
    text.SetText("123456789");
    EXPECT_EQ(text.Capacity(), 10) << "nine characters and the terminator fit";
    text.SetText("1234567890");
    EXPECT_EQ(text.Capacity(), 25) << "length + 10 spare + 5";
    EXPECT_EQ(text.GetText(), "1234567890");
    text.SetText("ab");
    EXPECT_EQ(text.Capacity(), 25) << "a shorter text never shrinks the buffer";
}

TEST(Text, SetCapacityCutsAndGivesAWritableBuffer)
{
    TText text("abcdef");
    text.SetCapacity(3);
    EXPECT_EQ(text.GetText(), "abc");
    EXPECT_EQ(text.Capacity(), 8);

    text.SetCapacity(200);
    EXPECT_EQ(text.GetText(), "abc") << "growing keeps the text";
    std::string full(200, 'x');
    std::copy(full.begin(), full.end(), text.Buffer());
    text.Buffer()[200] = '\0';
    EXPECT_EQ(text.TextLength(), 200);
}

TEST(Text, TextEndsAtTheFirstNul)
{
    TText text(std::string_view("ab\0cd", 5));
    EXPECT_EQ(text.GetText(), "ab");
    EXPECT_EQ(text.TextLength(), 2);
}

TEST(Text, StoresAsStringAndLoadsBack)
{
    TText empty;
    EXPECT_EQ(RoundTrip(empty)->GetText(), "");
    TText umlauts("Grüße 100%");
    EXPECT_EQ(RoundTrip(umlauts)->GetText(), "Grüße 100%");
    TText longText(std::string(300, 'q'));
    auto loaded = RoundTrip(longText);
    EXPECT_EQ(loaded->GetText(), std::string(300, 'q'));
    EXPECT_GT(loaded->Capacity(), 300);
}

TEST(Text, CopyToGrowsTheTarget)
{
    TText source("a text longer than ten");
    TText target;
    source.CopyTo(target);
    EXPECT_EQ(target.GetText(), source.GetText());

    auto copy = source.CopyToNew();
    EXPECT_EQ(dynamic_cast<TText&>(*copy).GetText(), source.GetText());
}

TEST(Text, CompareIgnoresCaseAndRejectsOtherClasses)
{
    EXPECT_EQ(TText("Notes").Compare(TText("NOTES")), 0);
    EXPECT_EQ(TText("apple").Compare(TText("Banana")), -1);
    EXPECT_EQ(TText("banana").Compare(TText("Apple")), 1);
    TObjectList notAText;
    EXPECT_THROW(TText("x").Compare(notAText), EInvalidCast);
    EXPECT_THROW(TText("x").CopyTo(notAText), EInvalidCast);
}

TEST(Text, ReplaceAll)
{
    struct Case {
        const char* text;
        const char* find;
        const char* replacement;
        const char* expected;
    };
    const Case cases[] = {
        {"aaaa", "aa", "a", "aa"},  {"abc", "", "x", "abc"}, {"1,5,0", ",", ".", "1.5.0"},
        {"abc", "b", "bb", "abbc"}, // the replacement is not searched again
        {"abc", "x", "y", "abc"},   {"abab", "ab", "", ""},  {"Abc", "a", "x", "Abc"}, // exact bytes, case-sensitive
    };
    for (const auto& c : cases) {
        TText text(c.text);
        text.ReplaceAll(c.find, c.replacement);
        EXPECT_EQ(text.GetText(), c.expected) << c.text << " / " << c.find;
    }
    TText commas("1,5");
    commas.CommaToPoint();
    EXPECT_EQ(commas.GetText(), "1.5");
}

TEST(Text, ExpandEnvironmentReadsTheEnvironmentService)
{
    platform::TScopedFakeServices fakes;
    fakes.Environment.Variables = {{"WINDIR", "C:\\WIN"}, {"A", "x"}, {"B", "y"},    {"HOME", "/home/u"},
                                   {" of ", "!"},         {"X", "z"}, {"", "empty"}, {"TWICE", "%TWICE%%TWICE%"},
                                   {"REF", "%A%"}};
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"%WINDIR%\\notepad.exe", "C:\\WIN\\notepad.exe"},
        {"100%", "100%"},
        {"%A% and %A%", "x and x"},
        {"%A%%B%", "xy"},
        {"50% of %X%", "50!X%"}, // the first pair encloses " of "
        {"%UNDEFINED%/bin", "%UNDEFINED%/bin"},
        {"%HOME%/%UNDEFINED%/%A%", "/home/u/%UNDEFINED%/x"},
        {"no references", "no references"},
        {"%%", "empty"},
        {"%TWICE%/%TWICE%", "%TWICE%%TWICE%/%TWICE%%TWICE%"}, // values are not expanded again
        {"%REF%+%A%", "%A%+x"},
    };
    for (const auto& c : cases) {
        TText text(c.text);
        text.ExpandEnvironment();
        EXPECT_EQ(text.GetText(), c.expected) << c.text;
    }
}

TEST(Text, MatchesWildcard)
{
    struct Case {
        const char* subject;
        const char* pattern;
        bool matches;
    };
    const Case cases[] = {
        {"Editor - Notes", "*notes*", true},
        {"Editor - Notes", "Editor*", true},
        {"Editor - Notes", "*Editor", false},
        {"Editor - Notes", "*Notes", true},
        {"Editor - Notes", "editor - notes", true},
        {"Editor - Notes", "Ed*tor - Notes", false}, // an inner star is literal
        {"Ed*tor", "ed*tor", true},
        {"Editor - Notes", "Edit?r*", false}, // so is a question mark
        {"Editor - Notes", "", true},
        {"", "", true},
        {"", "*x*", false},
        {"xabcabc", "*abc", true},
        {"Größe", "*GRÖSSE*", true}, // upper-casing under the locale: ß becomes SS
        {"Übersicht", "*übersicht*", true},
        {"Notes", "Note", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesWildcard(c.subject, c.pattern), c.matches) << c.subject << " ~ " << c.pattern;
}

TEST(Text, ScrambleRoundTrips)
{
    const std::string scrambledOne = ScrambleText("x", "k");
    ASSERT_EQ(scrambledOne.size(), 2u);
    for (char letter : scrambledOne) {
        EXPECT_GE(letter, 'A');
        EXPECT_LE(letter, 'P');
    }
    EXPECT_EQ(UnscrambleText(scrambledOne, "k"), "x");

    // 'a' (0x61) XOR 'a' is 0: "AA"; 'b' (0x62) XOR 'c' (0x63) is 1: "AB".
    EXPECT_EQ(ScrambleText("ab", "ac"), "AAAB");
    // The key repeats: 0x10 XOR 0x01 = 0x11 is "BB" for both bytes.
    EXPECT_EQ(ScrambleText("\x10\x10", "\x01"), "BBBB");

    struct Case {
        std::string text;
        std::string key;
    };
    const Case cases[] = {
        {"", "key"},
        {"C:\\Program Files\\Quenbar", "geheim"},
        {std::string("\xff\x00\x80 binary", 10), "k"},
        {"a longer text than the key", "ab"},
    };
    for (const auto& c : cases) {
        const std::string scrambled = ScrambleText(c.text, c.key);
        EXPECT_EQ(scrambled.size(), 2 * c.text.size());
        EXPECT_EQ(scrambled.find_first_not_of("ABCDEFGHIJKLMNOP"), std::string::npos);
        EXPECT_EQ(UnscrambleText(scrambled, c.key), c.text);
    }
    EXPECT_NE(UnscrambleText(ScrambleText("secret", "one"), "two"), "secret");
    EXPECT_EQ(ScrambleText("plain", ""), "plain") << "an empty key leaves the text as it is";
    EXPECT_EQ(UnscrambleText("plain", ""), "plain");
}

TEST(Text, NumberToWords)
{
    struct Case {
        int32_t number;
        const char* words;
    };
    const Case cases[] = {
        {-7, "sieben"},
        {0, "Null"},
        {1, "eins"},
        {10, "zehn"},
        {11, "elf"},
        {12, "zwölf"},
        {13, "dreizehn"},
        {16, "sechzehn"},
        {17, "siebzehn"},
        {21, "einundzwanzig"},
        {30, "dreißig"},
        {99, "neunundneunzig"},
        {100, "einhundert"},
        {101, "einhunderteins"},
        {111, "einhundertelf"},
        {1001, "eintausendeins"},
        {1999, "eintausendneunhundertneunundneunzig"},
        {2000, "zweitausend"},
        {1000000, "eine Million"},
        {3000000, "drei Millionen "},
        {2000001, "zwei Millionen eins"},
        {-2147483647 - 1,
         "zweitausendeinhundertsiebenundvierzig Millionen "
         "vierhundertdreiundachtzigtausendsechshundertachtundvierzig"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberToWords(c.number), c.words) << c.number;
}

TEST(TextServices, TextsAreStoredAsWindows1252WhenTheyFitAndAsUtf8Otherwise)
{
    const struct {
        std::string text;
        std::string bytes;
    } cases[] = {
        {"", ""},
        {"abc", "abc"},
        {"Büro", "B\xFCro"},
        {"&Schließen",
         "&Schlie\xDF"
         "en"},
        {"Größe – Übersicht",
         "Gr\xF6\xDF"
         "e \x96 \xDC"
         "bersicht"},
        {"€ 5 „zitiert“", "\x80 5 \x84zitiert\x93"},
        {"\u0081\u008D\u008F\u0090\u009D", "\x81\x8D\x8F\x90\x9D"}, // unassigned in the code page
        {"Жук", "Жук"},
        {"a → b", "a → b"},
        {"Büro \u0080", "Büro \u0080"}, // U+0080 has no byte: 0x80 is the euro sign
        {"Ã¼", "Ã¼"},                   // its single bytes C3 BC would read back as "ü"
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text::Encode(c.text), c.bytes) << c.text;
        EXPECT_EQ(text::Decode(c.bytes), c.text) << c.text;
    }
    EXPECT_EQ(text::Decode("\xC3\xBC"), "ü") << "bytes that are valid UTF-8 are taken as UTF-8";
    EXPECT_EQ(text::Encode("Gr\xFC\xDF"
                           "e"),
              "Gr\xFC\xDF"
              "e")
        << "a text that is not UTF-8 is taken as Windows-1252";
}

TEST(TextServices, EveryTextReadsBackAsItselfAndEveryLegacyStringIsWrittenBackUnchanged)
{
    // Every text of up to three characters from a set that mixes characters
    // whose bytes can be confused.
    const std::string pieces[] = {"", "a", "Ã", "¼", "Â", "€", "ü", "\u0081", "Ж", "\uFEFF", "\U0001F600"};
    for (const auto& first : pieces)
        for (const auto& second : pieces)
            for (const auto& third : pieces)
                ASSERT_EQ(text::Decode(text::Encode(first + second + third)), first + second + third);

    // Every two bytes that are not valid UTF-8, and some longer ones: an
    // overlong form, an encoded surrogate, a code point beyond U+10FFFF.
    std::vector<std::string> legacy = {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82", "B\xFCro \xC3"};
    for (int first = 0; first < 256; ++first)
        for (int second = 0; second < 256; ++second)
            if (const std::string bytes{char(first), char(second)}; text::Decode(bytes) != bytes)
                legacy.push_back(bytes);
    EXPECT_GT(legacy.size(), 30000u);
    for (const auto& bytes : legacy)
        ASSERT_EQ(text::Encode(text::Decode(bytes)), bytes) << testing::PrintToString(bytes);
}

TEST(Text, CharactersOfUtf8Texts)
{
    EXPECT_EQ(CharacterCount(""), 0u);
    EXPECT_EQ(CharacterCount("abc"), 3u);
    EXPECT_EQ(CharacterCount("Grüße €"), 7u);
    EXPECT_EQ(FirstCharacters("Grüße €", 3), "Grü");
    EXPECT_EQ(FirstCharacters("Grüße €", 7), "Grüße €");
    EXPECT_EQ(FirstCharacters("Grüße €", 50), "Grüße €");
    EXPECT_EQ(FirstCharacters("€€", 1), "€") << "a character is never cut in the middle";
    EXPECT_EQ(FirstCharacters("abc", 0), "");
}
