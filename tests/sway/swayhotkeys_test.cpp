// Hotkeys through sway's IPC: the binding syntax and the reading of a user's
// config, and, on the headless sway that with-sway starts, key presses sent
// through wtype that run hotkeys in the process and in tvotool listen.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "app/hotkeyregistrar.h"
#include "hotkeys/hotkeyfile.h"
#include "platform/fake/fakeservices.h"
#include "platform/sway/swaybindings.h"
#include "platform/sway/swayconnection.h"
#include "platform/sway/swayhotkeys.h"
#include "platform/virtualkeys.h"
#include "platform/windowsystemservices.h"
#include "support/eventloop.h"
#include "support/hotkeydocument.h"
#include "support/testsupport.h"

using namespace tarvo;
using namespace tarvo::platform;
using sway::TSwayBinding;
using testsupport::Until;

namespace {

TEST(SwayBindings, KeysByCharacterAreKeysymsKeysByPositionAreCodes)
{
    const struct {
        THotKeyCombination Combination;
        std::optional<TSwayBinding> Binding;
    } cases[] = {
        {{'E', HotKeyModControl | HotKeyModAlt}, TSwayBinding{"bindsym", "Ctrl+Mod1+e"}},
        {{VkF1 + 4, HotKeyModShift}, TSwayBinding{"bindsym", "Shift+F5"}},
        {{VkNumpad0 + 3, 0}, TSwayBinding{"bindcode", "89"}},              // with NumLock on and off
        {{VkOem1, HotKeyModControl}, TSwayBinding{"bindcode", "Ctrl+47"}}, // ; on a US keyboard
        {{0xFF, HotKeyModControl}, std::nullopt},
        {{0, HotKeyModControl}, std::nullopt},
    };
    for (const auto& [combination, binding] : cases) {
        const auto spelled = [](const std::optional<TSwayBinding>& made) {
            return made ? made->Kind + " " + made->Keys : "";
        };
        EXPECT_EQ(spelled(sway::SwayBinding(combination)), spelled(binding)) << combination.VirtualKey;
    }

    const std::set<TSwayBinding> config = sway::ConfigBindings(R"(
set $mod Mod4
set $modkey $mod+Shift
bindsym $mod+Return exec foot   # a comment
bindsym --release $mod+x exec grab
bindcode --to-code Control+Alt+38 exec one
bindsym $modkey+q kill
mode "resize" {
    bindsym Left resize shrink width 10px
}
bindsym {
    Super+F1 exec help
}
)");
    EXPECT_EQ(config,
              (std::set<TSwayBinding>{{"bindsym", "Mod4+Return"},
                                      {"bindcode", "Mod1+Ctrl+38"},
                                      {"bindsym", "Shift+super+Q"},
                                      {"bindsym", "mod4+F1"}}))
        << "variables put in, any spelling; no release or mode bindings";
}

TEST(SwayChoice, SwaysSocketServesTheHotKeysWhereItIsSet)
{
    const std::string socket = std::getenv("SWAYSOCK") ? std::getenv("SWAYSOCK") : "";
    if (socket.empty())
        GTEST_SKIP() << "no sway: " << std::getenv("TARVO_NO_SWAY");
    const struct {
        std::map<std::string, std::string> Variables;
        std::string HotKeys; // empty: nothing reached
    } cases[] = {
        {{{"SWAYSOCK", socket}, {"WAYLAND_DISPLAY", "wayland-1"}}, "sway's key bindings (SWAYSOCK=" + socket + ")"},
        {{{"SWAYSOCK", socket}, {"TARVO_HOTKEYS", "x11"}}, ""},
        {{{"SWAYSOCK", "/nonexistent"}, {"TARVO_HOTKEYS", "sway"}}, ""},
        {{{"TARVO_HOTKEYS", "sway"}}, ""},
    };
    for (const auto& [variables, hotkeys] : cases) {
        TScopedFakeServices fakes;
        fakes.Environment.Variables = variables;
        fakes.Environment.Variables["DISPLAY"] = ""; // no X server
        const TWindowSystemChoice choice = InstallWindowSystemServices(Services());
        EXPECT_EQ(choice.HotKeys, hotkeys.empty() ? "none" : hotkeys);
        EXPECT_EQ(Services().HotKeys->Available(), !hotkeys.empty());
        WithdrawWindowSystemServices(Services());
    }
}

// Sway and the tools answer at once; the generous waits are for a loaded
// machine.
constexpr int Patience = 30000;

void PressCtrlAlt(const char* key)
{
    ASSERT_EQ(QProcess::execute(std::getenv("TARVO_SWAY_PRESS"),
                                {"-M", "ctrl", "-M", "alt", "-k", key, "-m", "alt", "-m", "ctrl"}),
              0);
}

class SwayTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (const char* problem = std::getenv("TARVO_NO_SWAY"))
            GTEST_SKIP() << "no sway could be started here: " << problem;
    }

    // Ctrl+Alt+key, running program with its marker file.
    THotTarvo& AddHotKey(const std::string& name, char key, const std::string& program = "")
    {
        return testsupport::AddHotKey(document_, name, ShortCutCtrl | ShortCutAlt | key, program,
                                      "'" + Marker(name) + "'");
    }
    std::string Marker(const std::string& name) const { return dir_.File(name + " pressed"); }

    testsupport::TempDir dir_;
    THotKeyFile document_;
};

