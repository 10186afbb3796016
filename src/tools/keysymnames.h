#pragma once
// X keysym names, as other hotkey programs' configurations spell keys, read
// as the virtual-key codes of Tarvo's combinations.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarvo::tools {

// The virtual key of the keysym name ("e", "F5", "KP_Add", "Return",
// "XF86AudioMute"), ignoring case; nullopt for a keysym that stands for no
// key of the vocabulary (a shifted character, a modifier key, a key without
// a virtual-key code).
std::optional<uint16_t> VirtualKeyOfKeysymName(std::string_view name);

} // namespace tarvo::tools
