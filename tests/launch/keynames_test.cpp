// Names of the punctuation keys from the keyboard layout of the X server.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "hotkeys/shortcut.h"
#include "platform/services.h"
#include "platform/x11/connection.h"
#include "platform/x11/keynames.h"
#include "xdesktop.h"

using namespace tarvo;
using platform::x11::TConnection;
using platform::x11::TX11KeyNames;

namespace {

// Changes the server's layout; the others tests run in the US one.
class KeyboardLayout {
public:
    explicit KeyboardLayout(const char* layout)
    {
        if (std::system((std::string("setxkbmap ") + layout).c_str()) != 0)
            throw std::runtime_error(std::string("setxkbmap cannot switch to ") + layout);
    }
    ~KeyboardLayout()
    {
        // Nothing more to do when the layout cannot be put back; the next
        // test of the layout would show it.
        [[maybe_unused]] const int ignored = std::system("setxkbmap us");
    }
};

TEST(X11KeyNames, PunctuationKeysAreNamedAfterTheCharacterOfTheLayout)
{
    const std::shared_ptr<TConnection> connection =
        TConnection::Open(platform::Services().Environment->Get("DISPLAY").value_or(""));
    ASSERT_TRUE(connection) << "no X server: run the launch tests under scripts/with-xvfb";
    const TX11KeyNames names(connection);
    EXPECT_EQ(names.KeyName(0xBA), ";"); // VK_OEM_1
    EXPECT_EQ(names.KeyName(0xDE), "'"); // VK_OEM_7
    EXPECT_EQ(names.KeyName(0x6A), "*"); // keypad *
    EXPECT_EQ(names.KeyName(0x13), "");  // Pause types no character
    EXPECT_EQ(ShortcutText(ShortCutCtrl | 0xBA), "Strg+;") << "the installed service names keys";

    const KeyboardLayout german("de");
    EXPECT_TRUE(launchtest::WaitFor([&] {
        connection->DispatchPendingEvents(); // the layout change drops the cached keymap
        return names.KeyName(0xBA) == "Ö";
    }));
    EXPECT_EQ(names.KeyName(0xDB), "Ü"); // VK_OEM_4, where US keyboards have [
}

} // namespace
