#include "app/windows/windowslog.h"

namespace tarvo {
Q_LOGGING_CATEGORY(lcWindows, "tarvo.windows")
} // namespace tarvo
