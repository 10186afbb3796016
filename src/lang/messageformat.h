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
// argument in order:
//   %s  the argument: a string as it is, a number in decimal;
//   %d  the argument: a number in decimal, a string as it is;
//   %%  a single "%".
// A directive for which no argument is left stays in the text as written,
// so that the gap shows. A "%" before any other character, or at the end,
// is copied as it is. Arguments left over are ignored.
std::string FormatMessageText(std::string_view text, const TMessageArgs& args);

} // namespace tarvo
