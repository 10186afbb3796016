#pragma once
// The folder browser's dialog: the title above a tree of the file system's
// folders under one root folder, an optional status line, OK and Cancel.
// OK is enabled only while the selection has a file-system path. Laid out
// in design pixels like the forms, so that it follows the desktop's font.

#include <QDialog>

#include <string>

#include "dialogs/designlayout.h"

class QFileSystemModel;
class QLabel;
class QModelIndex;
class QPushButton;
class QSortFilterProxyModel;
class QTreeView;

namespace tarvo {

class TBrowseFolderDialog : public QDialog {
    Q_OBJECT

public:
    // The tree shows rootFolder as its one top item; with openHome the home
    // folder is opened below it.
    TBrowseFolderDialog(QWidget* owner, const std::string& rootFolder, bool openHome, const std::string& title,
                        bool withStatusLine);

    // Selects the folder and shows it; a path outside the tree changes nothing.
    void SetSelection(const std::string& path);
    // The file-system path of the selected folder; empty without a selection.
    std::string SelectedPath() const;
    // Shown only when the dialog has a status line.
    void SetStatusText(const std::string& text);
    void EnableOk(bool enabled);

    const TDesignScale& Scale() const { return scale_; }
    QPushButton* OkButton() const { return ok_; }
    QTreeView* Tree() const { return tree_; }

signals:
    void SelectionChanged(const std::string& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QModelIndex ViewIndexOf(const std::string& path) const;
    void ShowSelection();

    TDesignScale scale_;
    QFileSystemModel* folders_;
    QSortFilterProxyModel* underRoot_;
    QTreeView* tree_;
    QLabel* status_ = nullptr;
    QPushButton* ok_;
    bool followSelection_ = true;
};

} // namespace tarvo
