#include "platform/linux/fileregistry.h"

#include <filesystem>

#include "platform/files.h"
#include "platform/linux/regfileformat.h"
#include "platform/paths.h"
#include "platform/userdirectories.h"

namespace tarvo::platform {

namespace {

constexpr std::string_view SystemDirectory = "/etc/tarvo/registry";
constexpr std::string_view ConfigSubdirectory = "tarvo/registry";

std::string UserDirectory(const IEnvironment& environment)
{
    const std::string config = UserConfigDirectory(environment);
    return config.empty() ? std::string() : JoinPath(config, ConfigSubdirectory);
}

} // namespace

TRegistryDirectories RegistryDirectories(const IEnvironment& environment)
{
    if (auto directory = NonEmptyVariable(environment, "TARVO_REGISTRY_DIR"))
        return {*directory, *directory};
    return {std::string(SystemDirectory), UserDirectory(environment)};
}

TFileRegistry::TFileRegistry(TRegistryDirectories directories) : directories_(std::move(directories))
{
}

std::string TFileRegistry::FileOf(TRootKey root) const
{
    const std::string& directory = DirectoryOf(root);
    if (directory.empty())
        return {};
    return JoinPath(directory, std::string(RootKeyName(root)) + ".reg");
}

TRegistryTree TFileRegistry::ReadTree(TRootKey root) const
{
    const std::string file = FileOf(root);
    const auto bytes = file.empty() ? std::nullopt : ReadWholeFile(file);
    if (!bytes)
        return {};
    return ParseRegistryFile(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()),
                             RootKeyName(root));
}

bool TFileRegistry::WriteTree(TRootKey root, const TRegistryTree& tree)
{
    const std::string file = FileOf(root);
    const auto text = FormatRegistryFile(tree, RootKeyName(root));
    if (file.empty() || !text)
        return false;
    std::error_code error;
    std::filesystem::create_directories(DirectoryOf(root), error);
    if (error)
        return false;
    return ReplaceWholeFile(file, reinterpret_cast<const uint8_t*>(text->data()), text->size());
}

const std::string& TFileRegistry::DirectoryOf(TRootKey root) const
{
    return root == TRootKey::LocalMachine ? directories_.LocalMachine : directories_.CurrentUser;
}

} // namespace tarvo::platform
