// Hotkeys through the desktop portal's global shortcuts, against the portal
// front end and the desktop back end of mockportal.py, which with-portal
// starts on a private session bus.
#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/hotkeyregistrar.h"
#include "hotkeys/hotkeyfile.h"
#include "platform/fake/fakeservices.h"
#include "platform/portal/portalhotkeys.h"
#include "platform/portal/portaltriggers.h"
#include "platform/virtualkeys.h"
#include "platform/windowsystemservices.h"
#include "support/eventloop.h"
#include "support/hotkeydocument.h"
#include "support/testsupport.h"

using namespace tarvo;
using testsupport::Until;

namespace tarvo {
void PrintTo(const THotKeyRefusal& refusal, std::ostream* out)
{
    *out << RefusalText(refusal, LanguageEnglish);
}
} // namespace tarvo
using platform::THotKeyCombination;
using platform::THotKeyResult;
using Refusals = std::map<int32_t, THotKeyRefusal>;
using Strings = std::vector<std::string>;

namespace {

constexpr TShortCut CtrlAltE = ShortCutCtrl | ShortCutAlt | 'E';
constexpr TShortCut CtrlAltR = ShortCutCtrl | ShortCutAlt | 'R';

// A call of the back end's control object.
QDBusMessage Control(const char* method, const QList<QVariant>& arguments = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.impl.portal.desktop.tarvotest",
                                                       "/org/tarvo/test", "org.tarvo.test.PortalControl", method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call);
}

// The shortcuts of each BindShortcuts call the desktop got, as
// "id:preferred trigger:description".
std::vector<Strings> BindCalls()
{
    std::vector<Strings> calls;
    const QDBusArgument reply = Control("BindCalls").arguments().value(0).value<QDBusArgument>();
    for (const QStringList& call : qdbus_cast<QList<QStringList>>(reply)) {
        calls.emplace_back();
        for (const QString& shortcut : call)
            calls.back().push_back(shortcut.toStdString());
    }
    return calls;
}

void SetTrigger(const char* shortcutId, const char* trigger)
{
    Control("SetTrigger", {QString(shortcutId), QString(trigger)});
}

TEST(PortalTriggers, CombinationsInThePortalSyntax)
{
    using namespace platform;
    const struct {
        THotKeyCombination Combination;
        std::optional<std::string> Trigger;
    } cases[] = {
        {{'E', HotKeyModControl | HotKeyModAlt}, "CTRL+ALT+E"},
        {{'7', HotKeyModShift | HotKeyModAlt}, "ALT+SHIFT+7"},
        {{VkF1 + 4, HotKeyModShift}, "SHIFT+F5"},
        {{VkNumpad0 + 3, 0}, "KP_3"},
        {{VkOem4, HotKeyModControl}, "CTRL+bracketleft"},
        {{VkMediaPlayPause, 0}, "XF86AudioPlay"},
        {{0xFF, HotKeyModControl}, std::nullopt},
        {{0, HotKeyModControl}, std::nullopt},
    };
    for (const auto& [combination, trigger] : cases)
        EXPECT_EQ(portal::PortalTrigger(combination), trigger) << combination.VirtualKey;

    EXPECT_TRUE(portal::SameTrigger("Ctrl+Alt+E", "CTRL+ALT+E"));
    EXPECT_TRUE(portal::SameTrigger("Alt + Control + e", "CTRL+ALT+E")) << "the desktop's order and spelling";
    EXPECT_TRUE(portal::SameTrigger("Meta+E", "LOGO+E"));
    EXPECT_FALSE(portal::SameTrigger("Ctrl+E", "CTRL+ALT+E"));
}

