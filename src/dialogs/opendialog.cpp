#include "dialogs/opendialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>

namespace tarvo {

void TFileKindFilter::SetKind(TFileKind kind)
{
    kind_ = std::move(kind);
    invalidateFilter();
}

bool TFileKindFilter::filterAcceptsRow(int row, const QModelIndex& parent) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!files)
        return true;
    const QFileInfo file = files->fileInfo(files->index(row, 0, parent));
    return file.isDir() || (kind_.Executables && file.isExecutable()) || QDir::match(kind_.Patterns, file.fileName());
}

TOpenDialog::TOpenDialog(QObject* owner) : QObject(owner)
{
}

bool TOpenDialog::Execute()
{
    auto* owner = qobject_cast<QWidget*>(parent());
    QFileDialog dialog(owner ? owner->window() : nullptr, Title);
    // Qt's own dialog: only there can a file kind list executable files.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    auto* kindFilter = new TFileKindFilter(&dialog);
    dialog.setProxyModel(kindFilter);

    // Qt takes a kind's patterns from the last parentheses of its entry and
    // lists the names without them. A kind with executables lets Qt list
    // every file; the filter narrows them.
    const QStringList names = Filter.split(QLatin1Char('|'));
    QStringList entries;
    for (size_t i = 0; i < Kinds.size(); ++i) {
        const QStringList patterns = Kinds[i].Executables ? QStringList{QStringLiteral("*")} : Kinds[i].Patterns;
        entries << names.value(qsizetype(i)) + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(entries);
    const auto useSelectedKind = [&] {
        const qsizetype kind = entries.indexOf(dialog.selectedNameFilter());
        kindFilter->SetKind(kind < 0 ? TFileKind{{QStringLiteral("*")}} : Kinds[size_t(kind)]);
    };
    useSelectedKind();
    connect(&dialog, &QFileDialog::filterSelected, kindFilter, useSelectedKind);

    if (!FileName.empty())
        dialog.selectFile(QString::fromStdString(FileName));
    if (OnShow)
        QMetaObject::invokeMethod(
            &dialog, [this, &dialog] { OnShow(dialog); }, Qt::QueuedConnection);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    FileName = dialog.selectedFiles().first().toStdString();
    return true;
}

} // namespace tarvo
