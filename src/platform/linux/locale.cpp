#include "platform/locale.h"

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

} // namespace tarvo::platform
