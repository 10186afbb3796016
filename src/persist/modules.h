#pragma once
// Start-up and shutdown of the persistence library's modules, in their one
// order. The layers above start theirs after these (lang/modules.h,
// hotkeys/hotkeyfile.h, app/startup.h).

namespace tarvo {

// Creates the class registry, then registers the library's classes: object
// lists, texts, dates (which also take today's date), identified objects,
// list entries.
void InitPersistModules();
// Ends the modules in reverse order.
void FinalizePersistModules();

} // namespace tarvo
