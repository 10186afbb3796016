// tvotool import's readers of sxhkd and xbindkeys configurations, the input
// decoded and its format recognised as the tool does. Every hotkey made has
// a combination no other has and one command whose parameters split back
// into what was meant (for a shell command: -c and the command), and the
// document writes and reads back unchanged.

#include <set>

#include "fuzzsupport.h"
#include "hotkeys/hotkeyfile.h"
#include "persist/objectstream.h"
#include "platform/launcher.h"
#include "platform/linux/commandline.h"
#include "tools/bindingimport.h"
#include "tools/configtext.h"
#include "tools/hotkeyjson.h"

using namespace tarvo;
using namespace tarvo::tools;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool registered = (InitHotKeyFileClasses(), true);
    (void)registered;
    const TImportedHotKeys imported = ImportConfiguration("", fuzz::AsText(data, size), std::nullopt);
    const THotKeyFile& document = *imported.Document;
    std::set<TShortCut> combinations;
    for (int i = 0; i < document.HotKeyList->Count(); ++i) {
        const THotTarvo& hotkey = document.HotKey(i);
        fuzz::Require(hotkey.HotKey != 0 && combinations.insert(hotkey.HotKey).second, "a combination is 0 or twice");
        fuzz::Require(hotkey.Commands->Count() == 1, "a hotkey has not one command");
        const THotKeyCommand& command = hotkey.Command(0);
        std::vector<std::string> arguments;
        try {
            arguments = platform::SplitArguments(command.Parameters);
        } catch (const platform::ELaunchError&) {
            fuzz::Require(false, "the parameters of an imported command cannot be split");
        }
        // The hotkey is named after the command as written.
        if (command.FileName == "/bin/sh" && !hotkey.Name.starts_with("/bin/sh"))
            fuzz::Require(arguments.size() == 2 && arguments[0] == "-c" && CollapseBlanks(arguments[1]) == hotkey.Name,
                          "a shell command does not split into -c and the command");
    }
    TObjectStream stream(THotKeyFile::StreamInitialSize);
    stream.PutObject(document);
    TObjectStream reread(0);
    reread.LoadFromBytes(stream.Bytes());
    fuzz::Require(HotKeyDocumentToJson(*reread.GetObjectAs<THotKeyFile>()) == HotKeyDocumentToJson(document),
                  "an imported document does not read back as itself");
    return 0;
}
