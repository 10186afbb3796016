#pragma once
// Start-up and shutdown of the language library's modules, after the
// persistence library's.

namespace tarvo {

// InitPersistModules, then the international message table, the translation
// container classes and the message record class.
void InitLangModules();
// Ends the modules in reverse order, the persistence library's last.
void FinalizeLangModules();

} // namespace tarvo
