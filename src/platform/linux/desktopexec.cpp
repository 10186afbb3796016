#include "platform/linux/desktopexec.h"

#include <filesystem>
#include <utility>

#include "platform/launcher.h"
#include "platform/linux/commandline.h"
#include "platform/services.h"

namespace tarvo::platform {

namespace {

namespace fs = std::filesystem;

bool IsFileCode(char code)
{
    return code == 'f' || code == 'F' || code == 'u' || code == 'U';
}

bool IsDeprecatedCode(char code)
{
    return std::string_view("dDnNvm").find(code) != std::string_view::npos;
}

// The variable's value when it is set and not empty.
std::optional<std::string> Variable(const char* name)
{
    auto value = Services().Environment->Get(name);
    return value && !value->empty() ? value : std::nullopt;
}

// Expands the field codes of one Exec line. The files are placed once, at
// the first file code.
class TExecExpansion {
public:
    TExecExpansion(const TDesktopEntry& entry, const std::string& entryPath, const std::vector<std::string>& files,
                   std::string_view locale)
        : entry_(entry), entryPath_(entryPath), files_(files), locale_(locale)
    {
    }

    std::vector<std::string> Expand(const std::vector<std::string>& words)
    {
        for (const std::string& word : words) {
            const bool code = word.size() == 2 && word[0] == '%';
            if (code && IsFileCode(word[1]))
                PlaceFiles();
            else if (code && word[1] == 'i')
                PlaceIcon();
            else if (!code || !IsDeprecatedCode(word[1]))
                arguments_.push_back(ExpandWithin(word));
        }
        PlaceFiles();
        return std::move(arguments_);
    }

private:
    void PlaceFiles()
    {
        if (!std::exchange(filesPlaced_, true))
            arguments_.insert(arguments_.end(), files_.begin(), files_.end());
    }

    void PlaceIcon()
    {
        if (auto icon = entry_.Value("Icon"); icon && !icon->empty()) {
            arguments_.push_back("--icon");
            arguments_.push_back(*icon);
        }
    }

    // A word with field codes among other text. Files take one argument
    // here, separated by blanks; the icon's two arguments cannot, so %i
    // inside a word is dropped.
    std::string ExpandWithin(const std::string& word)
    {
        std::string expanded;
        for (size_t i = 0; i < word.size(); ++i) {
            if (word[i] != '%') {
                expanded += word[i];
                continue;
            }
            if (++i == word.size())
                throw ELaunchError(
                    {"its Exec key has a % without a field code", "ihr Exec-Schlüssel hat ein % ohne Feldcode"});
            const char code = word[i];
            if (code == '%')
                expanded += '%';
            else if (code == 'c')
                expanded += entry_.LocalizedValue("Name", locale_).value_or("");
            else if (code == 'k')
                expanded += entryPath_;
            else if (IsFileCode(code))
                expanded += JoinedFiles();
            else if (code != 'i' && !IsDeprecatedCode(code))
                throw ELaunchError({std::string("its Exec key has the unknown field code %") + code,
                                    std::string("ihr Exec-Schlüssel hat den unbekannten Feldcode %") + code});
        }
        return expanded;
    }

    std::string JoinedFiles()
    {
        std::string joined;
        if (!std::exchange(filesPlaced_, true))
            for (const std::string& file : files_)
                joined += (joined.empty() ? "" : " ") + file;
        return joined;
    }

    const TDesktopEntry& entry_;
    const std::string& entryPath_;
    const std::vector<std::string>& files_;
    std::string_view locale_;
    std::vector<std::string> arguments_;
    bool filesPlaced_ = false;
};

} // namespace

std::vector<std::string> ExecArguments(const TDesktopEntry& entry, const std::string& entryPath,
                                       const std::vector<std::string>& files, std::string_view locale)
{
    std::vector<std::string> words;
    try {
        words = SplitArguments(entry.Value("Exec").value_or(""));
    } catch (const ELaunchError&) {
        throw ELaunchError({"its Exec key has a quote that is not closed",
                            "ihr Exec-Schlüssel hat ein Anführungszeichen, das nicht geschlossen wird"});
    }
    if (words.empty())
        throw ELaunchError({"the desktop entry has no Exec key", "die Desktop-Datei hat keinen Exec-Schlüssel"});
    std::vector<std::string> arguments = TExecExpansion(entry, entryPath, files, locale).Expand(words);
    if (arguments.empty() || arguments.front().empty())
        throw ELaunchError({"its Exec key names no program", "ihr Exec-Schlüssel nennt kein Programm"});
    return arguments;
}

std::optional<std::string> FindInstalledDesktopEntry(const std::string& name)
{
    std::vector<fs::path> bases;
    if (auto dataHome = Variable("XDG_DATA_HOME"); dataHome && dataHome->starts_with('/'))
        bases.emplace_back(*dataHome);
    else if (auto home = Variable("HOME"))
        bases.push_back(fs::path(*home) / ".local/share");
    const std::string dataDirsValue = Variable("XDG_DATA_DIRS").value_or("/usr/local/share:/usr/share");
    std::string_view dataDirs = dataDirsValue;
    while (!dataDirs.empty()) {
        const size_t colon = dataDirs.find(':');
        if (colon != 0)
            bases.emplace_back(dataDirs.substr(0, colon));
        dataDirs = colon == std::string_view::npos ? std::string_view() : dataDirs.substr(colon + 1);
    }
    for (const fs::path& base : bases) {
        std::error_code error;
        if (const fs::path candidate = base / "applications" / name; fs::is_regular_file(candidate, error))
            return candidate.string();
    }
    return std::nullopt;
}

} // namespace tarvo::platform
