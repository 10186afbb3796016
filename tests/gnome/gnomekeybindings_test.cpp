// Hotkeys as GNOME custom keybindings, written with the real schemas to
// GSettings' keyfile back end in a private config directory: what is
// written, that a change and the end remove the program's entries, that the
// user's entries stay and leftovers of an ended copy go. with-bus gives the
// tests a session bus of their own, where no desktop portal answers.
#include <gtest/gtest.h>

#include <gio/gio.h>
#include <stdlib.h>

#include <QCoreApplication>
#include <QProcess>

#include <filesystem>
#include <map>
#include <utility>
#include <string>
#include <vector>

#include "app/hotkeyregistrar.h"
#include "hotkeys/hotkeyfile.h"
#include "platform/fake/fakeservices.h"
#include "platform/gnome/gnomekeybindings.h"
#include "platform/virtualkeys.h"
#include "platform/windowsystemservices.h"
#include "support/eventloop.h"
#include "support/hotkeydocument.h"
#include "support/testsupport.h"

using namespace tarvo;
using namespace tarvo::platform;
using Strings = std::vector<std::string>;

namespace {

const std::string Directory = "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/";
const std::string Own = Directory + "tarvo-" + std::to_string(::getpid()) + "-";
std::string configHome; // set by main

// The stored value of a key, as another process reads the file.
std::string Stored(const std::string& path, const char* key)
{
    GKeyFile* file = g_key_file_new();
    const std::string name = configHome + "/glib-2.0/settings/keyfile";
    g_key_file_load_from_file(file, name.c_str(), G_KEY_FILE_NONE, nullptr);
    const std::string group = path.substr(1, path.size() - 2);
    gchar* value = g_key_file_get_value(file, group.c_str(), key, nullptr);
    std::string text = value ? value : "";
    g_free(value);
    g_key_file_free(file);
    return text;
}
std::string StoredList()
{
    return Stored("/org/gnome/settings-daemon/plugins/media-keys/", "custom-keybindings");
}

void WriteEntry(const std::string& path, const char* binding)
{
    GSettings* entry =
        g_settings_new_with_path("org.gnome.settings-daemon.plugins.media-keys.custom-keybinding", path.c_str());
    g_settings_set_string(entry, "binding", binding);
    g_settings_set_string(entry, "command", "their-command");
    g_object_unref(entry);
}

void WriteList(const Strings& paths)
{
    std::vector<const gchar*> list;
    for (const std::string& path : paths)
        list.push_back(path.c_str());
    list.push_back(nullptr);
    GSettings* settings = g_settings_new("org.gnome.settings-daemon.plugins.media-keys");
    g_settings_set_strv(settings, "custom-keybindings", list.data());
    g_object_unref(settings);
    g_settings_sync();
}

class GnomeKeybindingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!gnome::GnomeOffersCustomKeybindings())
            GTEST_SKIP() << "GNOME's keybinding schemas are not installed (scripts/setup installs them)";
        // The user's entry, one a copy that ended left (no process has the
        // id), and one of a copy that runs (init).
        WriteEntry(Directory + "custom0/", "<Alt><Primary>U");
        WriteEntry(Directory + "tarvo-999999999-THotTarvo7/", "<Control><Alt>e");
        WriteEntry(Directory + "tarvo-1-THotTarvo3/", "<Control><Alt>3");
        WriteList(
            {Directory + "custom0/", Directory + "tarvo-999999999-THotTarvo7/", Directory + "tarvo-1-THotTarvo3/"});
    }
    void TearDown() override { std::filesystem::remove_all(configHome + "/glib-2.0"); }

    // Ctrl+Alt+key, running program with its marker file.
    THotTarvo& AddHotKey(const std::string& name, char key, const std::string& program = "")
    {
        return testsupport::AddHotKey(document_, name, ShortCutCtrl | ShortCutAlt | key, program,
                                      "'" + dir_.File(name + " pressed") + "'");
    }

    testsupport::TempDir dir_;
    THotKeyFile document_;
    const std::string others_ = "['" + Directory + "custom0/', '" + Directory + "tarvo-1-THotTarvo3/'";
};

TEST(GnomeAccelerator, ModifiersInAnglesKeysByTheirKeysymNames)
{
    EXPECT_EQ(gnome::GnomeAccelerator({'E', HotKeyModControl | HotKeyModAlt}), "<Control><Alt>e");
    EXPECT_EQ(gnome::GnomeAccelerator({VkF1 + 4, HotKeyModShift}), "<Shift>F5");
    EXPECT_EQ(gnome::GnomeAccelerator({VkOem1, HotKeyModAlt}), "<Alt>semicolon");
    EXPECT_EQ(gnome::GnomeAccelerator({0, HotKeyModAlt}), std::nullopt);
}

TEST(GnomeChoice, GnomeWaylandSessionsWithoutThePortalUseTheKeybindings)
{
    if (!gnome::GnomeOffersCustomKeybindings())
        GTEST_SKIP() << "GNOME's keybinding schemas are not installed";
    const struct {
        std::map<std::string, std::string> Variables;
        std::string HotKeys;
    } cases[] = {
        {{{"XDG_SESSION_TYPE", "wayland"}, {"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"}}, "GNOME's custom keybindings"},
        {{{"TARVO_HOTKEYS", "gnome"}}, "GNOME's custom keybindings"},
        {{{"XDG_SESSION_TYPE", "x11"}, {"XDG_CURRENT_DESKTOP", "GNOME"}}, "none"}, // X11 grabs, had it an X server
        {{{"XDG_SESSION_TYPE", "wayland"}, {"XDG_CURRENT_DESKTOP", "KDE"}}, "none"},
    };
    for (const auto& [variables, hotkeys] : cases) {
        TScopedFakeServices fakes;
        fakes.Environment.Variables = variables;
        fakes.Environment.Variables["DISPLAY"] = "";
        EXPECT_EQ(InstallWindowSystemServices(Services()).HotKeys, hotkeys);
        WithdrawWindowSystemServices(Services());
    }
}

