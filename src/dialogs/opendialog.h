#pragma once
// The file-open dialog of the forms: a non-visual component with a title, a
// list of file kinds to choose from and an initial file name. The user can
// only confirm a file that exists.

#include <QObject>
#include <QSortFilterProxyModel>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

class QFileDialog;

namespace tarvo {

// What one entry of the dialog's file-kind list shows: folders always, and
// the files matching one of the patterns, or, with Executables, also every
// file the user may run.
struct TFileKind {
    QStringList Patterns;
    bool Executables = false;
};

// Narrows a file dialog's file-system model to one file kind.
class TFileKindFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void SetKind(TFileKind kind);

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

private:
    TFileKind kind_;
};

class TOpenDialog : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString title MEMBER Title)
    Q_PROPERTY(QString filter MEMBER Filter)

public:
    explicit TOpenDialog(QObject* owner);

    QString Title;
    // The names of the file kinds, separated by "|", in the order of Kinds.
    QString Filter;
    std::vector<TFileKind> Kinds;
    // In: the file to start at; out, after a confirmed Execute: the full path
    // of the chosen file.
    std::string FileName;
    // Called with the dialog once it is up, inside its modal loop.
    std::function<void(QFileDialog& dialog)> OnShow;

    // Runs the dialog modally; true when the user confirmed a file.
    bool Execute();
};

} // namespace tarvo
