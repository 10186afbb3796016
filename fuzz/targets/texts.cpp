// The display text of a key combination; a stored text decoded, which
// encodes back to the same text; and %NAME% references expanded in it, as
// in the texts of a command. The input is the combination (two bytes), the
// stored text, then NAME=VALUE pairs of the environment, separated by NUL
// bytes.

#include <algorithm>
#include <map>

#include "fuzzsupport.h"
#include "hotkeys/shortcut.h"
#include "persist/text.h"
#include "persist/textservices.h"

using namespace tarvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    (void)ShortcutText(static_cast<TShortCut>(data[0] | data[1] << 8));
    const auto fields = fuzz::Fields(fuzz::AsText(data + 2, size - 2), 8);
    std::map<std::string, std::string> environment;
    for (size_t i = 1; i < fields.size(); ++i) {
        const size_t equals = fields[i].find('=');
        if (equals != std::string::npos)
            environment[fields[i].substr(0, equals)] = fields[i].substr(equals + 1);
    }
    const std::string decoded = text::Decode(fields[0]);
    fuzz::Require(text::Decode(text::Encode(decoded)) == decoded, "a text does not read back as itself");
    size_t longestValue = 0;
    for (const auto& [name, value] : environment)
        longestValue = std::max(longestValue, value.size());
    TText text(decoded);
    text.ExpandEnvironment([&](const std::string& name) -> std::optional<std::string> {
        const auto found = environment.find(name);
        if (found == environment.end())
            return std::nullopt;
        return found->second;
    });
    // Each reference is replaced once, by a value that is not expanded again.
    fuzz::Require(text.GetText().size() <= decoded.size() * (longestValue + 1), "an expansion grew without bound");
    return 0;
}
