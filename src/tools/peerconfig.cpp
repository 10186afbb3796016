#include "tools/peerconfig.h"

#include "tools/configtext.h"

namespace tarvo::tools {

std::optional<TPeerFormat> PeerFormatNamed(std::string_view name)
{
    if (name == "sxhkd")
        return TPeerFormat::Sxhkd;
    if (name == "xbindkeys")
        return TPeerFormat::Xbindkeys;
    return std::nullopt;
}

TPeerFormat DetectPeerFormat(std::string_view fileName, std::string_view text)
{
    constexpr std::string_view SchemeExtension = ".scm";
    if (fileName.size() >= SchemeExtension.size()
        && EqualIgnoringCase(fileName.substr(fileName.size() - SchemeExtension.size()), SchemeExtension))
        return TPeerFormat::Xbindkeys;
    for (const TNumberedLine& line : NumberedLines(text)) {
        const std::string_view content = Trim(line.Text);
        if (content.empty() || content.front() == '#' || content.front() == ';' || content.starts_with("keystate_"))
            continue;
        return content.front() == '"' || content.front() == '(' ? TPeerFormat::Xbindkeys : TPeerFormat::Sxhkd;
    }
    return TPeerFormat::Sxhkd;
}

std::vector<TPeerBinding> ReadPeerConfig(TPeerFormat format, std::string_view text)
{
    return format == TPeerFormat::Sxhkd ? ReadSxhkdConfig(text) : ReadXbindkeysConfig(text);
}

} // namespace tarvo::tools
