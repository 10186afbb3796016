// The X11 hotkey service against a real X server: key presses come from a
// second client through XTest.

#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <vector>

#include "platform/services.h"
#include "platform/x11/connection.h"
#include "platform/x11/x11hotkeys.h"
#include "x11/testkeyboard.h"

using namespace tarvo::platform;
using tarvo::platform::x11::TConnection;
using tarvo::platform::x11::TX11HotKeys;
using tarvo::testsupport::TLockOn;
using tarvo::testsupport::TRemapped;
using tarvo::testsupport::TTestKeyboard;

namespace {

constexpr uint8_t CtrlAlt = HotKeyModControl | HotKeyModAlt;
// Alt is Mod1 and NumLock Mod2 in the X server's default map.
constexpr uint16_t XCtrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
constexpr uint16_t XNumLock = XCB_MOD_MASK_2;

using Ids = std::vector<uint16_t>;

class TRecordingOwner : public IHotKeyOwner {
public:
    void HotKeyPressed(const THotKeyPress& press) override { Presses.push_back(press); }
    std::vector<THotKeyPress> Presses;
};

class X11HotKeysTest : public testing::Test {
protected:
    void SetUp() override
    {
        keyboard_ = std::make_unique<TTestKeyboard>();
        connection_ = TConnection::Open(Services().Environment->Get("DISPLAY").value_or(""));
        ASSERT_TRUE(connection_) << "cannot connect to the X server";
        hotkeys_ = std::make_unique<TX11HotKeys>(connection_);
    }

    THotKeyResult Register(uint16_t id, uint16_t virtualKey, uint8_t modifiers, IHotKeyOwner* owner = nullptr)
    {
        return hotkeys_->Register(owner ? *owner : owner_, id, {virtualKey, modifiers}, {});
    }
    xcb_keycode_t Key(xcb_keysym_t keysym) const { return keyboard_->Keycode(keysym); }
    void TypeCtrlAlt(xcb_keysym_t keysym) { keyboard_->Type(Key(keysym), {XK_Control_L, XK_Alt_L}); }

    // The ids of the presses delivered since the last call, after every
    // event the server has sent is handled.
    Ids Pressed()
    {
        std::free(xcb_get_input_focus_reply(connection_->Xcb(), xcb_get_input_focus(connection_->Xcb()), nullptr));
        connection_->DispatchPendingEvents();
        Ids ids;
        for (const THotKeyPress& press : owner_.Presses) {
            EXPECT_NE(press.Time, 0u) << "a press carries the server's time";
            ids.push_back(press.Id);
        }
        owner_.Presses.clear();
        return ids;
    }

