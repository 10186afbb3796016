#pragma once
// X keysym names, as other hotkey programs' configurations and the desktops'
// keyboard settings spell keys, read as the virtual-key codes of Tarvo's
// combinations.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "hotkeys/shortcut.h"

namespace tarvo::tools {

// The virtual key of the keysym name ("e", "F5", "KP_Add", "Return",
// "XF86AudioMute"), ignoring case; nullopt for a keysym that stands for no
// key of the vocabulary (a shifted character, a modifier key, a key without
// a virtual-key code).
std::optional<uint16_t> VirtualKeyOfKeysymName(std::string_view name);

// The combination of keys written as "+"-separated modifier and keysym names
// ("ctrl + alt + t", "Mod1+KP_Add"), or why they make none: a modifier other
// than Shift, Ctrl and Alt, no key or two keys, a key without a virtual-key
// code.
std::variant<TShortCut, std::string> KeysCombination(std::string_view keys);

// The same for GTK's accelerator syntax ("<Primary><Alt>t", "<Shift>KP_Add",
// "XF86AudioMute"), in which the desktops' keyboard settings keep their
// shortcuts; "disabled" and "" make none.
std::variant<TShortCut, std::string> AcceleratorCombination(std::string_view accelerator);

} // namespace tarvo::tools
