#include "hotkeys/hotkeyfile.h"

#include "persist/classregistry.h"
#include "persist/modules.h"
#include "persist/objectstream.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/paths.h"
#include "platform/userdirectories.h"

namespace tarvo {

namespace {
// The first document version with the interface language.
constexpr int32_t DocumentVersionWithLanguage = 104;

std::string theFileName;
std::unique_ptr<THotKeyFile> theDocument;
} // namespace

std::unique_ptr<THotKeyFile> ReadHotKeyDocument(const std::string& fileName)
{
    return ReadObjectFile(fileName, [](TObjectStream& stream) { return stream.GetObjectAs<THotKeyFile>(); });
}

void WriteHotKeyDocument(const THotKeyFile& document, const std::string& fileName)
{
    WriteObjectFile(document, fileName, THotKeyFile::StreamInitialSize);
}

THotKeyFile::THotKeyFile() : HotKeyList(std::make_unique<TIDList>())
{
}

void THotKeyFile::Create()
{
    TStreamableObject::Create();
    MinimizeAtStart = false;
    HotKeyList = std::make_unique<TIDList>();
    Language = LanguageEnglish;
    LoadedVersion = HotKeyRecordVersion;
}

void THotKeyFile::Store(TObjectStream& stream) const
{
    TStreamableObject::Store(stream);
    stream.PutInt(HotKeyRecordVersion);
    stream.PutBool(MinimizeAtStart);
    stream.PutObject(*HotKeyList);
    stream.PutInt(Language);
}

void THotKeyFile::Load(TObjectStream& stream)
{
    TStreamableObject::Load(stream);
    LoadedVersion = stream.GetInt();
    MinimizeAtStart = stream.GetBool();
    HotKeyList = stream.GetListOf<TIDList, THotTarvo>();
    Language = LoadedVersion >= DocumentVersionWithLanguage ? stream.GetInt() : LanguageEnglish;
}

void THotKeyFile::CopyTo(TStreamableObject& target) const
{
    TStreamableObject::CopyTo(target);
    auto& document = CastTo<THotKeyFile>(target);
    HotKeyList->CopyTo(*document.HotKeyList);
    document.MinimizeAtStart = MinimizeAtStart;
    document.Language = Language;
}

std::string& HotKeyFileName()
{
    return theFileName;
}

THotKeyFile& CurrentHotKeyFile()
{
    if (!theDocument)
        throw EProgramError("the hotkey document is used before InitHotKeyFileModule");
    return *theDocument;
}

void LoadHotKeyFile()
{
    if (!platform::FileExists(theFileName))
        return;
    // Read completely before replacing, so that a failed load keeps the
    // current document.
    theDocument = ReadHotKeyDocument(theFileName);
}

void SaveHotKeyFile()
{
    // An installed program's directory for the user's files may not exist yet.
    const std::string userFiles = platform::UserFileDirectory();
    if (platform::DirectoryPart(theFileName) == userFiles)
        platform::CreateUserDirectory(userFiles);
    WriteHotKeyDocument(CurrentHotKeyFile(), theFileName);
}

void RegisterHotKeyClasses()
{
    auto& registry = ClassRegistry();
    registry.RegisterObjectClass<THotKeyCommand>();
    registry.RegisterObjectClass<THotTarvo>();
    registry.RegisterObjectClass<THotKeyFile>();
}

void InitHotKeyFileClasses()
{
    InitPersistModules();
    RegisterHotKeyClasses();
}

std::optional<std::string> InitHotKeyFileModule()
{
    RegisterHotKeyClasses();
    theFileName = platform::UserFileDirectory() + DefaultHotKeyFileName;
    theDocument = std::make_unique<THotKeyFile>();
    // A first start, without a file yet, speaks the desktop's language; a
    // file keeps the language stored in it.
    if (!platform::FileExists(theFileName))
        theDocument->Language = platform::UserLanguageIsGerman() ? LanguageGerman : LanguageEnglish;
    try {
        LoadHotKeyFile();
    } catch (const ETarvoError& error) {
        return std::string(error.what());
    }
    return std::nullopt;
}

void FinalizeHotKeyFileModule()
{
    theDocument.reset();
}

} // namespace tarvo
