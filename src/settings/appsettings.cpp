#include "settings/appsettings.h"

#include "persist/errors.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "settings/configregistry.h"

namespace tarvo {

namespace {

constexpr std::string_view CommonFilesName = "CommonFiles";
constexpr std::string_view SettingsPath = "Software\\Quenbar";

std::string ProgramDirectoryWithoutSeparator()
{
    std::string directory = platform::ProgramDirectory();
    if (directory.size() > 1 && directory.back() == platform::PathDelimiter)
        directory.pop_back();
    return directory;
}

std::unique_ptr<TQuenbarAppSettings>& ProcessSettings()
{
    static std::unique_ptr<TQuenbarAppSettings> settings;
    return settings;
}

} // namespace

TQuenbarAppSettings::TQuenbarAppSettings()
{
    TQuenbarAppSettings::Create();
}

void TQuenbarAppSettings::Create()
{
    CommonFiles = ProgramDirectoryWithoutSeparator();
}

void TQuenbarAppSettings::CopyTo(TStreamableObject& target) const
{
    TStructureObject::CopyTo(target);
    CastTo<TQuenbarAppSettings>(target).CommonFiles = CommonFiles;
}

void TQuenbarAppSettings::StoreInConfigStructure(TConfigStructure& store) const
{
    store.WriteString(CommonFilesName, CommonFiles);
}

void TQuenbarAppSettings::LoadFromConfigStructure(TConfigStructure& store)
{
    CommonFiles = store.ReadString(CommonFilesName, CommonFiles);
}

std::unique_ptr<TConfigStructure> TQuenbarAppSettings::GetConfigStructure() const
{
    return std::make_unique<TConfigRegistry>(platform::TRootKey::LocalMachine, SettingsPath);
}

std::string TQuenbarAppSettings::GetCommonFile(std::string_view name) const
{
    return platform::JoinPath(CommonFiles, name);
}

TQuenbarAppSettings& AppSettings()
{
    auto& settings = ProcessSettings();
    if (!settings) {
        settings = std::make_unique<TQuenbarAppSettings>();
        settings->DoLoad();
    }
    return *settings;
}

void ResetAppSettingsForTesting()
{
    ProcessSettings().reset();
}

} // namespace tarvo