TEST(PortalSessionToken, TheSameForAFileAndDifferentForAnother)
{
    using platform::portal::SessionToken;
    EXPECT_EQ(SessionToken(""), "tarvo");
    const QString token = SessionToken("/home/ann/.config/tarvo/Key-List.TVO");
    EXPECT_TRUE(token.startsWith("tarvo_KeyList_")) << token.toStdString();
    EXPECT_EQ(token.size(), QString("tarvo_KeyList_").size() + 8);
    EXPECT_EQ(SessionToken("/home/ann/.config/tarvo/Key-List.TVO"), token);
    EXPECT_NE(SessionToken("/home/bob/.config/tarvo/Key-List.TVO"), token);
    EXPECT_TRUE(SessionToken("/tmp/Über Tasten.tvo").startsWith("tarvo_berTasten_")) << "letters and digits of ASCII";
}

TEST(PortalChoice, WaylandSessionsUseThePortalAndEitherBackendCanBeForced)
{
    const struct {
        std::map<std::string, std::string> Variables;
        std::string HotKeys; // empty: nothing reached
    } cases[] = {
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, "the desktop portal's global shortcuts"},
        {{{"XDG_SESSION_TYPE", "wayland"}}, "the desktop portal's global shortcuts"},
        {{{"TARVO_HOTKEYS", "portal"}}, "the desktop portal's global shortcuts"},
        {{{"XDG_SESSION_TYPE", "wayland"}, {"TARVO_HOTKEYS", "x11"}}, ""},
        {{}, ""},
    };
    for (const auto& [variables, hotkeys] : cases) {
        platform::TScopedFakeServices fakes;
        fakes.Environment.Variables = variables;
        fakes.Environment.Variables["DISPLAY"] = ""; // no X server: window search is headless
        const platform::TWindowSystemChoice choice = platform::InstallWindowSystemServices(platform::Services());
        EXPECT_EQ(choice.Reached, !hotkeys.empty());
        EXPECT_EQ(choice.HotKeys, hotkeys.empty() ? "none" : hotkeys);
        EXPECT_EQ(choice.WindowSearch, "none");
        EXPECT_EQ(platform::Services().HotKeys->Available(), !hotkeys.empty());
    }
}

// A document of "Edit" (ID 0, Ctrl+Alt+E), "Run" (ID 1, Ctrl+Alt+R) and
// "None" (ID 2, no key), each opening "run-" + its name, registered with the
// portal's service.
class PortalHotKeysTest : public testing::Test {
protected:
    PortalHotKeysTest()
    {
        Control("Reset");
        for (auto [name, key] :
             {std::pair{"Edit", CtrlAltE}, std::pair{"Run", CtrlAltR}, std::pair{"None", TShortCut{0}}})
            AddHotKey(name, key);
        registrar_.OnRegistrationChanged = [this](const THotTarvo& hotkey) { changed_.push_back(hotkey.Name); };
    }

    THotTarvo& AddHotKey(const std::string& name, TShortCut key)
    {
        return testsupport::AddHotKey(document_, name, key);
    }
    // Writes the document, with "Edit" touching Marker(), into a file; its name.
    std::string WriteDocumentTouchingMarker()
    {
        THotKeyCommand& touch = document_.HotKey(0).Command(0);
        touch.FileName = "touch";
        touch.Parameters = "'" + Marker() + "'";
        WriteHotKeyDocument(document_, dir_.File("keys.tvo"));
        return dir_.File("keys.tvo");
    }
    std::string Marker() const { return dir_.File("pressed marker"); }

    // The names of the hotkeys that ran since the last call.
    Strings TakeRuns()
    {
        Strings runs;
        for (const auto& launch : fakes_.Launcher.Launches)
            runs.push_back(launch.File.substr(4));
        fakes_.Launcher.Launches.clear();
        return runs;
    }
    // Activates the shortcut at the desktop until the hotkey runs, since the
    // desktop may still be binding.
    bool RunsWhenActivated(const char* shortcutId, const std::string& name)
    {
        return Until([&] {
            const Strings runs = TakeRuns();
            if (std::ranges::find(runs, name) != runs.end())
                return true;
            Control("Activate", {QString(shortcutId)});
            return false;
        });
    }
    static bool BoundAtTheDesktop(const char* shortcutId)
    {
        return Control("Activate", {QString(shortcutId)}).arguments().value(0).toBool();
    }

