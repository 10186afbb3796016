#pragma once
// The persistence library's diagnostics: the log category "tarvo.persist" of
// Qt's logging, which QT_LOGGING_RULES switches like every other category of
// the program. The library stays plain C++; the line reaches Qt in
// textservices.cpp, its one unit that uses Qt.

#include <string_view>

namespace tarvo {

// A warning: something the program goes on after but a developer should see.
void LogPersistWarning(std::string_view line);

} // namespace tarvo
