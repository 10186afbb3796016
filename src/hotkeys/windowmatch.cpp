#include "hotkeys/windowmatch.h"

#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <string_view>

#include "persist/text.h"
#include "persist/textservices.h"
#include "platform/launcher.h"
#include "platform/services.h"

namespace tarvo {

namespace {

constexpr std::string_view PatternPrefix = "regex:";
constexpr std::string_view ClassPrefix = "class:";

// Titles are compared on their first 199 characters: as much as the title
// buffer of the program the hotkey files come from could hold.
constexpr size_t ComparedTitleLength = 199;

} // namespace

TWindowMatch::TWindowMatch(const std::string& windowText, const std::string& file, const std::string& directory)
{
    if (windowText.starts_with(PatternPrefix)) {
        kind_ = TKind::Pattern;
        text_ = windowText.substr(PatternPrefix.size());
        pattern_ = std::make_shared<const QRegularExpression>(QString::fromStdString(text_),
                                                              QRegularExpression::CaseInsensitiveOption
                                                                  | QRegularExpression::UseUnicodePropertiesOption);
        if (!pattern_->isValid())
            throw EWindowMatchInvalid({"the regular expression \"" + text_ + "\" is not valid",
                                       "der reguläre Ausdruck \"" + text_ + "\" ist ungültig"});
    } else if (windowText.starts_with(ClassPrefix)) {
        kind_ = TKind::Class;
        text_ = windowText.substr(ClassPrefix.size());
        classes_ = text_.empty() ? platform::Services().Launcher->WindowClasses(file, directory)
                                 : std::vector<std::string>{text_};
        if (classes_.empty())
            throw EWindowMatchInvalid({"\"class:\" alone needs a desktop entry as the file",
                                       "\"class:\" allein braucht eine Desktop-Datei als Datei"});
    } else {
        kind_ = TKind::Title;
        text_ = "*" + windowText + "*";
    }
}

bool TWindowMatch::Matches(const platform::TTopLevelWindow& window) const
{
    if (kind_ == TKind::Class)
        return std::ranges::any_of(classes_, [&window](const std::string& name) {
            return (!window.Instance.empty() && text::CompareIgnoreCase(window.Instance, name) == 0)
                || (!window.Class.empty() && text::CompareIgnoreCase(window.Class, name) == 0);
        });
    // Titles are decoded like stored texts: some old programs set them in an
    // 8-bit code page.
    const std::string title = text::Decode(window.Title);
    if (title.empty())
        return false;
    const std::string_view compared = FirstCharacters(title, ComparedTitleLength);
    if (kind_ == TKind::Pattern)
        return pattern_->match(QString::fromUtf8(compared.data(), qsizetype(compared.size()))).hasMatch();
    return MatchesWildcard(compared, text_);
}

const platform::TTopLevelWindow* TWindowMatch::Choose(const std::vector<platform::TTopLevelWindow>& windows) const
{
    std::vector<const platform::TTopLevelWindow*> matches;
    for (const auto& window : windows)
        if (Matches(window))
            matches.push_back(&window);
    if (matches.empty())
        return nullptr;
    const bool oneIsActive = std::ranges::any_of(matches, [](const auto* window) { return window->Active; });
    if (!oneIsActive || matches.size() == 1)
        return matches.front();
    const auto lowest =
        std::find_if(matches.rbegin(), matches.rend(), [](const auto* window) { return !window->Active; });
    return *lowest;
}

} // namespace tarvo
