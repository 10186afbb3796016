#include "app/windows/hotkeyfiledialog.h"

#include <QFileDialog>

namespace tarvo {

namespace {

// Qt's name filters from "description|pattern" pairs: Qt takes the patterns
// from the description's parentheses and adds them where it has none.
QStringList NameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList names;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        names << (parts[i].contains(QLatin1Char('(')) ? parts[i] : parts[i] + " (" + pattern + ")");
    }
    return names;
}

bool ChooseInQtFileDialog(THotKeyFileDialog& component)
{
    QFileDialog dialog(qobject_cast<QWidget*>(component.parent()));
    const bool open = component.Purpose == THotKeyFileDialog::Open;
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(NameFilters(component.Filter));
    dialog.setDefaultSuffix(component.DefaultExt);
    dialog.selectFile(QString::fromStdString(component.FileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    component.FileName = dialog.selectedFiles().constFirst().toStdString();
    return true;
}

} // namespace

THotKeyFileDialog::THotKeyFileDialog(TPurpose purpose, QWidget* owner)
    : QObject(owner), Purpose(purpose), Choose(&ChooseInQtFileDialog)
{
}

} // namespace tarvo