TEST_F(SwayTest, APressRunsTheHotKeyInTheProcessAndChangesRebind)
{
    TScopedFakeServices fakes;
    TTrayMenuList menu;
    sway::TSwayHotKeys service{std::getenv("SWAYSOCK"), [] {}};
    THotKeyRegistrar registrar{service, menu, [this]() -> THotKeyFile& { return document_; }};
    AddHotKey("Edit", 'E');
    AddHotKey("Run", 'R');
    AddHotKey("Mine", 'U'); // the user's config binds Ctrl+Alt+U
    const auto ran = [&](const std::string& name) {
        return std::ranges::count(fakes.Launcher.Launches, "run-" + name, &TFakeLauncher::TLaunch::File);
    };
    registrar.RegisterAllHotKeys();
    EXPECT_EQ(registrar.RefusedHotKeys(), (std::map<int32_t, THotKeyRefusal>{{2, {THotKeyResult::Taken}}}));
    PressCtrlAlt("e");
    EXPECT_TRUE(Until([&] { return ran("Edit") == 1; }, Patience));

    registrar.DeactivateHotKey(document_.HotKey(0));
    document_.HotKeyList->AtFree(0);
    registrar.ActivateHotKey(AddHotKey("New", 'N'));
    PressCtrlAlt("e");
    PressCtrlAlt("n");
    PressCtrlAlt("r");
    EXPECT_TRUE(Until([&] { return ran("Run") == 1; }, Patience));
    EXPECT_EQ(ran("New"), 1);
    EXPECT_EQ(ran("Edit"), 1) << "the deleted hotkey's binding is gone";

    // A reload of sway's config drops the bindings made at run time; the
    // service makes them anew once it hears of it.
    sway::TSwayConnection{std::getenv("SWAYSOCK")}.Request(sway::SwayRunCommand, "reload");
    EXPECT_TRUE(Until(
        [&] {
            PressCtrlAlt("r");
            return Until([&] { return ran("Run") > 1; }, 300);
        },
        Patience));
    EXPECT_EQ(registrar.RefusedHotKeys().size(), 1u) << "the user's binding is still the user's";
}

TEST_F(SwayTest, TvotoolRunsAHotKeyAndLeavesNoBindingWhenItEnds)
{
    AddHotKey("Edit", 'E', "touch");
    WriteHotKeyDocument(document_, dir_.File("keys.tvo"));
    QProcess tool;
    tool.start(TVOTOOL_PATH, {"listen", QString::fromStdString(dir_.File("keys.tvo"))});
    ASSERT_TRUE(Until([&] { return tool.readAllStandardOutput().contains("listening"); }, Patience));
    PressCtrlAlt("e");
    EXPECT_TRUE(Until([&] { return std::filesystem::exists(Marker("Edit")); }, Patience));
    tool.terminate(); // SIGTERM
    ASSERT_TRUE(tool.waitForFinished(Patience));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();

    // Sway reports bindings in the order of the presses: once the sentinel's
    // press is reported, Ctrl+Alt+E's would have been.
    sway::TSwayConnection commands{std::getenv("SWAYSOCK")}, events{std::getenv("SWAYSOCK")};
    events.Request(sway::SwaySubscribe, R"(["binding"])");
    commands.Request(sway::SwayRunCommand, "bindsym Ctrl+Mod1+z nop sentinel");
    PressCtrlAlt("e");
    PressCtrlAlt("z");
    QByteArray reported;
    while (!reported.contains("sentinel")) {
        const std::optional<sway::TSwayMessage> event = events.Read(Patience);
        ASSERT_TRUE(event) << "no binding event";
        reported += event->Payload;
    }
    commands.Request(sway::SwayRunCommand, "unbindsym Ctrl+Mod1+z");
    EXPECT_FALSE(reported.contains("tarvo")) << reported.toStdString();
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication application(argc, argv);
    InitHotKeyFileClasses();
    return RUN_ALL_TESTS();
}
