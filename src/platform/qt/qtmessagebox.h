#pragma once
// The message box on Qt Widgets.

#include "platform/messagebox.h"
#include "platform/services.h"

namespace tarvo::platform::qt {

// A modal QMessageBox without a parent, laid out as the style word asks:
// the button set, icon and default button; Escape and the title bar's close
// button answer with the layout's escape button. Needs a QApplication.
class TQtMessageBox : public IMessageBox {
public:
    int Show(std::string_view text, std::string_view caption, uint32_t style) override;
};

// Installs TQtMessageBox as the message-box service; call it once the
// QApplication exists.
void InstallQtMessageBox(TServices& services);

} // namespace tarvo::platform::qt
