#include "app/windows/windowslog.h"

namespace tarvo {
// Information (how many hotkeys were registered) is shown when asked for
// (QT_LOGGING_RULES="tarvo.windows.info=true"); warnings always.
Q_LOGGING_CATEGORY(lcWindows, "tarvo.windows", QtWarningMsg)
} // namespace tarvo
