#include "platform/locale.h"

#include <windows.h>

#include "platform/win32/widetext.h"

namespace tarvo::platform {

// The user's locale in the form of the other systems ("de_DE" for "de-DE").
std::string MessagesLocale()
{
    wchar_t name[LOCALE_NAME_MAX_LENGTH];
    const int length = ::GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
    std::string locale = win32::Utf8(std::wstring_view(name, length > 0 ? static_cast<size_t>(length - 1) : 0));
    for (char& c : locale)
        if (c == '-')
            c = '_';
    return locale;
}

} // namespace tarvo::platform