    std::unique_ptr<TTestKeyboard> keyboard_;
    std::shared_ptr<TConnection> connection_;
    TRecordingOwner owner_;
    std::unique_ptr<TX11HotKeys> hotkeys_;
};

TEST_F(X11HotKeysTest, PressReachesTheOwnerOfTheCombinationOnly)
{
    TRecordingOwner other;
    ASSERT_EQ(Register(7, 'E', CtrlAlt), THotKeyResult::Registered);
    ASSERT_EQ(Register(7, 'R', CtrlAlt, &other), THotKeyResult::Registered) << "ids of owners are independent";
    EXPECT_EQ(Register(8, 'E', CtrlAlt), THotKeyResult::Taken);
    EXPECT_EQ(Register(9, 'E', CtrlAlt, &other), THotKeyResult::Taken);
    TypeCtrlAlt(XK_e);
    keyboard_->Type(Key(XK_e), {XK_Control_L});
    keyboard_->Type(Key(XK_e), {XK_Control_L, XK_Alt_L, XK_Shift_L});
    EXPECT_EQ(Pressed(), Ids{7});
    EXPECT_TRUE(other.Presses.empty());
}

TEST_F(X11HotKeysTest, KeysFireWhateverLocksAreOn)
{
    const struct {
        uint16_t virtualKey;
        xcb_keysym_t keysym;
    } keys[] = {
        {'E', XK_e},          {0x61, XK_KP_1}, // keypad 1: KP_End with NumLock off
        {0x0D, XK_KP_Enter},                   // Enter is the main key's and the keypad's
        {0xBA, XK_semicolon},                  // found by its position
        {0x24, XK_Home},
    };
    for (size_t i = 0; i < std::size(keys); ++i)
        ASSERT_EQ(Register(static_cast<uint16_t>(i + 1), keys[i].virtualKey, CtrlAlt), THotKeyResult::Registered);
    const std::vector<std::vector<xcb_keysym_t>> lockStates = {
        {}, {XK_Num_Lock}, {XK_Caps_Lock}, {XK_Num_Lock, XK_Caps_Lock}};
    for (const auto& locks : lockStates) {
        std::vector<std::unique_ptr<TLockOn>> on;
        for (xcb_keysym_t lock : locks)
            on.push_back(std::make_unique<TLockOn>(*keyboard_, lock));
        for (size_t i = 0; i < std::size(keys); ++i) {
            TypeCtrlAlt(keys[i].keysym);
            EXPECT_EQ(Pressed(), Ids{static_cast<uint16_t>(i + 1)})
                << "key " << i << " with " << locks.size() << " locks";
        }
    }
}

TEST_F(X11HotKeysTest, CombinationThatAnotherClientHoldsIsRefusedAsAWhole)
{
    // The other client holds the plain combination, or only its NumLock variant.
    for (uint16_t heldModifiers : {XCtrlAlt, static_cast<uint16_t>(XCtrlAlt | XNumLock)}) {
        {
            TTestKeyboard other;
            ASSERT_TRUE(other.Hold(Key(XK_e), heldModifiers));
            EXPECT_EQ(Register(1, 'E', CtrlAlt), THotKeyResult::Taken);
            TypeCtrlAlt(XK_e);
            EXPECT_TRUE(Pressed().empty());
        }
        EXPECT_TRUE(keyboard_->IsFree(Key(XK_e), XCtrlAlt)) << "variants grabbed before the refusal are released";
    }
}

TEST_F(X11HotKeysTest, ReRegisteringAnIdReplacesItsCombination)
{
    ASSERT_EQ(Register(1, 'E', CtrlAlt), THotKeyResult::Registered);
    ASSERT_EQ(Register(1, 'R', CtrlAlt), THotKeyResult::Registered);
    TypeCtrlAlt(XK_e);
    EXPECT_TRUE(Pressed().empty());
    TypeCtrlAlt(XK_r);
    EXPECT_EQ(Pressed(), Ids{1});
    EXPECT_TRUE(keyboard_->IsFree(Key(XK_e), XCtrlAlt));
}

TEST_F(X11HotKeysTest, WithdrawingFreesTheCombinationForOtherClients)
{
    const std::function<void()> withdrawals[] = {
        [&] { hotkeys_->Unregister(owner_, 1); },
        [&] { hotkeys_->UnregisterAll(owner_); },
        [&] { hotkeys_.reset(); },
    };
    for (const auto& withdraw : withdrawals) {
        hotkeys_ = std::make_unique<TX11HotKeys>(connection_);
        ASSERT_EQ(Register(1, 'E', CtrlAlt), THotKeyResult::Registered);
        EXPECT_FALSE(keyboard_->IsFree(Key(XK_e), XCtrlAlt | XNumLock));
        withdraw();
        EXPECT_TRUE(keyboard_->IsFree(Key(XK_e), XCtrlAlt | XNumLock));
    }
}

TEST_F(X11HotKeysTest, MappingChangeGrabsAgain)
{
    // The server's keyboard has no F13 until a keycode is given that keysym.
    ASSERT_EQ(Register(1, 0x7C, HotKeyModControl), THotKeyResult::Registered);
    const xcb_keycode_t keycode = keyboard_->UnusedKeycode();
    {
        TRemapped f13(*keyboard_, keycode, XK_F13);
        Pressed();
        keyboard_->Type(keycode, {XK_Control_L});
        EXPECT_EQ(Pressed(), Ids{1});
    }
    Pressed();
    EXPECT_TRUE(keyboard_->IsFree(keycode, XCB_MOD_MASK_CONTROL)) << "the keycode lost F13, so it is released";
}

TEST_F(X11HotKeysTest, KeysThatCannotBePressed)
{
    EXPECT_EQ(Register(1, 0xFF, 0), THotKeyResult::UnknownKey);
    EXPECT_EQ(Register(2, 0, 0), THotKeyResult::Registered);
    EXPECT_EQ(Register(3, 0, 0), THotKeyResult::Registered) << "no key is a combination nobody holds";
}

} // namespace