    testsupport::TempDir dir_;
    platform::TScopedFakeServices fakes_;
    THotKeyFile document_;
    TTrayMenuList menu_;
    platform::portal::TPortalHotKeys service_{QDBusConnection::sessionBus()};
    THotKeyRegistrar registrar_{service_, menu_, [this]() -> THotKeyFile& { return document_; }};
    Strings changed_;
};

const Strings BothShortcuts{"THotTarvo0:CTRL+ALT+E:Edit", "THotTarvo1:CTRL+ALT+R:Run"};

TEST_F(PortalHotKeysTest, TheDocumentIsBoundInOneCallAndAnActivationRunsTheHotKey)
{
    registrar_.RegisterAllHotKeys();
    ASSERT_TRUE(Until([] { return !BindCalls().empty(); }));
    EXPECT_EQ(BindCalls(), std::vector<Strings>{BothShortcuts}) << "a hotkey without a key is not offered";

    Control("Activate", {QString("THotTarvo1")});
    ASSERT_TRUE(Until([&] { return !fakes_.Launcher.Launches.empty(); }));
    EXPECT_EQ(TakeRuns(), Strings{"Run"});
    EXPECT_TRUE(registrar_.RefusedHotKeys().empty());
}

TEST_F(PortalHotKeysTest, TheDesktopsChoicesAreReportedAsRefusals)
{
    SetTrigger("THotTarvo1", ""); // the desktop leaves it unbound
    registrar_.RegisterAllHotKeys();
    ASSERT_TRUE(Until([&] { return !changed_.empty(); }));
    EXPECT_EQ(registrar_.RefusedHotKeys(), (Refusals{{1, {THotKeyResult::NotBound}}}));

    SetTrigger("THotTarvo0", "Ctrl+Alt+E"); // the same keys in the desktop's words
    SetTrigger("THotTarvo0", "Logo+E");
    ASSERT_TRUE(Until([&] { return registrar_.RefusedHotKeys().size() == 2; }));
    EXPECT_EQ(registrar_.RefusedHotKeys(),
              (Refusals{{0, {THotKeyResult::BoundElsewhere, "Logo+E"}}, {1, {THotKeyResult::NotBound}}}));
    EXPECT_EQ(RefusalText(registrar_.RefusedHotKeys().at(0), LanguageEnglish), "bound by the desktop to Logo+E");

    SetTrigger("THotTarvo0", "CTRL+ALT+E");
    ASSERT_TRUE(Until([&] { return registrar_.RefusedHotKeys().size() == 1; }));
    EXPECT_EQ(changed_, (Strings{"Run", "Edit", "Edit"})) << "told once per change";
}

TEST_F(PortalHotKeysTest, AClosedSessionRefusesEverythingUntilTheNextChangeRebindsInOneCall)
{
    registrar_.RegisterAllHotKeys();
    ASSERT_TRUE(Until([] { return BindCalls().size() == 1; }));

    Control("CloseSessions");
    ASSERT_TRUE(Until([&] { return registrar_.RefusedHotKeys().size() == 2; }));
    EXPECT_EQ(registrar_.RefusedHotKeys(),
              (Refusals{{0, {THotKeyResult::SessionClosed}}, {1, {THotKeyResult::SessionClosed}}}));

    // A reload of the file and a new hotkey, in one pass of the event loop.
    registrar_.UnregisterAllHotKeys();
    registrar_.RegisterAllHotKeys();
    registrar_.ActivateHotKey(AddHotKey("New", ShortCutShift | platform::VkF1));
    ASSERT_TRUE(Until([] { return BindCalls().size() == 2; }));
    ASSERT_TRUE(Until([&] { return registrar_.RefusedHotKeys().empty(); }));
    Strings all = BothShortcuts;
    all.push_back("THotTarvo3:SHIFT+F1:New");
    EXPECT_EQ(BindCalls().back(), all);

    Control("Activate", {QString("THotTarvo3")});
    ASSERT_TRUE(Until([&] { return !fakes_.Launcher.Launches.empty(); }));
    EXPECT_EQ(TakeRuns(), Strings{"New"});
    EXPECT_EQ(BindCalls().size(), 2u) << "nothing bound twice";
}

