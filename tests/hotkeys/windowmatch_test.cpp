// The forms of a command's window text, and the window a search chooses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hotkeys/windowmatch.h"
#include "platform/fake/fakeservices.h"

using namespace tarvo;
using platform::TTopLevelWindow;

namespace {

TEST(WindowMatch, EachFormMatchesItsPartOfTheWindow)
{
    platform::TScopedFakeServices fakes;
    fakes.Launcher.Classes["firefox-esr.desktop"] = {"firefox-esr", "firefox-esr"};
    const TTopLevelWindow browser{1, "Tarvo – Mozilla Firefox", "Navigator", "firefox-esr"};
    const TTopLevelWindow beta{2, "Tarvo – Mozilla Firefox Beta", "Navigator", "firefox-beta"};
    const TTopLevelWindow chat{3, "(3) Chat – Team", "", "org.example.Chat"}; // a Wayland app id
    const TTopLevelWindow legacy{4,
                                 "Gr\xF6\xDF"
                                 "e",
                                 "", ""}; // Windows-1252 bytes
    const struct {
        std::string text;
        std::string file;
        std::vector<bool> matches; // browser, beta, chat, legacy
    } cases[] = {
        {"firefox", "", {true, true, false, false}},
        {"größe", "", {false, false, false, true}},
        {"regex:firefox$", "", {true, false, false, false}},
        {"regex:^\\(\\d+\\) chat", "", {false, false, true, false}},
        {"regex:GRÖSSE|größe", "", {false, false, false, true}},
        {"class:Firefox-ESR", "", {true, false, false, false}},
        {"class:navigator", "", {true, true, false, false}},
        {"class:org.example.chat", "", {false, false, true, false}},
        {"class:", "firefox-esr.desktop", {true, false, false, false}},
        {"Class:x", "", {false, false, false, false}}, // only the exact prefix is a form
    };
    for (const auto& c : cases) {
        const TWindowMatch match(c.text, c.file, "");
        std::vector<bool> matches;
        for (const auto& window : {browser, beta, chat, legacy})
            matches.push_back(match.Matches(window));
        EXPECT_EQ(matches, c.matches) << c.text;
    }
}

TEST(WindowMatch, UnusableTextsAreRefusedWithTheirReason)
{
    platform::TScopedFakeServices fakes;
    const struct {
        std::string text;
        std::string german;
    } cases[] = {
        {"regex:(unclosed", "der reguläre Ausdruck \"(unclosed\" ist ungültig"},
        {"class:", "\"class:\" allein braucht eine Desktop-Datei als Datei"},
    };
    for (const auto& c : cases) {
        try {
            TWindowMatch(c.text, "/usr/bin/tool", "");
            ADD_FAILURE() << c.text;
        } catch (const EWindowMatchInvalid& error) {
            EXPECT_EQ(error.Reason.German, c.german);
        }
    }
}

TEST(WindowMatch, RepeatedChoicesWalkThroughTheMatchesWhenOneHasTheFocus)
{
    platform::TScopedFakeServices fakes;
    const TWindowMatch match("class:term", "", "");
    // Topmost first; a window that is brought back goes to the top and gets
    // the focus.
    std::vector<TTopLevelWindow> windows = {
        {1, "a", "", "term"}, {2, "editor", "", "edit"}, {3, "b", "", "term"}, {4, "c", "", "term"}};
    EXPECT_EQ(match.Choose(windows)->Id, 1u) << "none has the focus: the topmost";
    std::vector<uint32_t> chosen;
    windows[0].Active = true;
    for (int press = 0; press < 4; ++press) {
        const TTopLevelWindow next = *match.Choose(windows);
        chosen.push_back(next.Id);
        std::erase_if(windows, [&](const auto& window) { return window.Id == next.Id; });
        for (auto& window : windows)
            window.Active = false;
        windows.insert(windows.begin(), next);
        windows.front().Active = true;
    }
    EXPECT_EQ(chosen, (std::vector<uint32_t>{4, 3, 1, 4}));
    const std::vector<TTopLevelWindow> single = {{5, "t", "", "term", true}};
    EXPECT_EQ(match.Choose(single)->Id, 5u) << "a single match stays";
    EXPECT_EQ(match.Choose({{2, "editor", "", "edit"}}), nullptr);
}

} // namespace
