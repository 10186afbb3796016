#include "conflicts/conflictfinder.h"

namespace tarvo::conflicts {

// Windows keeps no list of who holds a combination: RegisterHotKey only
// refuses one that is taken. Another hotkey of the same file is still named.
std::vector<std::unique_ptr<IHolderSource>> RunningDesktopSources()
{
    return {};
}

} // namespace tarvo::conflicts
