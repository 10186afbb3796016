#include "lang/log.h"

namespace tarvo {

Q_LOGGING_CATEGORY(lcLang, "tarvo.lang")

} // namespace tarvo