// KDE Plasma 5.27 binds the shortcuts of CreateSession's options and opens
// its settings on BindShortcuts. The session's token is the same each time,
// so that the desktop keeps its user's choices; a change closes the session
// before the next one takes the token.
TEST_F(PortalHotKeysTest, ADesktopThatBindsAtCreationKeepsTheRemainingHotKeysAcrossChanges)
{
    Control("BindAtCreation");
    registrar_.RegisterAllHotKeys();
    EXPECT_TRUE(RunsWhenActivated("THotTarvo1", "Run"));

    registrar_.DeactivateHotKey(document_.HotKey(0));
    registrar_.ActivateHotKey(AddHotKey("New", ShortCutShift | platform::VkF1));
    EXPECT_TRUE(RunsWhenActivated("THotTarvo3", "New"));
    EXPECT_TRUE(BoundAtTheDesktop("THotTarvo1"));
    EXPECT_FALSE(BoundAtTheDesktop("THotTarvo0")) << "the deleted one is unbound";

    EXPECT_TRUE(BindCalls().empty()) << "the desktop's settings are not opened";
    const QStringList sessions = Control("Sessions").arguments().value(0).toStringList();
    ASSERT_EQ(sessions.size(), 1);
    EXPECT_TRUE(sessions[0].endsWith("/tarvo")) << sessions[0].toStdString();
    EXPECT_TRUE(registrar_.RefusedHotKeys().empty());
}

TEST_F(PortalHotKeysTest, TvotoolListensThroughThePortal)
{
    SetTrigger("THotTarvo1", "");
    const std::string file = WriteDocumentTouchingMarker();

    QProcess tool;
    tool.start(TVOTOOL_PATH, {"listen", QString::fromStdString(file)});
    ASSERT_TRUE(Until([&] { return tool.readAllStandardOutput().contains("listening for 3 hotkeys"); }));
    ASSERT_TRUE(Until([] { return !BindCalls().empty(); }));
    Control("Activate", {QString("THotTarvo0")});
    EXPECT_TRUE(Until([&] { return std::filesystem::exists(Marker()); }));
    tool.terminate();
    ASSERT_TRUE(tool.waitForFinished(20000));
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_EQ(tool.readAllStandardError().toStdString(),
              "tvotool: hotkey \"Run\" (Strg+Alt+R) is not registered: not bound by the desktop\n");
}

// The program, minimised to its tray icon, which the desktop shows as a
// StatusNotifierItem with the icon's menu drawn by the desktop.
TEST_F(PortalHotKeysTest, TheProgramRunsHotKeysFromThePortalAndFromTheDesktopsTrayMenu)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "the program needs an X server: run under scripts/with-xvfb";
    document_.MinimizeAtStart = true;
    const std::string file = WriteDocumentTouchingMarker();

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    program.setProcessEnvironment(environment);
    program.start(TARVO_PATH, {QString::fromStdString(file)});
    ASSERT_TRUE(Until([] { return !BindCalls().empty(); })) << program.readAllStandardError().toStdString();
    Control("Activate", {QString("THotTarvo0")});
    EXPECT_TRUE(Until([&] { return std::filesystem::exists(Marker()); }));

    std::filesystem::remove(Marker());
    EXPECT_TRUE(Until([] {
        const QDBusMessage clicked = Control("ClickTrayEntry", {QString("Edit")});
        return clicked.type() == QDBusMessage::ReplyMessage && clicked.arguments().value(0).toBool();
    }));
    EXPECT_TRUE(Until([&] { return std::filesystem::exists(Marker()); }));
    program.terminate();
    EXPECT_TRUE(program.waitForFinished(20000));
}

} // namespace
