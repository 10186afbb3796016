#pragma once
// The user's language as the desktop session sets it.

#include <string>

namespace tarvo::platform {

// The locale of messages, as "de_DE.UTF-8"; empty when none is set.
std::string MessagesLocale();

// Whether the user reads German: the messages locale's language is "de".
bool UserLanguageIsGerman();

} // namespace tarvo::platform
