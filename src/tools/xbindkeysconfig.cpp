// Reading xbindkeys configurations (see peerconfig.h).

#include <optional>

#include "tools/configtext.h"
#include "tools/peerconfig.h"

namespace tarvo::tools {

namespace {

// Why xbindkeys' keys cannot become a hotkey of Tarvo; empty when they can.
std::string KeysProblem(std::string_view keys)
{
    for (std::string_view part : KeyParts(keys)) {
        if (EqualIgnoringCase(part, "release"))
            return "runs on key release, but Tarvo hotkeys run when the keys are pressed";
        if (StartsWithIgnoringCase(part, "b:"))
            return "a pointer button cannot be part of a Tarvo hotkey";
        if (StartsWithIgnoringCase(part, "c:"))
            return "a raw keycode (" + std::string(part) + ") names a key of one keyboard, not a key name";
        if (StartsWithIgnoringCase(part, "m:"))
            return "a modifier mask (" + std::string(part) + ") names no modifier keys";
    }
    return {};
}

// A Guile configuration is a program: only its bindings are reported, each
// (xbindkey ...) or (xbindkey-function ...) form that starts a line.
std::vector<TPeerBinding> GuileBindings(std::string_view text)
{
    std::vector<TPeerBinding> bindings;
    for (const TNumberedLine& line : NumberedLines(text)) {
        const std::string_view content = Trim(line.Text);
        if (content.starts_with("(xbindkey"))
            bindings.push_back({line.Number,
                                std::string(content),
                                {},
                                "a binding of a Guile configuration; only the plain format can be imported"});
    }
    return bindings;
}

bool IsGuile(std::string_view text)
{
    for (const TNumberedLine& line : NumberedLines(text)) {
        const std::string_view content = Trim(line.Text);
        if (!content.empty() && content.front() != ';')
            return content.front() == '(';
    }
    return false;
}

} // namespace

std::vector<TPeerBinding> ReadXbindkeysConfig(std::string_view text)
{
    if (IsGuile(text))
        return GuileBindings(text);
    std::vector<TPeerBinding> bindings;
    std::optional<TPeerBinding> pending; // a command waiting for its keys
    for (const TNumberedLine& line : NumberedLines(text)) {
        std::string_view content = Trim(line.Text);
        // The keystate_... settings choose which lock keys count; they bind
        // nothing.
        if (content.empty() || content.front() == '#' || content.starts_with("keystate_"))
            continue;
        if (content.front() == '"') {
            if (pending)
                bindings.push_back({pending->Line, {}, pending->Command, "the command has no keys"});
            // The command runs to the last quote of the line: it may hold
            // quotes of its own.
            const size_t close = content.rfind('"');
            const std::string_view command = close == 0 ? content.substr(1) : content.substr(1, close - 1);
            pending = TPeerBinding{line.Number, {}, std::string(Trim(command)), {}};
            continue;
        }
        if (const size_t comment = content.find('#'); comment != std::string_view::npos)
            content = Trim(content.substr(0, comment));
        if (!pending)
            continue; // keys without a command before them have nothing to run
        pending->Keys = std::string(content);
        pending->Problem = KeysProblem(content);
        bindings.push_back(std::move(*pending));
        pending.reset();
    }
    if (pending)
        bindings.push_back({pending->Line, {}, pending->Command, "the command has no keys"});
    return bindings;
}

} // namespace tarvo::tools
