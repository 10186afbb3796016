#pragma once
// Start-up of the translation container library.

namespace tarvo {

// Creates the container class register (replacing any earlier one) and
// registers the stored classes: TLngId, TLngLst, the entry classes, TInfoList,
// TDictionaryItem and TDictionary.
void InitContainerModule();
// Frees the register.
void FinalizeContainerModule();

} // namespace tarvo
