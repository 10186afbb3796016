#pragma once
// Hotkey documents as JSON, for the tvotool command-line tool.

#include <memory>
#include <string>

#include "hotkeys/hotkeyfile.h"
#include "persist/errors.h"

namespace tarvo {

// JSON that does not describe a hotkey document.
class EHotKeyJsonError : public ETarvoError {
public:
    using ETarvoError::ETarvoError;
};

// The document as indented JSON (UTF-8).
std::string HotKeyDocumentToJson(const THotKeyFile& document);

// The document described by the JSON. Missing fields take the default of a
// new record; records without an "id" are numbered by their list.
std::unique_ptr<THotKeyFile> HotKeyDocumentFromJson(const std::string& json);

} // namespace tarvo
