#pragma once
// The program's icon, compiled into the dialogs library from resources/,
// and the look of its name on the forms.

#include <QIcon>

class QLabel;

namespace tarvo {

// The icon in every size it was drawn in, 16 to 256 pixels.
QIcon ProgramIcon();

// Shows the label in the look of the program's name: Arial, or the
// metric-compatible Liberation Sans where Arial is not installed, bold
// italic, red, at the pixel size.
void StyleAsProgramName(QLabel& label, int pixelSize);

} // namespace tarvo
