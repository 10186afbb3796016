// The key field of the hotkey definition dialog against a real X server:
// keys typed by a second client through XTest reach the field as Qt key
// events of the xcb platform, with XKB keycodes and the server's modifier
// and NumLock state.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <cstdlib>
#include <memory>

#include "dialogs/dialogstestsupport.h"
#include "dialogs/tformhotkeydefine.h"
#include "platform/fake/fakeservices.h"
#include "x11/testkeyboard.h"

using namespace tarvo;
using tarvo::testsupport::TLockOn;
using tarvo::testsupport::TTestKeyboard;

namespace {

class KeyCaptureTest : public testing::Test {
protected:
    // Qt on the X server of DISPLAY; made here rather than in main so that
    // listing the tests at build time needs no X server.
    static void SetUpTestSuite()
    {
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        static int argc = 1;
        static char name[] = "keycapture_tests";
        static char* argv[] = {name, nullptr};
        application_ = std::make_unique<QApplication>(argc, argv);
        isolation_ = std::make_unique<platform::TScopedFakeServices>();
        testsupport::InitDialogModules();
    }
    static void TearDownTestSuite()
    {
        isolation_.reset();
        application_.reset();
    }

    static inline std::unique_ptr<QApplication> application_;
    static inline std::unique_ptr<platform::TScopedFakeServices> isolation_;
};

TEST_F(KeyCaptureTest, KeysTypedOnTheKeyboardBecomeTheirCombinations)
{
    TTestKeyboard keyboard;
    const xcb_keycode_t keypad5 = keyboard.Keycode(XK_KP_5); // KP_Begin with NumLock off
    const struct {
        xcb_keycode_t key;
        std::initializer_list<xcb_keysym_t> modifiers;
        bool numLock;
        const char* text;
        TShortCut expected;
    } cases[] = {
        {keyboard.Keycode(XK_k), {XK_Shift_L, XK_Control_L}, false, "Umsch+Strg+K", 0x604B},
        {keyboard.Keycode(XK_5), {}, false, "5", 0x35},
        {keypad5, {}, true, "5", 0x65},
        {keypad5, {}, false, "5", 0x65},
        {keyboard.Keycode(XK_F12), {XK_Shift_L}, false, "Umsch+F12", 0x207B},
    };
    for (const auto& c : cases) {
        const auto numLock = c.numLock ? std::make_unique<TLockOn>(keyboard, XK_Num_Lock) : nullptr;
        THotTarvo hotKey;
        hotKey.Name = "Editor";
        TFormHotKeyDefine form;
        form.SetHotKey(hotKey);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.TxtKey->setFocus();
        keyboard.Type(c.key, c.modifiers);
        EXPECT_TRUE(QTest::qWaitFor([&] { return form.focusWidget() == form.LBCommands; })) << c.text;
        EXPECT_EQ(form.LabInfo->text().toStdString(), c.text);
        form.BtnOK->click();
        EXPECT_EQ(hotKey.HotKey, c.expected) << c.text;
    }
}

} // namespace
