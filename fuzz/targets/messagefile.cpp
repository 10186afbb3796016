// Message files as the program and tvotool read them, with each message's
// text formatted as a message box formats it.

#include "fuzzsupport.h"
#include "hotkeys/hotkeyfile.h"
#include "lang/message.h"
#include "lang/messageformat.h"
#include "tools/messagejson.h"

using namespace tarvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool registered = (InitHotKeyFileClasses(), InitAppMessageModule(), true);
    (void)registered;
    std::unique_ptr<TIDList> messages;
    try {
        messages = ReadMessageFile(fuzz::AsFile(data, size));
    } catch (const ETarvoError&) {
        return 0;
    }
    (void)MessagesToJson(*messages);
    for (int i = 0; i < messages->Count(); ++i)
        (void)FormatMessageText(messages->AtAs<TAppMessage>(i)->Text, {std::string("file.tvo"), int64_t{-42}});
    return 0;
}
