#pragma once
// The settings the program shares with the other programs of its maker: the
// directory of common files, where the standard message files lie. Kept in
// the registry as HKEY_LOCAL_MACHINE\Software\Quenbar, value "CommonFiles"
// (a string), which the program reads but never writes.

#include <string>
#include <string_view>

#include "settings/structureobject.h"

namespace tarvo {

class TQuenbarAppSettings : public TStructureObject {
    TARVO_CLASS(TQuenbarAppSettings)
    // Never registered nor streamed; 0 is no class's code.
    static int32_t GetRegistrationCode() { return 0; }

    TQuenbarAppSettings();

    // The program's directory without its trailing separator, except for the
    // root directory "/", which stays as it is.
    std::string CommonFiles;

    // CommonFiles back to the program's directory.
    void Create() override;
    void CopyTo(TStreamableObject& target) const override;
    void StoreInConfigStructure(TConfigStructure& store) const override;
    // A missing value keeps the current CommonFiles.
    void LoadFromConfigStructure(TConfigStructure& store) override;
    // HKEY_LOCAL_MACHINE, "Software\Quenbar".
    std::unique_ptr<TConfigStructure> GetConfigStructure() const override;

    // The file name in the common-files directory, with one separator
    // between them; name alone when CommonFiles is empty.
    std::string GetCommonFile(std::string_view name) const;
};

// The process's settings. The first call creates them and loads them from
// the registry; later calls only return them. A load error passes to the
// first caller; the settings then keep what they had before the error.
TQuenbarAppSettings& AppSettings();

// Forgets the process's settings, so that the next AppSettings() loads anew.
void ResetAppSettingsForTesting();

} // namespace tarvo
