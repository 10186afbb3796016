#include "dialogs/browsefolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QStandardPaths>

#include <filesystem>
#include <vector>

#include "dialogs/browsefolderdialog.h"
#include "persist/text.h"

namespace tarvo {

namespace {

// The extra button's place in the dialog, in design pixels.
constexpr int CustomButtonLeft = 12;
constexpr int CustomButtonTop = 270;
constexpr int CustomButtonHeight = 23;

constexpr std::string_view StatusSeparator = "/";
constexpr std::string_view StatusEllipsis = "...";
constexpr size_t StatusLimit = 35;

std::string Location(QStandardPaths::StandardLocation location, const char* below = "")
{
    return (QStandardPaths::writableLocation(location) + QLatin1String(below)).toStdString();
}

std::vector<std::string_view> Split(std::string_view text, std::string_view separator)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t found; !separator.empty() && (found = text.find(separator, start)) != text.npos;
         start = found + separator.size())
        parts.push_back(text.substr(start, found - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::string Join(const std::vector<std::string_view>& parts, std::string_view separator)
{
    std::string joined;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            joined += separator;
        joined += parts[i];
    }
    return joined;
}

} // namespace

std::optional<std::string> SpecialFolderPath(TSHFolders folder)
{
    switch (folder) {
    case foDesktop:
    case foDesktopExpanded:
    case foMyComputer:
        return "/";
    case foPrograms:
    case foStartMenu:
        return Location(QStandardPaths::ApplicationsLocation);
    case foPersonal:
        return Location(QStandardPaths::DocumentsLocation);
    case foStartup:
        return Location(QStandardPaths::GenericConfigLocation, "/autostart");
    case foRecycleBin:
        return Location(QStandardPaths::GenericDataLocation, "/Trash/files");
    case foDesktopDirectory:
        return Location(QStandardPaths::DesktopLocation);
    case foFonts:
        return Location(QStandardPaths::FontsLocation);
    case foTemplates:
        return Location(QStandardPaths::TemplatesLocation);
    case foControlPanel:
    case foPrinters:
    case foFavorites:
    case foRecent:
    case foSendto:
    case foNetwork:
    case foNetworkNeighborhood:
        break;
    }
    return std::nullopt;
}

std::string ShortenPath(std::string_view path, std::string_view separator, std::string_view ellipsis, size_t limit)
{
    if (CharacterCount(path) <= limit)
        return std::string(path);
    std::vector<std::string_view> parts = Split(path, separator);
    if (parts.size() <= 2)
        return std::string(path);
    parts[1] = ellipsis;
    std::string shortened = Join(parts, separator);
    while (CharacterCount(shortened) > limit && parts.size() > 3) {
        parts.erase(parts.begin() + 2);
        shortened = Join(parts, separator);
    }
    return shortened;
}

bool FolderExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

TBrowseFolder::TBrowseFolder(QObject* owner) : QObject(owner)
{
}

void TBrowseFolder::SetCustomButtonEnabled(bool enabled)
{
    customButtonEnabled_ = enabled;
    if (customButton_)
        customButton_->setEnabled(enabled);
}

void TBrowseFolder::SetCustomButtonCaption(const std::string& caption)
{
    customButtonCaption_ = caption;
    if (customButton_)
        customButton_->setText(QString::fromStdString(caption));
}

void TBrowseFolder::SetCustomButtonWidth(int width)
{
    customButtonWidth_ = width > 0 ? width : DefaultCustomButtonWidth;
}

bool TBrowseFolder::Execute()
{
    // The dialog belongs to the owner's window, or else to the active one.
    QWidget* foreground = QApplication::activeWindow();
    auto* ownerWidget = qobject_cast<QWidget*>(parent());
    QWidget* owner = ownerWidget ? ownerWidget->window() : foreground;

    // A special folder without a counterpart here, or one that does not
    // exist, leaves the whole file system in the tree.
    std::string root = "/";
    if (const auto special = SpecialFolderPath(RootFolder); special && FolderExists(*special))
        root = *special;
    TBrowseFolderDialog dialog(owner, root, RootFolder == foDesktopExpanded, Title, (Flags & bfStatusText) != 0);
    connect(&dialog, &TBrowseFolderDialog::SelectionChanged, this,
            [this, &dialog](const std::string& path) { SelectionChanged(dialog, path); });
    dialog.SetSelection(root);
    // The rest of the set-up runs once the dialog is up, inside its modal loop.
    QMetaObject::invokeMethod(
        &dialog, [this, &dialog, foreground] { Initialize(dialog, foreground); }, Qt::QueuedConnection);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    if (chosen) {
        if (CustomButtonType == btCheckBox && customButton_)
            CustomButtonChecked = customButton_->isChecked();
        selectionPath_ = dialog.SelectedPath();
        Directory = selectionPath_;
    }
    return chosen;
}

void TBrowseFolder::Initialize(TBrowseFolderDialog& dialog, QWidget* foreground)
{
    // Centred horizontally over the window that was active, a quarter of its
    // height down; the size stays.
    if (foreground) {
        const QRect over = foreground->frameGeometry();
        const QRect own = dialog.frameGeometry();
        dialog.move(over.left() + over.width() / 2 - own.width() / 2, over.top() + over.height() / 4);
    }
    if (FolderExists(Directory))
        dialog.SetSelection(Directory);
    if (CustomButtonVisible)
        CreateCustomButton(dialog);
    if (OnInitialized)
        OnInitialized(*this, &dialog);
}

void TBrowseFolder::CreateCustomButton(TBrowseFolderDialog& dialog)
{
    QAbstractButton* button;
    if (CustomButtonType == btCheckBox) {
        auto* checkBox = new QCheckBox(&dialog);
        checkBox->setChecked(CustomButtonChecked);
        button = checkBox;
    } else
        button = new QPushButton(&dialog);
    button->setObjectName(QStringLiteral("CustomButton"));
    button->setText(QString::fromStdString(customButtonCaption_));
    button->setGeometry(
        dialog.Scale().Map({CustomButtonLeft, CustomButtonTop, customButtonWidth_, CustomButtonHeight}));
    button->setEnabled(customButtonEnabled_);
    connect(button, &QAbstractButton::clicked, this, [this, &dialog] {
        if (OnCustomButtonClick)
            OnCustomButtonClick(*this, &dialog);
    });
    button->show();
    customButton_ = button;
}

void TBrowseFolder::SelectionChanged(TBrowseFolderDialog& dialog, const std::string& path)
{
    selectionPath_ = path;
    if (ShowPathInStatusArea)
        dialog.SetStatusText(ShortenPath(path, StatusSeparator, StatusEllipsis, StatusLimit));
    const bool hasPath = !path.empty();
    dialog.EnableOk(hasPath);
    if (SyncCustomButton)
        SetCustomButtonEnabled(hasPath);
    if (OnSelectionChanged)
        OnSelectionChanged(*this, &dialog, path, selectionPath_);
}

} // namespace tarvo
