#pragma once
// The text format of a root key's file: the registry editor's export format,
// in UTF-8.
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Quenbar]
//   @="default value"
//   "Text"="C:\\Pfad \"mit\" Anführung"
//   "Number"=dword:0000002a
//   "Path"=hex(2):25,00,48,00,00,00
//   "Bytes"=hex:01,ff
//
// A string value is written as quoted text, "\" and '"' escaped by a "\".
// A string that the quoted form cannot hold (one with a zero character or a
// line break) is written as hex(1), and an expandable string always as
// hex(2), both as UTF-16LE with a terminating zero as the editor writes them;
// the terminator is dropped again when reading. A four-byte REG_DWORD is
// written as dword, binary data as hex, every other type as hex(type) with
// its bytes as they are. Lines are written whole; when reading, a hex list
// may go on over lines that end in "\", as the editor wraps them.
//
// Reading never fails: a line that cannot be parsed is skipped, and so are
// the values below a section that cannot be parsed or belongs to another
// root key.

#include <optional>
#include <string>
#include <string_view>

#include "platform/registrytree.h"

namespace tarvo::platform {

// The keys of the file text that lie below the root key of this name.
TRegistryTree ParseRegistryFile(std::string_view text, std::string_view rootName);

// The file text of the tree; nullopt when a key or value name holds a line
// break, which the format cannot hold.
std::optional<std::string> FormatRegistryFile(const TRegistryTree& tree, std::string_view rootName);

} // namespace tarvo::platform
