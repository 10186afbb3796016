// The object stream with every stored class registered: any object a file
// can name is read, and what was read is written and read back unchanged.

#include "fuzzsupport.h"
#include "hotkeys/hotkeyfile.h"
#include "lang/message.h"
#include "persist/dates.h"
#include "persist/objectstream.h"

using namespace tarvo;

namespace {

std::vector<uint8_t> StoredBytes(const TStreamableObject& object)
{
    TObjectStream stream(0);
    stream.PutObject(object);
    return stream.Bytes();
}

std::unique_ptr<TStreamableObject> Loaded(std::vector<uint8_t> bytes)
{
    TObjectStream stream(0);
    stream.LoadFromBytes(std::move(bytes));
    return stream.GetObject();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool registered = [] {
        InitHotKeyFileClasses();
        InitDateModule();
        InitAppMessageModule();
        return true;
    }();
    (void)registered;
    std::unique_ptr<TStreamableObject> object;
    try {
        object = Loaded({data, data + size});
    } catch (const ETarvoError&) {
        return 0;
    }
    const auto stored = StoredBytes(*object);
    fuzz::Require(StoredBytes(*Loaded(stored)) == stored, "an object read back is not the object written");
    return 0;
}
