// The registry files of the settings: whatever a file holds, the tree read
// from it is written as a file that reads back as the same tree.

#include "fuzzsupport.h"
#include "platform/linux/regfileformat.h"

using namespace tarvo;
using namespace tarvo::platform;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    constexpr std::string_view Root = "HKEY_CURRENT_USER";
    const auto text = FormatRegistryFile(ParseRegistryFile(fuzz::AsText(data, size), Root), Root);
    if (!text)
        return 0;
    fuzz::Require(FormatRegistryFile(ParseRegistryFile(*text, Root), Root) == text,
                  "a written registry file does not read back as its tree");
    return 0;
}
