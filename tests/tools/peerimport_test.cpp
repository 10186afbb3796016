// Importing the configurations of other hotkey programs: realistic files of
// each format (tests/tools/data), each binding checked against a table.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/virtualkeys.h"
#include "support/testsupport.h"
#include "support/toolsupport.h"
#include "tools/bindingimport.h"

using namespace tarvo;
using namespace tarvo::platform;
using namespace tarvo::tools;
using testsupport::ReadTextFile;
using testsupport::RunTool;
using testsupport::TempDir;
using testsupport::WriteTextFile;

namespace {

constexpr TShortCut S = ShortCutShift, C = ShortCutCtrl, A = ShortCutAlt;
constexpr uint16_t F(int n)
{
    return static_cast<uint16_t>(VkF1 + n - 1);
}

struct TExpectedHotKey {
    TShortCut HotKey;
    const char* FileName;
    const char* Parameters;
};

struct TExpectedSkip {
    int Line;
    const char* Reason; // a part of it
};

std::string DataFile(const char* name)
{
    return std::string(TOOLS_TEST_DATA) + "/" + name;
}

void ExpectImport(const char* file, const std::vector<TExpectedHotKey>& hotkeys,
                  const std::vector<TExpectedSkip>& skips)
{
    const TImportedHotKeys imported = ImportConfiguration(file, ReadTextFile(DataFile(file)), std::nullopt);
    ASSERT_EQ(imported.Document->HotKeyList->Count(), static_cast<int>(hotkeys.size()));
    for (size_t i = 0; i < hotkeys.size(); ++i) {
        const THotTarvo& hotkey = imported.Document->HotKey(static_cast<int>(i));
        ASSERT_EQ(hotkey.Commands->Count(), 1);
        const THotKeyCommand& command = hotkey.Command(0);
        EXPECT_EQ(hotkey.HotKey, hotkeys[i].HotKey) << hotkey.Name;
        EXPECT_EQ(command.FileName, hotkeys[i].FileName) << hotkey.Name;
        EXPECT_EQ(command.Parameters, hotkeys[i].Parameters) << hotkey.Name;
    }
    ASSERT_EQ(imported.Skipped.size(), skips.size());
    for (size_t i = 0; i < skips.size(); ++i) {
        EXPECT_EQ(imported.Skipped[i].Line, skips[i].Line) << imported.Skipped[i].Reason;
        EXPECT_NE(imported.Skipped[i].Reason.find(skips[i].Reason), std::string::npos) << imported.Skipped[i].Reason;
    }
}

} // namespace

TEST(PeerImport, SxhkdBindingsBecomeHotKeysWithSequencesExpanded)
{
    ExpectImport("sxhkdrc",
                 {
                     {C | A | 'T', "x-terminal-emulator", ""},
                     {C | A | 'E', "emacsclient", "-c -a \"\""},
                     {C | A | 'W', "firefox", "--new-window https://example.org/"},
                     {A | F(2), "rofi", "-show run"},
                     {VkSnapshot, "/bin/sh", "-c 'maim ~/Pictures/screenshot-$(date +%s).png'"},
                     {S | VkSnapshot, "/bin/sh", "-c 'maim -s | xclip -selection clipboard -t image/png'"},
                     {VkVolumeUp, "pactl", "set-sink-volume @DEFAULT_SINK@ +5%"},
                     {VkVolumeDown, "pactl", "set-sink-volume @DEFAULT_SINK@ -5%"},
                     {VkVolumeMute, "pactl", "set-sink-mute @DEFAULT_SINK@ toggle"},
                     {VkMediaPlayPause, "playerctl", "play-pause"},
                     {VkMediaNextTrack, "playerctl", "next"},
                     {VkMediaPrevTrack, "playerctl", "previous"},
                     {C | A | (VkNumpad0 + 1), "wmctrl", "-s 0"},
                     {C | A | (VkNumpad0 + 2), "wmctrl", "-s 1"},
                     {C | A | (VkNumpad0 + 3), "wmctrl", "-s 2"},
                     {C | VkAdd, "notify-send", "\"bigger\""},
                     {C | S | VkAdd, "notify-send", "\"much bigger\""},
                     {C | A | 'L', "slock", ""},
                     {C | A | VkDelete, "/bin/sh", "-c 'systemctl suspend && slock'"},
                     {A | S | VkOemComma, "xdotool", "key --clearmodifiers Left"},
                     {A | S | VkOemPeriod, "xdotool", "key --clearmodifiers Right"},
                     {C | A | VkOem4, "/bin/sh", "-c 'echo \"$HOME\" > /tmp/home.txt'"},
                     {C | A | F(1), "notify-send", "\"console 1\""},
                     {C | A | F(2), "notify-send", "\"console 2\""},
                     {C | A | 'K', "notify-send", "\"split over two lines\" \t    'and the command too'"},
                 },
                 {
                     {36, "XF86MonBrightnessUp has no key code"},
                     {59, "modifier super is none"},
                     {63, "chord chain"},
                     {66, "key release (@)"},
                     {69, "(~)"},
                     {72, "pointer button"},
                     {75, "modifier hyper is none"},
                     {81, "bound already, in line 4"},
                 });
}

