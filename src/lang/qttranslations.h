#pragma once
// Qt's own texts in the interface language: the standard buttons of message
// boxes (Ja/Nein/Abbrechen in German) and the other texts Qt's dialogs
// show. They come from the translation files installed with Qt (Debian
// package qt6-translations-l10n).

#include <cstdint>

namespace tarvo {

// Installs Qt's translations for the language index (1 German), or removes
// them for English, Qt's own language. A missing translation file is logged
// and leaves Qt's texts in English. Does nothing without a QCoreApplication.
void SelectQtLanguage(int32_t language);

} // namespace tarvo
