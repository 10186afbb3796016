// Hotkeys through the desktop portal on a real KDE Plasma desktop, which
// with-kde starts headless: key presses go through KWin's input handling
// (its fake input, driven by fakekeys) to kglobalaccel, the portal's KDE
// back end and the portal, as a user's would.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QProcessEnvironment>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/hotkeyregistrar.h"
#include "hotkeys/hotkeyfile.h"
#include "platform/fake/fakeservices.h"
#include "platform/portal/portalhotkeys.h"
#include "platform/virtualkeys.h"
#include "support/eventloop.h"
#include "support/hotkeydocument.h"
#include "support/testsupport.h"

using namespace tarvo;
using testsupport::Until;
using Keys = std::vector<int>;

namespace {

const Keys CtrlAltE{KEY_LEFTCTRL, KEY_LEFTALT, KEY_E};
const Keys CtrlAltR{KEY_LEFTCTRL, KEY_LEFTALT, KEY_R};
const Keys CtrlAltN{KEY_LEFTCTRL, KEY_LEFTALT, KEY_N};
const Keys MetaE{KEY_LEFTMETA, KEY_E};
// Binding goes through the desktop's own services: each wait is generous.
constexpr int Patience = 30000;

void Press(const Keys& keys)
{
    QStringList codes;
    for (int key : keys)
        codes << QString::number(key);
    ASSERT_EQ(QProcess::execute(FAKEKEYS_PATH, codes), 0);
}

// Presses the keys until done holds, as the desktop may still be binding.
bool PressUntil(const Keys& keys, const std::function<bool()>& done)
{
    return Until(
        [&] {
            if (done())
                return true;
            Press(keys);
            return Until(done, 300);
        },
        Patience);
}

class KdeDesktopTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (const char* problem = std::getenv("TARVO_NO_KDE"))
            GTEST_SKIP() << "no KDE desktop could be started here: " << problem;
    }

    // With a program, the hotkey runs it with its marker file.
    THotTarvo& AddHotKey(const std::string& name, TShortCut key, const std::string& program = "")
    {
        return testsupport::AddHotKey(document_, name, key, program, program.empty() ? "" : "'" + Marker(name) + "'");
    }
    std::string Marker(const std::string& name) const { return dir_.File(name + " pressed"); }
    bool Touched(const std::string& name) const { return std::filesystem::exists(Marker(name)); }

    testsupport::TempDir dir_;
    THotKeyFile document_;
};

TEST_F(KdeDesktopTest, TheRemainingHotKeysFireAfterADeleteAndANew)
{
    platform::TScopedFakeServices fakes;
    TTrayMenuList menu;
    platform::portal::TPortalHotKeys service{QDBusConnection::sessionBus()};
    THotKeyRegistrar registrar{service, menu, [this]() -> THotKeyFile& { return document_; }};
    AddHotKey("Edit", ShortCutCtrl | ShortCutAlt | 'E');
    AddHotKey("Run", ShortCutCtrl | ShortCutAlt | 'R');
    const auto ran = [&](const std::string& name) {
        return std::ranges::any_of(fakes.Launcher.Launches,
                                   [&](const auto& launch) { return launch.File == "run-" + name; });
    };
    registrar.RegisterAllHotKeys();
    ASSERT_TRUE(PressUntil(CtrlAltE, [&] { return ran("Edit"); }));

    registrar.DeactivateHotKey(document_.HotKey(0));
    registrar.ActivateHotKey(AddHotKey("New", ShortCutCtrl | ShortCutAlt | 'N'));
    EXPECT_TRUE(PressUntil(CtrlAltN, [&] { return ran("New"); }));
    fakes.Launcher.Launches.clear();
    Press(CtrlAltE);
    EXPECT_TRUE(PressUntil(CtrlAltR, [&] { return ran("Run"); }));
    EXPECT_FALSE(ran("Edit")) << "the deleted hotkey's keys are free";
    EXPECT_TRUE(registrar.RefusedHotKeys().empty());
}

// A rebinding in the desktop's settings is reported, and the desktop keeps
// it when the program starts again.
TEST_F(KdeDesktopTest, TvotoolRunsHotKeysOnKeyPressesAndTheDesktopKeepsItsBindingAcrossARestart)
{
    AddHotKey("Edit", ShortCutCtrl | ShortCutAlt | 'E', "touch");
    WriteHotKeyDocument(document_, dir_.File("keys.tvo"));
    const auto listen = [&](QProcess& tool) {
        tool.start(TVOTOOL_PATH, {"listen", QString::fromStdString(dir_.File("keys.tvo"))});
        return Until([&] { return tool.readAllStandardOutput().contains("listening"); }, Patience);
    };

    QProcess tool;
    ASSERT_TRUE(listen(tool));
    EXPECT_TRUE(PressUntil(CtrlAltE, [&] { return Touched("Edit"); }));

    // The user binds Meta+E in the desktop's settings (kglobalaccel's keys
    // are Qt key codes: Meta | E).
    QDBusMessage rebind = QDBusMessage::createMethodCall("org.kde.kglobalaccel", "/kglobalaccel",
                                                         "org.kde.KGlobalAccel", "setForeignShortcut");
    const QString component =
        platform::portal::SessionToken(std::filesystem::weakly_canonical(dir_.File("keys.tvo")).string());
    rebind << QStringList{component, "THotTarvo0", component, "Edit"}
           << QVariant::fromValue(QList<int>{0x10000000 | 'E'});
    ASSERT_EQ(QDBusConnection::sessionBus().call(rebind).type(), QDBusMessage::ReplyMessage);
    QString errors;
    EXPECT_TRUE(Until(
        [&] {
            errors += tool.readAllStandardError();
            return errors.contains("not registered: bound by the desktop to Meta+E");
        },
        Patience))
        << errors.toStdString();
    tool.terminate();
    ASSERT_TRUE(tool.waitForFinished(Patience));

    std::filesystem::remove(Marker("Edit"));
    QProcess restarted;
    ASSERT_TRUE(listen(restarted));
    EXPECT_TRUE(PressUntil(MetaE, [&] { return Touched("Edit"); }));
    restarted.terminate();
    ASSERT_TRUE(restarted.waitForFinished(Patience));
    EXPECT_TRUE(restarted.readAllStandardError().contains("bound by the desktop to Meta+E"));
}

