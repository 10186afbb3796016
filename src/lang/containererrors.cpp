#include "lang/containererrors.h"

#include <string>

namespace tarvo {

EContainerDamaged::EContainerDamaged(size_t offset, std::string_view detail)
    : EMLangInvalid("Container data damaged at byte " + std::to_string(offset) + ": " + std::string(detail))
{
}

} // namespace tarvo
