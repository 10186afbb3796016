#include "platform/portal/portaltriggers.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>

#include "platform/xkbkeynames.h"

namespace tarvo::platform::portal {

namespace {

// The parts of a trigger, upper case, with the modifiers' other spellings
// taken as the portal's names, in no particular order.
std::multiset<std::string> TriggerParts(const std::string& trigger)
{
    std::multiset<std::string> parts;
    std::istringstream stream(trigger);
    std::string part;
    while (std::getline(stream, part, '+')) {
        std::erase_if(part, [](unsigned char c) { return std::isspace(c); });
        std::ranges::transform(part, part.begin(), [](unsigned char c) { return std::toupper(c); });
        if (part == "CONTROL")
            part = "CTRL";
        else if (part == "SUPER" || part == "META")
            part = "LOGO";
        parts.insert(part);
    }
    return parts;
}

} // namespace

std::optional<std::string> PortalTrigger(THotKeyCombination combination)
{
    if (combination.VirtualKey == 0)
        return std::nullopt;
    std::optional<std::string> trigger = XkbKeyName(combination.VirtualKey);
    if (!trigger)
        return std::nullopt;
    if (combination.Modifiers & HotKeyModShift)
        trigger = "SHIFT+" + *trigger;
    if (combination.Modifiers & HotKeyModAlt)
        trigger = "ALT+" + *trigger;
    if (combination.Modifiers & HotKeyModControl)
        trigger = "CTRL+" + *trigger;
    return trigger;
}

bool SameTrigger(const std::string& description, const std::string& trigger)
{
    return TriggerParts(description) == TriggerParts(trigger);
}

} // namespace tarvo::platform::portal
