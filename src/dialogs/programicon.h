#pragma once
// The program's icon, compiled into the dialogs library from resources/.

#include <QIcon>

namespace tarvo {

// The icon in every size it was drawn in, 16 to 256 pixels.
QIcon ProgramIcon();

} // namespace tarvo
