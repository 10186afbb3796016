#pragma once
// The logging category of the program's windows.

#include <QLoggingCategory>

namespace tarvo {
Q_DECLARE_LOGGING_CATEGORY(lcWindows)
} // namespace tarvo
