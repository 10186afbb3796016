#include "settings/registryaccess.h"

namespace tarvo {

TRegistryAccess::TRegistryAccess(platform::IRegistry& registry, platform::TRootKey root)
    : registry_(registry), root_(root)
{
}

bool TRegistryAccess::OpenKey(std::string_view path)
{
    const bool absolute = path.starts_with('\\');
    if (absolute)
        path.remove_prefix(1);
    std::string fullPath(path);
    if (!absolute && key_)
        fullPath = path_ + "\\" + fullPath;

    auto key = path.empty() ? registry_.OpenKey(root_, fullPath) : registry_.CreateKey(root_, fullPath);
    if (!key)
        return false;
    key_ = std::move(key);
    path_ = std::move(fullPath);
    return true;
}

} // namespace tarvo