TEST(PeerImport, XbindkeysBindingsBecomeHotKeys)
{
    ExpectImport("xbindkeysrc",
                 {
                     {C | A | 'T', "xterm", ""},
                     {C | A | 'G', "gimp", ""},
                     {VkLaunchMail, "thunderbird", ""},
                     {VkLaunchApp2, "gnome-calculator", ""},
                     {A | 'D', "/bin/sh", "-c 'xdg-open ~/Documents'"},
                     {VkLaunchApp1, "nautilus", "--new-window"},
                     {VkVolumeUp, "amixer", "-q set Master 2dB+ unmute"},
                     {VkVolumeDown, "amixer", "-q set Master 2dB- unmute"},
                     {VkVolumeMute, "amixer", "-q set Master toggle"},
                     {VkMediaPlayPause, "mpc", "toggle"},
                     {VkMediaStop, "mpc", "stop"},
                     {VkMediaNextTrack, "mpc", "next"},
                     {VkMediaPrevTrack, "mpc", "prev"},
                     {VkBrowserSearch, "/bin/sh", "-c 'firefox --search \"$(xsel -o)\"'"},
                     {VkBrowserBack, "xdotool", "key --clearmodifiers alt+Left"},
                     {VkBrowserForward, "xdotool", "key --clearmodifiers alt+Right"},
                     {C | S | (VkNumpad0 + 1), "setxkbmap", "-layout us"},
                     {C | A | VkMultiply, "xrandr", "--output HDMI-1 --auto --right-of eDP-1"},
                     {C | A | VkDivide, "sh", "-c 'xrandr --output HDMI-1 --off'"},
                     {C | S | 'Q', "xbindkeys_show", ""},
                     {C | A | F(12), "/bin/sh", "-c 'echo '\\''done'\\'' >> ~/xbindkeys.log'"},
                     {VkSnapshot, "scrot", ""},
                     {A | VkSnapshot, "scrot", "-u"},
                     {C | A | VkOemMinus, "xdotool", "type 'Kind regards'"},
                 },
                 {
                     {65, "bound already, in line 62"},
                     {78, "modifier Mod2 is none"},
                     {81, "raw keycode (c:41)"},
                     {84, "pointer button"},
                     {87, "key release"},
                     {90, "pointer button"},
                     {93, "modifier Mod4 is none"},
                     {108, "XF86AudioMicMute has no key code"},
                     {111, "has no keys"},
                 });
}

TEST(PeerImport, EveryGuileBindingIsSkipped)
{
    ExpectImport("xbindkeysrc.scm", {}, {{2, "Guile"}, {3, "Guile"}, {7, "Guile"}});
}

TEST(PeerImport, MalformedAndOversizedBindingsAreSkipped)
{
    const std::string endless = "ctrl + {a,b}{a,b}{a,b}{a,b}{a,b}{a,b}{a,b}{a,b}{a,b}{a,b}{a,b}\n  true\n";
    const std::pair<std::string, const char*> cases[] = {
        {endless, "more than 1000"},
        {"ctrl + {a,b\n  true\n", "not closed"},
        {"ctrl + {a,b}\n  {x,y,z}\n", "give 2 hotkeys, the command's 3"},
        {std::string("ctrl + a\n  tr\0ue\n", 17), "zero character"},
        {"ctrl + a\n  ;\n", "command is empty"},
        {"ctrl + a\nctrl + b\n  true\n", "has no command"},
        {"ctrl + shift\n  true\n", "no key besides"},
        {"a + b\n  true\n", "two keys"},
    };
    for (const auto& [config, reason] : cases) {
        const TImportedHotKeys imported = ImportBindings(ReadSxhkdConfig(config));
        ASSERT_FALSE(imported.Skipped.empty()) << config;
        EXPECT_NE(imported.Skipped[0].Reason.find(reason), std::string::npos) << imported.Skipped[0].Reason;
    }
}

// What tvotool import writes is a hotkey file that dump reads and whose
// commands run, in the shell or directly; skipped bindings are reported one
// a line and set the exit status.
TEST(TvoTool, ImportWritesHotKeysThatRunAndReportsWhatItSkipped)
{
    TempDir dir;
    const std::string marker = dir.File("marker");
    const std::string config =
        "ctrl + alt + {a,b}\n    {touch,echo it\\'s >} '" + marker + "'\nsuper + c\n    touch never\n";
    WriteTextFile(dir.File("sxhkdrc"), config);
    const auto run = RunTool({"import", "sxhkd", dir.File("sxhkdrc"), dir.File("keys.tvo")}, dir);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "tvotool: " + dir.File("sxhkdrc")
                  + ":3: skipped \"super + c\": the modifier super is none of Shift, Ctrl and Alt, the only "
                    "ones of a Tarvo combination\n");
    const auto dump = RunTool({"dump", dir.File("keys.tvo")}, dir);
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_NE(dump.out.find("\"shortcut\": \"Strg+Alt+B\""), std::string::npos) << dump.out;

    for (const std::string& name : {"touch '" + marker + "'", "echo it\\'s > '" + marker + "'"}) {
        std::filesystem::remove(marker);
        const auto exec = RunTool({"exec", dir.File("keys.tvo"), name}, dir);
        EXPECT_EQ(exec.status, 0) << exec.err;
        EXPECT_TRUE(testsupport::WaitFor([&] { return std::filesystem::exists(marker); })) << name;
    }
    EXPECT_EQ(ReadTextFile(marker), "it's\n");

    // A file in Windows-1252 reads as such.
    WriteTextFile(dir.File("xbindkeysrc"), "\"xterm -T caf\xe9\"\n  control + F1\n");
    const auto json = RunTool({"import", dir.File("xbindkeysrc"), dir.File("keys.json")}, dir);
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_NE(ReadTextFile(dir.File("keys.json")).find("\"parameters\": \"-T café\""), std::string::npos);
}
