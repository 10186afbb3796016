// Stored translation containers as tvotool container reads and shows them;
// what was read is written and read back unchanged.

#include "fuzzsupport.h"
#include "lang/containermodule.h"
#include "tools/containerjson.h"

using namespace tarvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool registered = (InitContainerModule(), true);
    (void)registered;
    std::unique_ptr<TInfoList> container;
    try {
        container = ReadContainerFile(fuzz::AsFile(data, size));
    } catch (const ETarvoError&) {
        return 0;
    }
    (void)ContainerToJson(*container);
    const auto block = SaveToBlock(*container);
    TInfoList reread;
    LoadFromBlock(reread, block);
    fuzz::Require(SaveToBlock(reread) == block, "a container read back is not the container written");
    return 0;
}
