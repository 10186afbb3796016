#pragma once
// Turning the bindings of other hotkey programs into a hotkey document.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hotkeys/hotkeyfile.h"
#include "tools/peerconfig.h"

namespace tarvo::tools {

// A binding that did not become a hotkey, and why.
struct TSkippedBinding {
    int Line = 0;
    std::string Binding; // its keys as written, or its command when it has no keys
    std::string Reason;
};

struct TImportedHotKeys {
    std::unique_ptr<THotKeyFile> Document;
    std::vector<TSkippedBinding> Skipped;
};

// One hotkey per binding, in their order, named after its command (blanks
// collapsed). The keys map onto Shift, Ctrl and Alt and a key of the
// virtual-key vocabulary; other modifiers, keys without a virtual-key code
// and a combination an earlier binding holds are skipped, as are bindings
// with a problem. A command that needs a shell (pipes, lists, variables,
// redirections, globs, quotes in its program name) runs as
// /bin/sh -c 'COMMAND'; a plain one runs its first word with the rest as
// parameters. A trailing "&" is dropped: Tarvo never waits for a command.
TImportedHotKeys ImportBindings(const std::vector<TPeerBinding>& bindings);

// The hotkeys of the bytes of a configuration file: decoded as every
// outside text (text::Decode: UTF-8, else Windows-1252), read in the format
// given or, without one, in the format DetectPeerFormat recognises.
TImportedHotKeys ImportConfiguration(std::string_view fileName, std::string_view bytes,
                                     std::optional<TPeerFormat> format);

} // namespace tarvo::tools
