#include "platform/locale.h"

#include <string_view>

#include "platform/services.h"

namespace tarvo::platform {

// The first of LC_ALL, LC_MESSAGES and LANG that is set and not empty, as
// the C library decides the language of its messages.
std::string MessagesLocale()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (auto value = Services().Environment->Get(name); value && !value->empty())
            return *value;
    return {};
}

bool UserLanguageIsGerman()
{
    const std::string locale = MessagesLocale();
    // "de", "de_AT.UTF-8", "de@euro"; not "dee" or the like.
    return locale.starts_with("de")
        && (locale.size() == 2 || std::string_view("_.@").find(locale[2]) != std::string_view::npos);
}

} // namespace tarvo::platform
