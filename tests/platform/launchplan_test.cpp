// How the launcher splits parameters and decides what runs a file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/fake/fakeservices.h"
#include "platform/launcher.h"
#include "platform/linux/commandline.h"
#include "platform/linux/launchplan.h"
#include "support/testsupport.h"

using namespace tarvo::platform;
using tarvo::testsupport::ExpectFailure;
using tarvo::testsupport::TempDir;
using tarvo::testsupport::WriteTextFile;

namespace {

using TArguments = std::vector<std::string>;

TEST(SplitArguments, ShellQuotingWithoutExpansion)
{
    const std::vector<std::pair<std::string, TArguments>> cases = {
        {"", {}},
        {"  \t ", {}},
        {"-a  -b\tc\nd", {"-a", "-b", "c", "d"}},
        {"\"two words\" 'single quoted'", {"two words", "single quoted"}},
        {"pre\"fix\"'ed'post", {"prefixedpost"}},
        {"\"\" ''", {"", ""}},
        {"back\\ slash \\\"q\\\" end\\", {"back slash", "\"q\"", "end\\"}},
        {"'it\\'s", {"it\\s"}},
        {"\"a \\\"b\\\" \\\\ \\$ \\x\"", {"a \"b\" \\ $ \\x"}},
        {"'no \"nesting\" here'", {"no \"nesting\" here"}},
        {"$HOME *.txt `date` $(id) ~ a;b|c", {"$HOME", "*.txt", "`date`", "$(id)", "~", "a;b|c"}},
        {"\"C:\\Program Files\\x\"", {"C:\\Program Files\\x"}},
    };
    for (const auto& [text, arguments] : cases)
        EXPECT_EQ(SplitArguments(text), arguments) << text;
}

TEST(SplitArguments, AQuoteThatIsNotClosedIsAnError)
{
    ExpectFailure<ELaunchError>([] { SplitArguments("a 'b c"); }, "the parameters have a ' that is not closed");
    ExpectFailure<ELaunchError>([] { SplitArguments("\"a b"); }, "the parameters have a \" that is not closed");
}

class LaunchPlan : public testing::Test {
protected:
    LaunchPlan()
    {
        fakes_.Environment.Variables["PATH"] = bin.Path().string();
        std::filesystem::create_directory(work.Path() / "folder");
        MakeFile(bin.File("tool"), "#!/bin/sh\n", 0755);
        MakeFile(bin.File("xdg-open"), "#!/bin/sh\n", 0755);
        MakeFile(bin.File("notes.txt"), "on PATH but not executable", 0644);
        MakeFile(work.File("local-tool"),
                 "\x7f"
                 "ELF",
                 0755);
        MakeFile(work.File("script"), "#!/bin/bash\necho\n", 0644);
        MakeFile(work.File("setup.sh"), "echo\n", 0644);
        MakeFile(work.File("old.bat"), "echo\n", 0644);
        MakeFile(work.File("notes.txt"), "text", 0644);
    }

    static void MakeFile(const std::string& name, const std::string& content, mode_t mode)
    {
        WriteTextFile(name, content);
        ::chmod(name.c_str(), mode);
    }

