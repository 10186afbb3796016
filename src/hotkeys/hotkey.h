#pragma once
// The hotkey model: THotKeyCommand is one command (a file to open, or a
// window to bring back), THotTarvo one hotkey with its combination and its
// commands.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "hotkeys/shortcut.h"
#include "persist/listentry.h"
#include "platform/errors.h"
#include "platform/windowsystem.h"

namespace tarvo {

class TWindowMatch;

// Records are always written with this version; older ones are still read.
inline constexpr int32_t HotKeyRecordVersion = 104;

// Show modes of a started program, as listed in the command dialog.
enum TExecMode : int32_t {
    ExecNormal = 0,
    ExecMaximized = 1,
    ExecMinimized = 2,
    ExecNormalNoActivate = 3,
    ExecMinimizedNoActivate = 4,
};

class THotKeyCommand;

// Told about a command that could not be started, with the reason in both
// languages. The hotkey's next command runs all the same.
using TLaunchFailureHandler = std::function<void(const THotKeyCommand& command, const TUserText& reason)>;

class THotKeyCommand : public TSimpleListEntry {
    TARVO_CLASS(THotKeyCommand)
    static int32_t GetRegistrationCode() { return 201; }

    void Create() override;
    void Store(TObjectStream& stream) const override;
    void Load(TObjectStream& stream) override;
    void CopyTo(TStreamableObject& target) const override;

    // Brings back the window that LookForWindow asks for (hotkeys/windowmatch.h),
    // or else opens FileName. A file that cannot be opened or a window text
    // that cannot be used goes to onFailure, if given, and to the log.
    void ExecuteCommand(const TLaunchFailureHandler& onFailure = {}) const;
    // Raises EWindowMatchInvalid when LookForWindow cannot be used: an
    // invalid pattern, or a short form for a file that names no window class.
    void CheckLookForWindow() const;

    std::string FileName;      // program, document or script; may hold %NAME% references
    std::string Parameters;    // may hold %NAME% references
    std::string Directory;     // working directory; empty for none
    std::string LookForWindow; // window-title text to look for; empty for no search
    int32_t ExecMode = ExecNormal;
    int32_t LoadedVersion = HotKeyRecordVersion; // the record version read; not stored

private:
    TWindowMatch WindowMatch() const;
    // The window a search for LookForWindow chose, if any.
    std::optional<platform::TWindowId> WindowToBringBack() const;
};

class THotTarvo : public TSimpleListEntry {
    TARVO_CLASS(THotTarvo)
    static int32_t GetRegistrationCode() { return 155; }

    THotTarvo();

    void Create() override;
    void Store(TObjectStream& stream) const override;
    void Load(TObjectStream& stream) override;
    // Copies everything but HotKeyId, the commands deeply with their identifiers.
    void CopyTo(TStreamableObject& target) const override;
    // "Name (Strg+Alt+E)", whatever the kind.
    std::string GetDescription(int32_t kind) const override;

    // Runs the commands in list order, unless the hotkey is deactivated.
    void ExecuteHotKey(const TLaunchFailureHandler& onFailure = {}) const;

    // The command at index, in ascending identifier order.
    THotKeyCommand& Command(int index) const { return *Commands->AtAs<THotKeyCommand>(index); }

    TShortCut HotKey = 0;
    std::unique_ptr<TIDList> Commands; // of THotKeyCommand, owned
    uint16_t HotKeyId = 0;             // run time only: the registration id; never stored or copied
    int32_t Reserved = 0;              // carried through unchanged
    bool Enabled = true;
    int32_t LoadedVersion = HotKeyRecordVersion; // the record version read; not stored
};

} // namespace tarvo
