#include "dialogs/programicon.h"

#include <QDir>
#include <QLabel>

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

void StyleAsProgramName(QLabel& label, int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setItalic(true);
    label.setFont(font);
    QPalette red = label.palette();
    red.setColor(QPalette::WindowText, Qt::red);
    label.setPalette(red);
}

} // namespace tarvo
