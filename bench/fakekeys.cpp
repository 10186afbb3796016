// Presses keys on a KWin Wayland compositor as a keyboard would, through its
// fake input protocol (org_kde_kwin_fake_input, which KWin offers to any
// client when KWIN_WAYLAND_NO_PERMISSION_CHECKS=1): the keys go through
// KWin's input handling like real ones, global shortcuts included.
//
// Usage: fakekeys CODE...      Linux input key codes (linux/input-event-codes.h),
//                              pressed in order and released in reverse order
//        fakekeys --lines FILE each line of FILE (a FIFO, say) is such a list of
//                              codes, pressed as soon as it is read
// Exits 1 when the compositor (WAYLAND_DISPLAY) or its fake input cannot be
// reached. The tests and the latency benchmark use it.
#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fake-input-client-protocol.h"

namespace {

constexpr uint32_t FakeInputKeyboardVersion = 4;

void Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= FakeInputKeyboardVersion)
        *static_cast<org_kde_kwin_fake_input**>(data) = static_cast<org_kde_kwin_fake_input*>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, FakeInputKeyboardVersion));
}

void GlobalRemove(void*, wl_registry*, uint32_t) { }

// Presses the keys and waits until the compositor has them; whether it has.
bool Press(wl_display* display, org_kde_kwin_fake_input* input, const std::vector<uint32_t>& keys)
{
    for (uint32_t key : keys)
        org_kde_kwin_fake_input_keyboard_key(input, key, WL_KEYBOARD_KEY_STATE_PRESSED);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        org_kde_kwin_fake_input_keyboard_key(input, *key, WL_KEYBOARD_KEY_STATE_RELEASED);
    return wl_display_roundtrip(display) >= 0;
}

std::vector<uint32_t> Codes(std::istream& text)
{
    std::vector<uint32_t> keys;
    for (uint32_t key = 0; text >> key;)
        keys.push_back(key);
    return keys;
}

} // namespace

int main(int argc, char** argv)
{
    const bool lines = argc == 3 && std::strcmp(argv[1], "--lines") == 0;
    std::string arguments;
    for (int i = 1; i < argc && !lines; ++i)
        arguments += std::string(argv[i]) + " ";
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "fakekeys: no Wayland compositor can be reached\n");
        return 1;
    }
    org_kde_kwin_fake_input* input = nullptr;
    const wl_registry_listener listener{&Global, &GlobalRemove};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &input);
    wl_display_roundtrip(display);
    if (input == nullptr) {
        std::fprintf(stderr, "fakekeys: the compositor offers no fake keyboard input\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(input, "fakekeys", "test key presses");
    bool delivered = true;
    if (lines) {
        std::ifstream file(argv[2]);
        for (std::string line; delivered && std::getline(file, line);) {
            std::istringstream codes(line);
            delivered = Press(display, input, Codes(codes));
        }
    } else {
        std::istringstream codes(arguments);
        delivered = Press(display, input, Codes(codes));
    }
    org_kde_kwin_fake_input_destroy(input);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return delivered ? 0 : 1;
}
