// tvotool build's JSON reader: every document it accepts is written as a
// hotkey file that reads back as the same document.

#include "fuzzsupport.h"
#include "hotkeys/hotkeyfile.h"
#include "persist/objectstream.h"
#include "tools/hotkeyjson.h"

using namespace tarvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool registered = (InitHotKeyFileClasses(), true);
    (void)registered;
    std::unique_ptr<THotKeyFile> document;
    try {
        document = HotKeyDocumentFromJson(std::string(fuzz::AsText(data, size)));
    } catch (const EHotKeyJsonError&) {
        return 0;
    }
    TObjectStream stream(THotKeyFile::StreamInitialSize);
    stream.PutObject(*document);
    TObjectStream reread(0);
    reread.LoadFromBytes(stream.Bytes());
    fuzz::Require(HotKeyDocumentToJson(*reread.GetObjectAs<THotKeyFile>()) == HotKeyDocumentToJson(*document),
                  "a built file does not read back as its JSON");
    return 0;
}
