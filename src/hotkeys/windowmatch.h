#pragma once
// Which windows a command's window text asks for. The text keeps the field
// of the hotkey file; two prefixes that a title text practically never
// starts with choose another kind of match:
//   text          the title contains the text, case ignored
//   regex:PATTERN the title matches the regular expression, case ignored
//   class:NAME    the program's window class (either part of X11's
//                 WM_CLASS) or Wayland app id is NAME, case ignored
//   class:        the classes the command's file shows its windows under:
//                 a desktop entry's StartupWMClass or its desktop id

#include <memory>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/windowsystem.h"

class QRegularExpression;

namespace tarvo {

// A window text that cannot be used: a pattern that is no regular
// expression, or "class:" for a file that names no window class.
class EWindowMatchInvalid : public EUserTextError {
public:
    using EUserTextError::EUserTextError;
};

class TWindowMatch {
public:
    // The match of a command's window text; the command's file and working
    // directory give the classes of the short form. Raises
    // EWindowMatchInvalid.
    TWindowMatch(const std::string& windowText, const std::string& file, const std::string& directory);

    bool Matches(const platform::TTopLevelWindow& window) const;

    // The window among those listed (topmost first) that a command brings
    // back: the topmost match; when a match has the focus already and others
    // match too, the lowest of the others, which was active longest ago, so
    // that repeated presses walk through all of them. Nullptr for none.
    const platform::TTopLevelWindow* Choose(const std::vector<platform::TTopLevelWindow>& windows) const;

private:
    enum class TKind { Title, Pattern, Class };

    TKind kind_;
    std::string text_;
    std::shared_ptr<const QRegularExpression> pattern_;
    std::vector<std::string> classes_;
};

} // namespace tarvo
