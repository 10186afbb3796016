#include "tools/listen.h"

#include "platform/errors.h"

namespace tarvo::tools {

void ListenForHotKeys(THotKeyFile& /*document*/, const std::string& /*fileName*/, std::ostream& /*out*/,
                      std::ostream& /*errors*/)
{
    throw EWindowSystemError("listen is not available in this build");
}

} // namespace tarvo::tools
