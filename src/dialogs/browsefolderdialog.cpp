#include "dialogs/browsefolderdialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTreeView>

namespace tarvo {

namespace {

// The dialog's layout in design pixels; the extra button of the folder
// browser goes to the bottom left, at 12, 270.
constexpr int ClientWidth = 312;
constexpr int ClientHeight = 305;
constexpr TDesignRect TitleRect{12, 8, 288, 26};
constexpr TDesignRect StatusRect{12, 36, 288, 13};
constexpr TDesignRect TreeRect{12, 54, 288, 206};
constexpr TDesignRect OkRect{144, 270, 75, 23};
constexpr TDesignRect CancelRect{225, 270, 75, 23};

// Whether path is folder or lies below it.
bool IsWithin(const QString& path, const QString& folder)
{
    if (folder == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

// Keeps the root folder, what lies below it and the folders above it (so
// that the view can start at the root's parent with the root as the one
// item there).
class TUnderRootFilter : public QSortFilterProxyModel {
public:
    TUnderRootFilter(QFileSystemModel& folders, QString root, QObject* parent)
        : QSortFilterProxyModel(parent), folders_(folders), root_(std::move(root))
    {
        setSourceModel(&folders);
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        const QString path = folders_.filePath(folders_.index(row, 0, parent));
        return IsWithin(path, root_) || IsWithin(root_, path);
    }

private:
    QFileSystemModel& folders_;
    QString root_;
};

QString ToQt(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

TBrowseFolderDialog::TBrowseFolderDialog(QWidget* owner, const std::string& rootFolder, bool openHome,
                                         const std::string& title, bool withStatusLine)
    : QDialog(owner), scale_(font())
{
    setObjectName(QStringLiteral("BrowseFolderDialog"));
    // The texts the dialog brings along come from Qt's own translations, so
    // they follow the language Qt was given.
    setWindowTitle(QCoreApplication::translate("QFileDialog", "Find Directory"));
    setFixedSize(scale_.MapSize(ClientWidth, ClientHeight));

    auto* titleLabel = new QLabel(ToQt(title), this);
    titleLabel->setWordWrap(true);
    titleLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    titleLabel->setGeometry(scale_.Map(TitleRect));
    if (withStatusLine) {
        status_ = new QLabel(this);
        status_->setObjectName(QStringLiteral("Status"));
        status_->setGeometry(scale_.Map(StatusRect));
    }

    const QString root = QDir::cleanPath(ToQt(rootFolder));
    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    folders_->setRootPath(root);
    underRoot_ = new TUnderRootFilter(*folders_, root, this);

    tree_ = new QTreeView(this);
    tree_->setObjectName(QStringLiteral("Tree"));
    tree_->setGeometry(scale_.Map(TreeRect));
    tree_->setModel(underRoot_);
    tree_->setHeaderHidden(true);
    for (int column = 1; column < underRoot_->columnCount(); ++column)
        tree_->hideColumn(column);
    tree_->setRootIndex(underRoot_->mapFromSource(folders_->index(root).parent()));
    if (openHome)
        for (QModelIndex folder = ViewIndexOf(QDir::homePath().toStdString()); folder.isValid();
             folder = folder.parent())
            tree_->expand(folder);
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { emit SelectionChanged(SelectedPath()); });
    // Folders are read and sorted in the background: the folders above the
    // selection fill up and push it out of view. Until the user acts in the
    // tree, it follows the selection.
    const auto keepSelectionInView = [this] {
        if (followSelection_)
            QMetaObject::invokeMethod(this, &TBrowseFolderDialog::ShowSelection, Qt::QueuedConnection);
    };
    connect(underRoot_, &QAbstractItemModel::rowsInserted, this, keepSelectionInView);
    connect(underRoot_, &QAbstractItemModel::layoutChanged, this, keepSelectionInView);
    for (QWidget* input : std::initializer_list<QWidget*>{tree_, tree_->viewport(), tree_->verticalScrollBar()})
        input->installEventFilter(this);

    ok_ = new QPushButton(QCoreApplication::translate("QPlatformTheme", "OK"), this);
    ok_->setObjectName(QStringLiteral("BtnOK"));
    ok_->setGeometry(scale_.Map(OkRect));
    ok_->setDefault(true);
    ok_->setEnabled(false);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton(QCoreApplication::translate("QPlatformTheme", "Cancel"), this);
    cancel->setObjectName(QStringLiteral("BtnCancel"));
    cancel->setGeometry(scale_.Map(CancelRect));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QModelIndex TBrowseFolderDialog::ViewIndexOf(const std::string& path) const
{
    if (path.empty())
        return {};
    return underRoot_->mapFromSource(folders_->index(QDir::cleanPath(ToQt(path))));
}

void TBrowseFolderDialog::SetSelection(const std::string& path)
{
    const QModelIndex folder = ViewIndexOf(path);
    if (!folder.isValid())
        return;
    tree_->setCurrentIndex(folder);
    ShowSelection();
}

void TBrowseFolderDialog::ShowSelection()
{
    tree_->scrollTo(tree_->currentIndex(), QAbstractItemView::PositionAtCenter);
}

bool TBrowseFolderDialog::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::Wheel || type == QEvent::KeyPress)
        followSelection_ = false;
    return QDialog::eventFilter(watched, event);
}

std::string TBrowseFolderDialog::SelectedPath() const
{
    const QModelIndex current = tree_->currentIndex();
    if (!current.isValid())
        return {};
    return folders_->filePath(underRoot_->mapToSource(current)).toStdString();
}

void TBrowseFolderDialog::SetStatusText(const std::string& text)
{
    if (status_)
        status_->setText(ToQt(text));
}

void TBrowseFolderDialog::EnableOk(bool enabled)
{
    ok_->setEnabled(enabled);
}

} // namespace tarvo
