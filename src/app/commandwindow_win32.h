#pragma once
// The running program's interface to its later starts on Windows: a
// message-only window of the class "TarvoCommandWindow" that answers
// WM_COPYDATA. The data's number says what is asked, its bytes carry a
// UTF-16 text: 1 runs the hotkey of that name or ID (answer 1, or 2 when
// there is none), 2 shows the window when that file is open (answer 1, or 0
// for another file). Every running Tarvo has one; `tarvo --run` asks the
// first one found, a start with a file asks each.

#include <memory>

#include <QObject>

#include "app/commandhandlers.h"
#include "app/hotkeyregistrar.h"

namespace tarvo {

// Serves the interface while the returned object lives.
std::unique_ptr<QObject> ServeCommandWindow(THotKeyRegistrar& registrar, TCommandHandlers handlers);

} // namespace tarvo
