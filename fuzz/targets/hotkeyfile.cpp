// Hotkey files as the program and tvotool read them: a document that could
// be read is shown as JSON (tvotool dump), and saved it reads back as
// itself. Building from the dump may refuse what a file can hold (an
// identifier used twice) and sorts lists a file may hold out of order.

#include "fuzzsupport.h"
#include "hotkeys/hotkeyfile.h"
#include "persist/objectstream.h"
#include "tools/hotkeyjson.h"

using namespace tarvo;

namespace {

std::vector<uint8_t> StoredBytes(const THotKeyFile& document)
{
    TObjectStream stream(THotKeyFile::StreamInitialSize);
    stream.PutObject(document);
    return stream.Bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool registered = (InitHotKeyFileClasses(), true);
    (void)registered;
    std::unique_ptr<THotKeyFile> document;
    try {
        document = ReadHotKeyDocument(fuzz::AsFile(data, size));
    } catch (const ETarvoError&) {
        return 0;
    }
    try {
        HotKeyDocumentFromJson(HotKeyDocumentToJson(*document));
    } catch (const EHotKeyJsonError&) {
    }
    const auto saved = StoredBytes(*document);
    fuzz::Require(StoredBytes(*ReadHotKeyDocument(fuzz::AsFile(saved.data(), saved.size()))) == saved,
                  "a saved document does not read back as itself");
    return 0;
}
