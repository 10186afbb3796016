#include "dialogs/programicon.h"

#include <QDir>

// Registers resources/tarvo.qrc. A static library's resources must be
// registered by name: nothing else refers to them, and the linker would
// leave them out. Registering twice is harmless.
static void RegisterProgramResources()
{
    Q_INIT_RESOURCE(tarvo);
}

namespace tarvo {

QIcon ProgramIcon()
{
    RegisterProgramResources();
    QIcon icon;
    const QDir icons(QStringLiteral(":/icons"));
    for (const QString& file : icons.entryList(QDir::Files))
        icon.addFile(icons.filePath(file));
    return icon;
}

} // namespace tarvo
