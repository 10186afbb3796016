#include "lang/componentproperties.h"

#include "persist/textservices.h"

namespace tarvo {

QString DisplayText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace tarvo