    TempDir bin;
    TempDir work;
    TScopedFakeServices fakes_;
};

TEST_F(LaunchPlan, WhatRunsTheFile)
{
    const std::string dir = work.Path().string();
    const std::string opener = bin.File("xdg-open");
    struct TCase {
        std::string file;
        std::string parameters;
        std::string directory;
        std::string program;
        TArguments arguments;
    };
    const std::vector<TCase> cases = {
        {"tool", "-x 'a b'", "", bin.File("tool"), {"tool", "-x", "a b"}},
        {bin.File("tool"), "", dir, bin.File("tool"), {bin.File("tool")}},
        {"./local-tool", "1", dir, work.File("local-tool"), {"./local-tool", "1"}},
        {"local-tool", "", dir, work.File("local-tool"), {"local-tool"}},
        {work.File("script"), "\"x y\"", "", "/bin/sh", {"/bin/sh", work.File("script"), "x y"}},
        {"setup.sh", "", dir, "/bin/sh", {"/bin/sh", work.File("setup.sh")}},
        {"old.bat", "", dir, "/bin/sh", {"/bin/sh", work.File("old.bat")}},
        {"notes.txt", "ignored", dir, opener, {"xdg-open", work.File("notes.txt")}},
        {work.File("folder"), "", "", opener, {"xdg-open", work.File("folder")}},
        {"https://example.org/a b", "", "", opener, {"xdg-open", "https://example.org/a b"}},
        {"mailto:ann@example.org", "", "", opener, {"xdg-open", "mailto:ann@example.org"}},
    };
    for (const auto& c : cases) {
        const TLaunchPlan plan = PlanLaunch(c.file, c.parameters, c.directory);
        EXPECT_EQ(plan.Program, c.program) << c.file;
        EXPECT_EQ(plan.Arguments, c.arguments) << c.file;
        EXPECT_EQ(plan.Directory, c.directory) << c.file;
    }
}

TEST_F(LaunchPlan, WhatCannotBeOpened)
{
    ExpectFailure<ELaunchError>([] { PlanLaunch("", "", ""); }, "no file to open");
    ExpectFailure<ELaunchError>([this] { PlanLaunch("missing", "", work.Path().string()); },
                                "cannot open \"missing\": no such file");
    ExpectFailure<ELaunchError>([this] { PlanLaunch("tool", "", work.File("gone")); },
                                "cannot open \"tool\": the directory \"" + work.File("gone") + "\" does not exist");
    std::filesystem::remove(bin.File("xdg-open"));
    ExpectFailure<ELaunchError>([this] { PlanLaunch(work.File("notes.txt"), "", ""); },
                                "cannot open \"" + work.File("notes.txt") + "\": xdg-open is not installed");
}

TEST_F(LaunchPlan, DesktopEntriesRunTheirExecKey)
{
    TempDir data;
    fakes_.Environment.Variables["XDG_DATA_HOME"] = data.Path().string();
    fakes_.Environment.Variables["XDG_DATA_DIRS"] = work.File("none");
    std::filesystem::create_directory(data.Path() / "applications");
    MakeFile(bin.File("x-terminal-emulator"), "#!/bin/sh\n", 0755);
    const std::string dir = work.Path().string();
    const std::string folder = work.File("folder");
    const std::string head = "[Desktop Entry]\nType=Application\nName=Tool\n";
    MakeFile(work.File("tool.desktop"), head + "Exec=tool --open %U\nPath=" + folder + "\n", 0644);
    MakeFile(work.File("plain.desktop"), head + "Exec=tool\nTryExec=tool\n", 0755); // executable, still an entry
    MakeFile(work.File("term.desktop"), head + "Exec=tool %f\nTerminal=true\n", 0644);
    MakeFile(work.File("link.desktop"), "[Desktop Entry]\nType=Link\nName=Site\nURL=https://example.org/\n", 0644);
    MakeFile(data.File("applications/installed.desktop"), head + "Exec=" + bin.File("tool") + " %c\n", 0644);
    struct TCase {
        std::string file;
        std::string directory;
        std::string program;
        TArguments arguments;
        std::string workingDirectory;
    };
    const std::vector<TCase> cases = {
        {"tool.desktop", dir, bin.File("tool"), {"tool", "--open", "x y"}, folder},
        {work.File("plain.desktop"), "", bin.File("tool"), {"tool", "x y"}, ""},
        {"term.desktop", dir, bin.File("x-terminal-emulator"), {"x-terminal-emulator", "-e", "tool", "x y"}, dir},
        {"link.desktop", dir, bin.File("xdg-open"), {"xdg-open", "https://example.org/"}, dir},
        {"installed.desktop", dir, bin.File("tool"), {bin.File("tool"), "Tool", "x y"}, dir},
    };
    for (const auto& c : cases) {
        const TLaunchPlan plan = PlanLaunch(c.file, "'x y'", c.directory);
        EXPECT_EQ(plan.Program, c.program) << c.file;
        EXPECT_EQ(plan.Arguments, c.arguments) << c.file;
        EXPECT_EQ(plan.Directory, c.workingDirectory) << c.file;
    }
}

TEST_F(LaunchPlan, DesktopEntriesThatCannotBeStartedSayWhyInBothLanguages)
{
    fakes_.Environment.Variables["XDG_DATA_HOME"] = work.File("none");
    fakes_.Environment.Variables["XDG_DATA_DIRS"] = work.File("none");
    const struct {
        std::string lines;
        std::string english;
        std::string german;
    } cases[] = {
        {"Exec=tool\nHidden=true", "the desktop entry is hidden", "die Desktop-Datei ist verborgen"},
        {"Exec=tool\nTryExec=absent-tool", "the program \"absent-tool\" of its TryExec key is not installed",
         "das Programm \"absent-tool\" seines TryExec-Schlüssels ist nicht installiert"},
        {"Exec=absent-tool %f", "the program \"absent-tool\" of its Exec key is not installed",
         "das Programm \"absent-tool\" seines Exec-Schlüssels ist nicht installiert"},
        {"Exec=/bin/absent-tool", "the program \"/bin/absent-tool\" of its Exec key is not installed",
         "das Programm \"/bin/absent-tool\" seines Exec-Schlüssels ist nicht installiert"},
        {"Icon=tool", "the desktop entry has no Exec key", "die Desktop-Datei hat keinen Exec-Schlüssel"},
        {"Exec=\"tool", "its Exec key has a quote that is not closed",
         "ihr Exec-Schlüssel hat ein Anführungszeichen, das nicht geschlossen wird"},
        {"Exec=tool %z", "its Exec key has the unknown field code %z",
         "ihr Exec-Schlüssel hat den unbekannten Feldcode %z"},
        {"Exec=tool 100%", "its Exec key has a % without a field code", "ihr Exec-Schlüssel hat ein % ohne Feldcode"},
        {"Exec=%f", "its Exec key names no program", "ihr Exec-Schlüssel nennt kein Programm"},
        {"Type=Directory", "a desktop entry of type \"Directory\" starts nothing",
         "eine Desktop-Datei vom Typ \"Directory\" startet nichts"},
        {"Type=Link", "the link has no URL", "der Verweis hat keine URL"},
        {"Exec=tool\nPath=/nonexistent", "the directory \"/nonexistent\" of its Path key does not exist",
         "das Verzeichnis \"/nonexistent\" ihres Path-Schlüssels gibt es nicht"},
        {"Exec=tool\nTerminal=true", "x-terminal-emulator is not installed",
         "x-terminal-emulator ist nicht installiert"},
    };
    const std::string file = work.File("entry.desktop");
    for (const auto& c : cases) {
        MakeFile(file, "[Desktop Entry]\nName=Entry\n" + c.lines + "\n", 0644);
        try {
            PlanLaunch(file, "", "");
            ADD_FAILURE() << c.lines;
        } catch (const ELaunchError& error) {
            EXPECT_EQ(error.Reason.English, "cannot open \"" + file + "\": " + c.english);
            EXPECT_EQ(error.Reason.German, "\"" + file + "\" kann nicht geöffnet werden: " + c.german);
        }
    }
    MakeFile(file, "[Desktop Action x]\nExec=tool\n", 0644);
    ExpectFailure<ELaunchError>([&] { PlanLaunch(file, "", ""); },
                                "cannot open \"" + file + "\": it has no [Desktop Entry] group");
    ExpectFailure<ELaunchError>([] { PlanLaunch("absent.desktop", "", ""); },
                                "cannot open \"absent.desktop\": no such file");
}

} // namespace
