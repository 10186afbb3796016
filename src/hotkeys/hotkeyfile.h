#pragma once
// The hotkey document and the module that keeps the current one: its file
// name, loading and saving.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "hotkeys/hotkey.h"

namespace tarvo {

// Interface languages, the positions in the main window's language list.
enum TLanguage : int32_t {
    LanguageEnglish = 0,
    LanguageGerman = 1,
};

class THotKeyFile : public TStreamableObject {
    TARVO_CLASS(THotKeyFile)
    static int32_t GetRegistrationCode() { return 156; }
    // Hotkey files are written into a stream of this initial size, so a file
    // is never shorter.
    static constexpr size_t StreamInitialSize = 16384;

    THotKeyFile();

    void Create() override;
    void Store(TObjectStream& stream) const override;
    void Load(TObjectStream& stream) override;
    void CopyTo(TStreamableObject& target) const override;

    // The hotkey at index, in ascending identifier order.
    THotTarvo& HotKey(int index) const { return *HotKeyList->AtAs<THotTarvo>(index); }

    bool MinimizeAtStart = false;
    std::unique_ptr<TIDList> HotKeyList; // of THotTarvo, owned
    int32_t Language = LanguageEnglish;
    int32_t LoadedVersion = HotKeyRecordVersion; // the document version read; not stored
};

// The name of the default hotkey file in the directory of the user's files
// (platform/userdirectories.h): the program's directory, or the user's
// configuration directory when the program is installed.
inline constexpr const char* DefaultHotKeyFileName = "KeyList.TVO";

// Full path of the current file.
std::string& HotKeyFileName();
// The current document; exists between InitHotKeyFileModule and FinalizeHotKeyFileModule.
THotKeyFile& CurrentHotKeyFile();

// Replaces the current document by the one in HotKeyFileName. A missing file
// changes nothing (the document now belongs to that name). A file that cannot
// be read as a hotkey document raises an error naming the file and leaves the
// current document as it was.
void LoadHotKeyFile();
// Writes the current document to HotKeyFileName, replacing the file as a
// whole, and creates the directory of the user's files when the file belongs
// there; on failure (EFCreateError) the previous file is untouched.
void SaveHotKeyFile();

// Reads the hotkey document stored in fileName. Every failure raises an error
// whose message names the file.
std::unique_ptr<THotKeyFile> ReadHotKeyDocument(const std::string& fileName);
// Writes the document to fileName as a hotkey file, replacing the file as a
// whole; on failure (EFCreateError) the previous file is untouched.
void WriteHotKeyDocument(const THotKeyFile& document, const std::string& fileName);

// Registers the classes that make up a hotkey file.
void RegisterHotKeyClasses();

// Starts the persistence modules (InitPersistModules) and registers the
// hotkey classes: every class a hotkey file can hold, for programs that only
// read and write hotkey files. FinalizePersistModules ends them.
void InitHotKeyFileClasses();

// Start-up of the hotkey file module: registers the hotkey classes, names the
// default file in the directory of the user's files, creates an empty document and
// loads the default file. Returns the message of a failed load instead of
// raising it, so that a damaged default file does not stop the program.
std::optional<std::string> InitHotKeyFileModule();
void FinalizeHotKeyFileModule();

} // namespace tarvo