// Two copies with different files, whose hotkeys share an ID, keep apart:
// each runs its own, and one that ends leaves the other's keys working.
TEST_F(KdeDesktopTest, TvotoolCopiesWithDifferentFilesKeepApart)
{
    AddHotKey("Edit", ShortCutCtrl | ShortCutAlt | 'E', "touch");
    WriteHotKeyDocument(document_, dir_.File("first.tvo"));
    document_.HotKeyList->AtDelete(0);
    document_.HotKeyList->LastID = TID::NoID; // "Other" gets the ID of "Edit"
    AddHotKey("Other", ShortCutCtrl | ShortCutAlt | 'O', "touch");
    WriteHotKeyDocument(document_, dir_.File("second.tvo"));
    QProcess first;
    QProcess second;
    for (auto [copy, file] : {std::pair{&first, "first.tvo"}, std::pair{&second, "second.tvo"}}) {
        copy->start(TVOTOOL_PATH, {"listen", QString::fromStdString(dir_.File(file))});
        ASSERT_TRUE(Until([&] { return copy->readAllStandardOutput().contains("listening"); }, Patience));
    }
    EXPECT_TRUE(PressUntil({KEY_LEFTCTRL, KEY_LEFTALT, KEY_O}, [&] { return Touched("Other"); }));
    std::filesystem::remove(Marker("Other"));
    EXPECT_TRUE(PressUntil(CtrlAltE, [&] { return Touched("Edit"); }));
    EXPECT_FALSE(Until([&] { return Touched("Other"); }, 1000)) << "Ctrl+Alt+E runs the first copy's hotkey only";

    second.terminate();
    ASSERT_TRUE(second.waitForFinished(Patience));
    std::filesystem::remove(Marker("Edit"));
    EXPECT_TRUE(PressUntil(CtrlAltE, [&] { return Touched("Edit"); }));
    first.terminate();
    ASSERT_TRUE(first.waitForFinished(Patience));
}

// The program, minimised to its tray: a key press, `tarvo --run` and a
// Reload through its interface on the bus; a second start with its file
// shows its window and ends.
TEST_F(KdeDesktopTest, TheProgramRunsHotKeysOnKeyPressesAndThroughItsInterface)
{
    document_.MinimizeAtStart = true;
    AddHotKey("Edit", ShortCutCtrl | ShortCutAlt | 'E', "touch");
    const QString file = QString::fromStdString(dir_.File("keys.tvo"));
    WriteHotKeyDocument(document_, file.toStdString());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    const auto tarvo = [&](const QStringList& arguments, int expectedStatus, const char* expectedError = "") {
        QProcess call;
        call.setProcessEnvironment(environment);
        call.setReadChannel(QProcess::StandardError);
        call.start(TARVO_PATH, arguments);
        EXPECT_TRUE(call.waitForFinished(Patience)) << arguments.join(' ').toStdString();
        EXPECT_EQ(call.exitCode(), expectedStatus) << arguments.join(' ').toStdString();
        // Only the first line: Qt's D-Bus thread may add warnings of its own
        // while the program ends.
        EXPECT_EQ(call.readLine(1000).toStdString(), expectedError);
    };

    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(TARVO_PATH, {file});
    ASSERT_TRUE(PressUntil(CtrlAltE, [&] { return Touched("Edit"); })) << program.readAllStandardError().toStdString();

    std::filesystem::remove(Marker("Edit"));
    tarvo({"--run", "Edit"}, 0);
    EXPECT_TRUE(Until([&] { return Touched("Edit"); }, Patience));
    tarvo({"--run", "Nothing"}, 1, "tarvo: no hotkey is named or has the ID \"Nothing\"\n");
    tarvo({file}, 0);
    EXPECT_EQ(program.state(), QProcess::Running) << "the first copy goes on";

    // Reload after the file changed: the new hotkey fires, the deleted one's keys are free.
    document_.HotKeyList->AtDelete(0);
    AddHotKey("Run", ShortCutCtrl | ShortCutAlt | 'R', "touch");
    WriteHotKeyDocument(document_, file.toStdString());
    QDBusMessage reload =
        QDBusMessage::createMethodCall("org.tarvo.Tarvo", "/org/tarvo/Tarvo", "org.tarvo.Tarvo", "Reload");
    ASSERT_EQ(QDBusConnection::sessionBus().call(reload).type(), QDBusMessage::ReplyMessage);
    std::filesystem::remove(Marker("Edit"));
    Press(CtrlAltE);
    EXPECT_TRUE(PressUntil(CtrlAltR, [&] { return Touched("Run"); }));
    EXPECT_FALSE(Touched("Edit"));
    std::filesystem::remove(Marker("Run"));
    tarvo({"--run", "1"}, 0); // by its ID
    EXPECT_TRUE(Until([&] { return Touched("Run"); }, Patience));

    program.terminate();
    ASSERT_TRUE(program.waitForFinished(Patience));
    tarvo({"--run", "Run"}, 1, "tarvo: no Tarvo is running\n");
}

} // namespace
