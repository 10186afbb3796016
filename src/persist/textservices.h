#pragma once
// Text services: the encoding of stored texts, and the one place where texts
// are compared and upper-cased under the user's locale.
//
// In memory every text is UTF-8. Stored bytes are decoded once, where they
// are read, and encoded where they are written:
// - Decode: bytes that are valid UTF-8 are taken as they are; any other bytes
//   are Windows-1252, the ANSI code page in which the file formats keep their
//   texts. Its five unassigned bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for
//   the C1 controls of the same value, so that they survive a round trip.
// - Encode: Windows-1252, one byte per character, when every character has a
//   byte there, so that the files stay readable on Windows; UTF-8 otherwise,
//   so that no character is lost. When the Windows-1252 bytes would themselves
//   be valid UTF-8 with other characters (the bytes C3 BC of "Ã¼" read as
//   "ü"), UTF-8 is written as well.
// Hence Decode(Encode(text)) == text for every UTF-8 text, and
// Encode(Decode(bytes)) == bytes for all bytes that are not valid UTF-8, so a
// file written on Windows is written back byte for byte.

#include <string>
#include <string_view>

namespace tarvo::text {

// The UTF-8 text of stored bytes.
std::string Decode(std::string_view bytes);

// The bytes to store for a UTF-8 text. A text that is not valid UTF-8 is
// taken as Windows-1252 first, as Decode would.
std::string Encode(std::string_view text);

// -1, 0 or 1: a against b under the user's locale, case ignored.
int CompareIgnoreCase(std::string_view a, std::string_view b);

// The text in upper case under the user's locale.
std::string ToUpper(std::string_view text);

} // namespace tarvo::text
