#include "platform/ownwindows.h"

#include <algorithm>
#include <map>

#include "platform/services.h"

namespace tarvo::platform {

namespace {

// The registered sources by handle; used on the main thread only.
std::map<int, std::function<TOwnWindow()>>& Sources()
{
    static std::map<int, std::function<TOwnWindow()>> sources;
    return sources;
}

std::vector<TOwnWindow> OwnWindows()
{
    std::vector<TOwnWindow> windows;
    for (const auto& [handle, source] : Sources())
        windows.push_back(source());
    return windows;
}

} // namespace

TOwnWindowRegistration::TOwnWindowRegistration(std::function<TOwnWindow()> source)
    : handle_(Sources().empty() ? 1 : Sources().rbegin()->first + 1)
{
    Sources().emplace(handle_, std::move(source));
}

TOwnWindowRegistration::~TOwnWindowRegistration()
{
    Sources().erase(handle_);
}

std::vector<TTopLevelWindow> SearchableWindows()
{
    std::vector<TTopLevelWindow> windows = Services().WindowSystem->TopLevelWindows();
    for (const TOwnWindow& own : OwnWindows()) {
        const bool listed = std::any_of(windows.begin(), windows.end(),
                                        [&own](const TTopLevelWindow& window) { return window.Id == own.Id; });
        if (!listed)
            windows.push_back({own.Id, own.Title});
    }
    return windows;
}

void RestoreAndActivate(TWindowId window)
{
    for (const TOwnWindow& own : OwnWindows())
        if (own.Id == window) {
            own.Restore();
            return;
        }
    Services().WindowSystem->RestoreAndActivate(window);
}

} // namespace tarvo::platform
