#include "platform/virtualkeys.h"

namespace tarvo::platform {

// Windows reports each key's own virtual key, whatever the layout.
uint16_t VirtualKeyOfCharacterKey(uint32_t /*xkbKeyCode*/, uint32_t nativeVirtualKey)
{
    return nativeVirtualKey > 0 && nativeVirtualKey < 0xFF ? static_cast<uint16_t>(nativeVirtualKey) : 0;
}

} // namespace tarvo::platform
