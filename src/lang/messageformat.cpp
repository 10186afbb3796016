#include "lang/messageformat.h"

namespace tarvo {

namespace {

std::string ArgumentText(const TMessageArg& argument)
{
    if (const auto* number = std::get_if<int64_t>(&argument))
        return std::to_string(*number);
    return std::get<std::string>(argument);
}

} // namespace

std::string FormatMessageText(std::string_view text, const TMessageArgs& args)
{
    std::string result;
    size_t nextArgument = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char directive = i + 1 < text.size() && text[i] == '%' ? text[i + 1] : '\0';
        if (directive == '%') {
            result += '%';
            ++i;
        } else if (directive == 's' || directive == 'd') {
            if (nextArgument < args.size())
                result += ArgumentText(args[nextArgument++]);
            else
                result.append(text.substr(i, 2));
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

} // namespace tarvo
