// Reading sxhkd configurations (see peerconfig.h).

#include <cctype>
#include <optional>

#include "tools/configtext.h"
#include "tools/peerconfig.h"

namespace tarvo::tools {

namespace {

// A line as sxhkd reads it, with the lines that a trailing backslash joins
// to it.
struct TLogicalLine {
    int Number;
    std::string Text;
};

std::vector<TLogicalLine> LogicalLines(std::string_view text)
{
    std::vector<TLogicalLine> lines;
    bool continued = false;
    for (const TNumberedLine& line : NumberedLines(text)) {
        std::string_view content = line.Text;
        if (!content.empty() && content.back() == '\r')
            content.remove_suffix(1);
        if (!continued)
            lines.push_back({line.Number, {}});
        continued = !content.empty() && content.back() == '\\';
        if (continued)
            content.remove_suffix(1);
        lines.back().Text += content;
    }
    return lines;
}

bool IsSequenceSyntax(char c)
{
    return c == '{' || c == '}' || c == ',';
}

// Adds the texts that one element of a sequence stands for: "_" nothing, a
// range such as "a-f" or "1-9" each character in it, anything else itself.
void AddElement(std::vector<std::string>& elements, const std::string& element)
{
    const std::string_view trimmed = Trim(element);
    if (trimmed == "_") {
        elements.emplace_back();
        return;
    }
    const auto isRangeEnd = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    if (trimmed.size() == 3 && trimmed[1] == '-' && isRangeEnd(trimmed[0]) && isRangeEnd(trimmed[2])
        && trimmed[0] < trimmed[2]) {
        for (char c = trimmed[0]; c <= trimmed[2]; ++c)
            if (isRangeEnd(c))
                elements.emplace_back(1, c);
        return;
    }
    elements.push_back(element);
}

// More expansions of one line than anyone binds: a line of many sequences
// would otherwise take the memory of the machine.
constexpr size_t ExpansionLimit = 1000;

// The texts that the sequences of the text stand for, the first sequence
// varying slowest; nullopt when a brace is not matched or the line expands
// to more than ExpansionLimit texts.
std::optional<std::vector<std::string>> ExpandSequences(std::string_view text)
{
    std::vector<std::string> texts{""};
    const auto appendToAll = [&texts](char c) {
        for (std::string& t : texts)
            t += c;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && IsSequenceSyntax(text[i + 1])) {
            appendToAll(text[++i]);
            continue;
        }
        if (text[i] == '}')
            return std::nullopt;
        if (text[i] != '{') {
            appendToAll(text[i]);
            continue;
        }
        std::vector<std::string> elements;
        std::string element;
        for (++i;; ++i) {
            if (i == text.size() || text[i] == '{')
                return std::nullopt;
            if (text[i] == '\\' && i + 1 < text.size() && IsSequenceSyntax(text[i + 1])) {
                element += text[++i];
            } else if (text[i] == ',' || text[i] == '}') {
                AddElement(elements, element);
                element.clear();
                if (text[i] == '}')
                    break;
            } else {
                element += text[i];
            }
        }
        if (texts.size() * elements.size() > ExpansionLimit)
            return std::nullopt;
        std::vector<std::string> product;
        for (const std::string& prefix : texts)
            for (const std::string& e : elements)
                product.push_back(prefix + e);
        texts = std::move(product);
    }
    return texts;
}

// Why sxhkd's hotkey cannot become a hotkey of Tarvo; empty when it can.
std::string HotkeyProblem(std::string_view keys)
{
    if (keys.find_first_of(";:") != std::string_view::npos)
        return "a chord chain (keys pressed one after the other) cannot be a Tarvo hotkey";
    for (std::string_view part : KeyParts(keys)) {
        if (!part.empty() && part.front() == '@')
            return "runs on key release (@), but Tarvo hotkeys run when the keys are pressed";
        if (!part.empty() && part.front() == '~')
            return "passes the keys on to the focused program (~), which Tarvo hotkeys do not";
        if (StartsWithIgnoringCase(part, "button"))
            return "a pointer button cannot be part of a Tarvo hotkey";
    }
    return {};
}

// The bindings of one hotkey and its command, sequences expanded.
void AddExpanded(std::vector<TPeerBinding>& bindings, const TPeerBinding& written)
{
    const auto keys = ExpandSequences(written.Keys);
    const auto commands = ExpandSequences(written.Command);
    if (!keys || !commands) {
        bindings.push_back({written.Line, written.Keys, written.Command,
                            "a { } sequence is not closed, or they expand to more than "
                                + std::to_string(ExpansionLimit) + " bindings"});
        return;
    }
    if (commands->size() != 1 && commands->size() != keys->size()) {
        bindings.push_back({written.Line, written.Keys, written.Command,
                            "the hotkey's sequences give " + std::to_string(keys->size()) + " hotkeys, the command's "
                                + std::to_string(commands->size()) + " commands"});
        return;
    }
    for (size_t i = 0; i < keys->size(); ++i) {
        const std::string& command = (*commands)[commands->size() == 1 ? 0 : i];
        bindings.push_back({written.Line, std::string(Trim((*keys)[i])), command, HotkeyProblem((*keys)[i])});
    }
}

} // namespace

std::vector<TPeerBinding> ReadSxhkdConfig(std::string_view text)
{
    std::vector<TPeerBinding> bindings;
    std::optional<TPeerBinding> pending; // a hotkey waiting for its command
    for (const TLogicalLine& line : LogicalLines(text)) {
        const std::string_view content = Trim(line.Text);
        if (content.empty() || content.front() == '#')
            continue;
        const bool isCommand = line.Text.front() == ' ' || line.Text.front() == '\t';
        if (!isCommand) {
            if (pending)
                bindings.push_back({pending->Line, pending->Keys, {}, "the hotkey has no command"});
            pending = TPeerBinding{line.Number, std::string(content), {}, {}};
            continue;
        }
        // A command without a hotkey before it is run by nothing; sxhkd
        // ignores it too.
        if (!pending)
            continue;
        // A leading ";" asks sxhkd to wait for the command; Tarvo's commands
        // always run on their own.
        pending->Command = std::string(Trim(content.front() == ';' ? content.substr(1) : content));
        AddExpanded(bindings, *pending);
        pending.reset();
    }
    if (pending)
        bindings.push_back({pending->Line, pending->Keys, {}, "the hotkey has no command"});
    return bindings;
}

} // namespace tarvo::tools
