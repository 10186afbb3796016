#pragma once
// Formatting of message texts with arguments, type-safe: the arguments are
// values that know their kind, so no directive can read anything but the
// argument it is given.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tarvo {

using TMessageArg = std::variant<std::string, int64_t>;
using TMessageArgs = std::vector<TMessageArg>;

// The text with its directives replaced, each directive taking the next
// argument in order. A directive is "%", an optional "-", an optional width,
// an optional "." with a precision, and a letter in either case:
//   %d  a number in decimal; the precision is the least number of digits,
//       filled with leading zeros after any sign;
//   %u  a number as unsigned decimal, %x as hexadecimal with upper-case
//       digits; a negative number is taken as the unsigned number of the
//       same bits, 32 of them when it fits in 32 (the system's integers),
//       otherwise 64; the precision as for %d;
//   %f  a number with as many decimals as the precision says, 2 without one
//       (the arguments are whole numbers, so the decimals are zeros);
//   %s  a string; the precision is the most characters shown;
//   %%  a single "%".
// The width is the least number of characters; the result is filled with
// spaces in front, or behind with "-". Widths and precisions count
// characters of UTF-8, not bytes.
// An argument of the other kind is shown in its own form: a number for %s
// as by %d, a string for %d, %u, %x or %f as it is, with the width but
// without the precision (a number of digits there).
// A directive for which no argument is left stays in the text as written,
// so that the gap shows. A "%" that starts no directive (another letter, a
// width or precision above 1000, the end of the text) is copied as it is.
// Arguments left over are ignored.
std::string FormatMessageText(std::string_view text, const TMessageArgs& args);

} // namespace tarvo