TEST_F(GnomeKeybindingsTest, EntriesAreWrittenRewrittenOnAChangeAndRemovedAtTheEnd)
{
    TScopedFakeServices fakes;
    TTrayMenuList menu;
    {
        auto service = std::make_unique<gnome::TGnomeHotKeys>();
        EXPECT_EQ(StoredList(), others_ + "]") << "the ended copy's entry is removed, the others are kept";
        EXPECT_EQ(Stored(Directory + "tarvo-999999999-THotTarvo7/", "binding"), "");
        THotKeyRegistrar registrar{*service, menu, [this]() -> THotKeyFile& { return document_; }};
        registrar.OutsideCommand = [](const THotTarvo& hotkey) {
            return Strings{"/opt/my tarvo", "--run", std::to_string(hotkey.ID)};
        };
        AddHotKey("Edit", 'E');
        AddHotKey("Mine", 'U');
        registrar.RegisterAllHotKeys();
        EXPECT_EQ(registrar.RefusedHotKeys(), (std::map<int32_t, THotKeyRefusal>{{1, {THotKeyResult::Taken}}}))
            << "the user's entry binds Ctrl+Alt+U, in other words";
        EXPECT_EQ(StoredList(), others_ + ", '" + Own + "THotTarvo0/']");
        EXPECT_EQ(Stored(Own + "THotTarvo0/", "binding"), "'<Control><Alt>e'");
        EXPECT_EQ(Stored(Own + "THotTarvo0/", "command"), R"("'/opt/my tarvo' '--run' '0'")");
        EXPECT_EQ(Stored(Own + "THotTarvo0/", "name"), "'Tarvo: Edit'");

        registrar.DeactivateHotKey(document_.HotKey(0));
        registrar.ActivateHotKey(AddHotKey("New", 'N'));
        EXPECT_EQ(StoredList(), others_ + ", '" + Own + "THotTarvo2/']");
        EXPECT_EQ(Stored(Own + "THotTarvo0/", "binding"), "");
        registrar.UnregisterAllHotKeys();
        registrar.RegisterAllHotKeys();
    }
    EXPECT_EQ(StoredList(), others_ + "]");
    EXPECT_EQ(Stored(Own + "THotTarvo2/", "binding"), "");
    EXPECT_EQ(Stored(Directory + "custom0/", "binding"), "'<Alt><Primary>U'");
}

// The command of each entry, run as the desktop runs it on a press, reaches
// the running program: tvotool listen, and the program through its interface
// on the session bus.
TEST_F(GnomeKeybindingsTest, TheEntriesOfTvotoolAndTheProgramRunTheHotKeyAndGoWhenTheyEnd)
{
    document_.MinimizeAtStart = true;
    AddHotKey("Edit", 'E', "touch");
    const QString file = QString::fromStdString(dir_.File("keys.tvo"));
    WriteHotKeyDocument(document_, file.toStdString());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TARVO_HOTKEYS", "gnome");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    const std::pair<const char*, QStringList> programs[] = {{TVOTOOL_PATH, {"listen", file}}, {TARVO_PATH, {file}}};
    for (const auto& [program, arguments] : programs) {
        QProcess running;
        running.setProcessEnvironment(environment);
        running.start(program, arguments);
        const std::string own = Directory + "tarvo-" + std::to_string(running.processId()) + "-THotTarvo0/";
        ASSERT_TRUE(testsupport::Until([&] { return StoredList() == others_ + ", '" + own + "']"; }, 30000))
            << program << ": " << running.readAllStandardError().toStdString();

        // What the desktop does on a press: the command, split by shell rules.
        GVariant* value =
            g_variant_parse(G_VARIANT_TYPE_STRING, Stored(own, "command").c_str(), nullptr, nullptr, nullptr);
        ASSERT_TRUE(value);
        gchar** argv = nullptr;
        ASSERT_TRUE(g_shell_parse_argv(g_variant_get_string(value, nullptr), nullptr, &argv, nullptr));
        QStringList command;
        for (gchar** argument = argv + 1; *argument; ++argument)
            command << *argument;
        std::filesystem::remove(dir_.File("Edit pressed"));
        EXPECT_EQ(QProcess::execute(argv[0], command), 0) << program;
        EXPECT_TRUE(testsupport::Until([&] { return std::filesystem::exists(dir_.File("Edit pressed")); }, 30000))
            << program;
        g_strfreev(argv);
        g_variant_unref(value);

        running.terminate();
        ASSERT_TRUE(running.waitForFinished(30000));
        EXPECT_EQ(StoredList(), others_ + "]") << program;
    }
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Before GSettings is first used: the keyfile back end in a private
    // directory, which the tool started by the tests inherits.
    testsupport::TempDir config;
    configHome = config.Path().string();
    setenv("GSETTINGS_BACKEND", "keyfile", 1);
    setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
    QCoreApplication application(argc, argv);
    InitHotKeyFileClasses();
    return RUN_ALL_TESTS();
}
