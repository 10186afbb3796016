#include "platform/locale.h"

#include <string_view>

namespace tarvo::platform {

bool UserLanguageIsGerman()
{
    const std::string locale = MessagesLocale();
    // "de", "de_AT.UTF-8", "de@euro"; not "dee" or the like.
    return locale.starts_with("de")
        && (locale.size() == 2 || std::string_view("_.@").find(locale[2]) != std::string_view::npos);
}

} // namespace tarvo::platform
