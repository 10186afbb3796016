// Reading desktop entries and expanding their Exec lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/desktopentry.h"
#include "platform/linux/desktopexec.h"

using namespace tarvo::platform;

namespace {

using TArguments = std::vector<std::string>;

TDesktopEntry Entry(const std::string& text)
{
    auto entry = TDesktopEntry::Parse(text);
    EXPECT_TRUE(entry) << text;
    return entry.value_or(*TDesktopEntry::Parse("[Desktop Entry]"));
}

TEST(DesktopEntry, KeysOfTheEntryGroupWithEscapesAndTranslations)
{
    const TDesktopEntry entry = Entry("# comment=no\r\n"
                                      "[Desktop Entry]\r\n"
                                      "Name = Editor\n"
                                      "Name[de]=Bearbeiter\n"
                                      "Name[de_AT]=Editor (AT)\n"
                                      "Name[sr@latin]=Urednik\n"
                                      "Comment=\\sone\\ttwo\\nthree\\\\ \\\"kept\\\" \\q\n"
                                      "#Hidden=true\n"
                                      "Terminal=true\n"
                                      "no key here\n"
                                      "[Desktop Action new]\n"
                                      "Exec=other\n");
    EXPECT_EQ(entry.Value("Name"), "Editor");
    EXPECT_EQ(entry.Value("Comment"), " one\ttwo\nthree\\ \\\"kept\\\" \\q");
    EXPECT_EQ(entry.Value("Exec"), std::nullopt) << "keys of other groups do not count";
    EXPECT_EQ(entry.Value("#Hidden"), std::nullopt);
    EXPECT_FALSE(entry.IsTrue("Hidden"));
    EXPECT_TRUE(entry.IsTrue("Terminal"));

    const std::vector<std::pair<std::string, std::string>> locales = {
        {"de_DE.UTF-8", "Bearbeiter"},
        {"de_AT.UTF-8@euro", "Editor (AT)"},
        {"de", "Bearbeiter"},
        {"sr_RS@latin", "Urednik"},
        {"fr_FR.UTF-8", "Editor"},
        {"", "Editor"},
        {"C", "Editor"},
    };
    for (const auto& [locale, name] : locales)
        EXPECT_EQ(entry.LocalizedValue("Name", locale), name) << locale;
    EXPECT_FALSE(TDesktopEntry::Parse("[Desktop Action x]\nExec=x\n")) << "no entry group";
}

TEST(DesktopEntry, ExecFieldCodesAndQuoting)
{
    const std::string head = "[Desktop Entry]\nName=Editor\nName[de]=Bearbeiter\nIcon=editor\n";
    const TArguments files = {"a b.txt", "c"};
    const std::vector<std::pair<std::string, TArguments>> cases = {
        {"Exec=edit %F", {"edit", "a b.txt", "c"}},
        {"Exec=edit --new %u --end", {"edit", "--new", "a b.txt", "c", "--end"}},
        {"Exec=edit %f %U", {"edit", "a b.txt", "c"}}, // the files go in once, at the first code
        {"Exec=edit", {"edit", "a b.txt", "c"}},       // without a code they go last
        {"Exec=edit --open=%f", {"edit", "--open=a b.txt c"}},
        {"Exec=edit %i --title %c %k 100%%",
         {"edit", "--icon", "editor", "--title", "Bearbeiter", "/apps/e.desktop", "100%", "a b.txt", "c"}},
        {"Exec=edit %d %D %n %N %v %m -x%m", {"edit", "-x", "a b.txt", "c"}}, // deprecated codes are dropped
        {"Exec=\"/opt/my editor/edit\" \"say \\\\\"hi\\\\\" \\\\$HOME \\\\\\\\ `x`\"",
         {"/opt/my editor/edit", "say \"hi\" $HOME \\ `x`", "a b.txt", "c"}},
        {"Exec=sh -c 'echo $0' %f", {"sh", "-c", "echo $0", "a b.txt", "c"}}, // single quotes as the shell reads them
    };
    for (const auto& [exec, arguments] : cases)
        EXPECT_EQ(ExecArguments(Entry(head + exec), "/apps/e.desktop", files, "de_DE.UTF-8"), arguments) << exec;
    EXPECT_EQ(ExecArguments(Entry("[Desktop Entry]\nExec=edit %i %f"), "", {}, ""), TArguments{"edit"})
        << "no icon, no files";
}

TEST(DesktopEntry, ExecValueReadsBackAsItsArguments)
{
    const TArguments arguments = {"/opt/my tarvo/tarvo", "", "plain", "50%", "a\"b`c$d\\e", "tab\there", "it's"};
    const std::string value = ExecValue(arguments);
    EXPECT_EQ(value.find_first_of("\t\n"), std::string::npos) << value;
    EXPECT_EQ(ExecArguments(Entry("[Desktop Entry]\nExec=" + value), "", {}, ""), arguments) << value;
    EXPECT_EQ(ExecValue({"/usr/lib/tarvo/tarvo"}), "/usr/lib/tarvo/tarvo") << "quotes only where needed";
}

} // namespace
