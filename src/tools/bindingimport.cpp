#include "tools/bindingimport.h"

#include <map>

#include "persist/textservices.h"
#include "tools/configtext.h"
#include "tools/keysymnames.h"

namespace tarvo::tools {

namespace {

// Whether the POSIX shell would do more with the command than split it into
// words: anything but plain words, quoted words and backslash escapes. A
// quoted or escaped program name needs the shell too, since the program name
// of a command is taken as it is.
bool NeedsShell(std::string_view command)
{
    constexpr std::string_view ShellSyntax = "|&;<>()$`*?[]{}~#!\n";
    const size_t firstBlank = command.find_first_of(" \t");
    const std::string_view program = command.substr(0, firstBlank);
    if (program.find_first_of("'\"\\=") != std::string_view::npos)
        return true;
    for (size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (c == '\\') {
            ++i;
        } else if (c == '\'') {
            i = command.find('\'', i + 1);
            if (i == std::string_view::npos)
                return true;
        } else if (c == '"') {
            for (++i; i < command.size() && command[i] != '"'; ++i) {
                if (command[i] == '$' || command[i] == '`')
                    return true;
                if (command[i] == '\\')
                    ++i;
            }
            if (i >= command.size())
                return true;
        } else if (ShellSyntax.find(c) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

// The text in single quotes for the shell; a single quote in it becomes '\''.
std::string ShellQuoted(std::string_view text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The command without a trailing "&" that puts it in the background (but not
// the end of "&&").
std::string_view WithoutBackgrounding(std::string_view command)
{
    command = Trim(command);
    if (command.ends_with('&') && !command.ends_with("&&") && !command.ends_with("\\&"))
        command = Trim(command.substr(0, command.size() - 1));
    return command;
}

std::unique_ptr<THotKeyCommand> CommandOf(std::string_view text, const std::string& name)
{
    auto command = std::make_unique<THotKeyCommand>();
    command->Name = name;
    if (NeedsShell(text)) {
        command->FileName = "/bin/sh";
        command->Parameters = "-c " + ShellQuoted(text);
    } else {
        const size_t blank = text.find_first_of(" \t");
        command->FileName = std::string(text.substr(0, blank));
        if (blank != std::string_view::npos)
            command->Parameters = std::string(Trim(text.substr(blank)));
    }
    return command;
}

} // namespace

TImportedHotKeys ImportBindings(const std::vector<TPeerBinding>& bindings)
{
    TImportedHotKeys imported{std::make_unique<THotKeyFile>(), {}};
    std::map<TShortCut, int> boundIn; // combination -> line of the binding that has it
    for (const TPeerBinding& binding : bindings) {
        const auto skip = [&](std::string reason) {
            imported.Skipped.push_back(
                {binding.Line, binding.Keys.empty() ? binding.Command : binding.Keys, std::move(reason)});
        };
        if (!binding.Problem.empty()) {
            skip(binding.Problem);
            continue;
        }
        // A stored text ends at its first zero character.
        if (binding.Command.find('\0') != std::string::npos) {
            skip("the command holds a zero character");
            continue;
        }
        const std::string_view command = WithoutBackgrounding(binding.Command);
        if (command.empty()) {
            skip("the command is empty");
            continue;
        }
        const auto combination = KeysCombination(binding.Keys);
        if (const auto* reason = std::get_if<std::string>(&combination)) {
            skip(*reason);
            continue;
        }
        const TShortCut shortcut = std::get<TShortCut>(combination);
        if (const auto earlier = boundIn.find(shortcut); earlier != boundIn.end()) {
            skip("the combination is bound already, in line " + std::to_string(earlier->second));
            continue;
        }
        boundIn.emplace(shortcut, binding.Line);
        auto hotkey = std::make_unique<THotTarvo>();
        hotkey->Name = CollapseBlanks(command);
        hotkey->HotKey = shortcut;
        hotkey->Commands->AddNew(CommandOf(command, hotkey->Name));
        imported.Document->HotKeyList->AddNew(std::move(hotkey));
    }
    return imported;
}

TImportedHotKeys ImportConfiguration(std::string_view fileName, std::string_view bytes,
                                     std::optional<TPeerFormat> format)
{
    const std::string text = text::Decode(bytes);
    return ImportBindings(ReadPeerConfig(format.value_or(DetectPeerFormat(fileName, text)), text));
}

} // namespace tarvo::tools
