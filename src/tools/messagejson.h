#pragma once
// Message files as JSON, for the tvotool command-line tool.

#include <string>

#include "persist/identified.h"

namespace tarvo {

// The messages (a TIDList of TAppMessage) as an indented JSON list of
// {id, name, caption, text, style, remark} (UTF-8).
std::string MessagesToJson(const TIDList& messages);

} // namespace tarvo
