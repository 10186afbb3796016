#include "lang/componentproperties.h"

#include "persist/textservices.h"

namespace tarvo {

QString DisplayText(std::string_view bytes)
{
    return QString::fromStdString(text::ToDisplayText(bytes));
}

} // namespace tarvo
