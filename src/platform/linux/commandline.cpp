#include "platform/linux/commandline.h"

#include "platform/launcher.h"

namespace tarvo::platform {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

// Characters a backslash escapes inside double quotes; before any other it
// stands for itself.
bool EscapableInDoubleQuotes(char c)
{
    return c == '$' || c == '`' || c == '"' || c == '\\';
}

} // namespace

std::vector<std::string> SplitArguments(std::string_view text)
{
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false; // also true for an argument that is an empty pair of quotes
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsBlank(c)) {
            if (inArgument)
                arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
            continue;
        }
        inArgument = true;
        if (c == '\\' && i + 1 < text.size()) {
            current += text[++i];
        } else if (c == '\'') {
            const size_t close = text.find('\'', i + 1);
            if (close == std::string_view::npos)
                throw ELaunchError({"the parameters have a ' that is not closed",
                                    "die Parameter haben ein ', das nicht geschlossen wird"});
            current.append(text.substr(i + 1, close - i - 1));
            i = close;
        } else if (c == '"') {
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                if (text[i] == '\\' && i + 1 < text.size() && EscapableInDoubleQuotes(text[i + 1]))
                    ++i;
                current += text[i];
            }
            if (i == text.size())
                throw ELaunchError({"the parameters have a \" that is not closed",
                                    "die Parameter haben ein \", das nicht geschlossen wird"});
        } else {
            current += c;
        }
    }
    if (inArgument)
        arguments.push_back(std::move(current));
    return arguments;
}

} // namespace tarvo::platform
