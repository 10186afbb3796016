#pragma once
// The language library's log category, "tarvo.lang"; QT_LOGGING_RULES
// switches it like every other category of the program.

#include <QLoggingCategory>

namespace tarvo {

Q_DECLARE_LOGGING_CATEGORY(lcLang)

} // namespace tarvo
