#pragma once
// The folder browser: a non-visual component that lets the user pick a
// folder in a modal dialog of its own (TBrowseFolderDialog), with an initial
// selection, placement over the active window, an optional path display in
// the status line, an optional extra push button or check box, and events
// for the dialog's start, each change of selection and the extra button.

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QAbstractButton;

namespace tarvo {

class TBrowseFolderDialog;

// Options of the browser, with the values the shell of the design uses.
// Only bfStatusText changes anything here (the dialog gets a status line):
// the tree lists file-system folders only, and there are no domains,
// computers or printers to browse.
enum TBrowseInfoFlag : uint32_t {
    bfFileSysDirsOnly = 0x0001,
    bfDontGoBelowDomain = 0x0002,
    bfStatusText = 0x0004,
    bfFileSysAncestors = 0x0008,
    bfBrowseForComputer = 0x1000,
    bfBrowseForPrinter = 0x2000,
};
using TBrowseInfoFlags = uint32_t;

// The folder at the top of the tree.
enum TSHFolders {
    foDesktop,
    foDesktopExpanded, // the whole file system, the home folder opened
    foPrograms,
    foControlPanel,
    foPrinters,
    foPersonal,
    foFavorites,
    foStartup,
    foRecent,
    foSendto,
    foRecycleBin,
    foStartMenu,
    foDesktopDirectory,
    foMyComputer,
    foNetwork,
    foNetworkNeighborhood,
    foFonts,
    foTemplates,
};

enum TCustomButtonType { btPushButton, btCheckBox };

// The desktop's folder that stands for a special folder; nullopt for those
// without a counterpart here (control panel, printers, network, ...).
// foDesktop and foMyComputer are the whole file system, "/".
std::optional<std::string> SpecialFolderPath(TSHFolders folder);

// Shortens a path for display: keeps the first part, the ellipsis in place
// of the second, and as many of the last parts as fit into limit characters
// (always the last part, even when that alone is too long). Paths within the
// limit and paths of two parts or fewer stay as they are.
std::string ShortenPath(std::string_view path, std::string_view separator, std::string_view ellipsis, size_t limit);

// True when the path names an existing folder.
bool FolderExists(const std::string& path);

class TBrowseFolder : public QObject {
    Q_OBJECT

public:
    using TBrowserInitializedEvent = std::function<void(TBrowseFolder& sender, TBrowseFolderDialog* dialogHandle)>;
    // itemPath is the selected item's place in the tree, directory its
    // file-system path (empty for an item without one, or no selection).
    using TSelectionChangedEvent = std::function<void(TBrowseFolder& sender, TBrowseFolderDialog* dialogHandle,
                                                      const std::string& itemPath, const std::string& directory)>;
    using TCustomButtonClickEvent = std::function<void(TBrowseFolder& sender, TBrowseFolderDialog* dialogHandle)>;

    static constexpr int DefaultCustomButtonWidth = 75;

    explicit TBrowseFolder(QObject* owner);

    // In: the folder to select at the start; out (after a successful
    // Execute): the chosen folder.
    std::string Directory;
    std::string Title;
    TBrowseInfoFlags Flags = bfFileSysDirsOnly | bfStatusText;
    bool ShowPathInStatusArea = false;
    TSHFolders RootFolder = foDesktopExpanded;
    bool CustomButtonVisible = false;
    TCustomButtonType CustomButtonType = btPushButton;
    // In and out: read back from the check box when the user leaves through OK.
    bool CustomButtonChecked = false;
    // Enable the extra button exactly when OK is enabled.
    bool SyncCustomButton = false;

    bool CustomButtonEnabled() const { return customButtonEnabled_; }
    void SetCustomButtonEnabled(bool enabled);
    const std::string& CustomButtonCaption() const { return customButtonCaption_; }
    void SetCustomButtonCaption(const std::string& caption);
    int CustomButtonWidth() const { return customButtonWidth_; }
    // Values of 0 or less store the default width.
    void SetCustomButtonWidth(int width);

    TBrowserInitializedEvent OnInitialized;
    TSelectionChangedEvent OnSelectionChanged;
    TCustomButtonClickEvent OnCustomButtonClick;

    // Runs the dialog modally. True when the user chose a folder, which is
    // then in Directory; false leaves Directory as it was.
    bool Execute();

private:
    void Initialize(TBrowseFolderDialog& dialog, QWidget* foreground);
    void CreateCustomButton(TBrowseFolderDialog& dialog);
    void SelectionChanged(TBrowseFolderDialog& dialog, const std::string& path);

    bool customButtonEnabled_ = true;
    std::string customButtonCaption_;
    int customButtonWidth_ = DefaultCustomButtonWidth;
    // The extra button while its dialog is open.
    QPointer<QAbstractButton> customButton_;
    // The file-system path of the current selection.
    std::string selectionPath_;
};

} // namespace tarvo
