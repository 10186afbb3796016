#include "app/windows/filechangewatcher.h"

#include <QFileInfo>

namespace tarvo {

namespace {
// How long the file must stay untouched before it counts as written: a
// writer that truncates and then writes is done by then.
constexpr int QuietMs = 250;
} // namespace

TFileChangeWatcher::TFileChangeWatcher(QObject* parent) : QObject(parent)
{
    quiet_.setSingleShot(true);
    quiet_.setInterval(QuietMs);
    // Replacing a file by renaming another over it shows in its directory;
    // writing into it shows on the file.
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { quiet_.start(); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { quiet_.start(); });
    connect(&quiet_, &QTimer::timeout, this, &TFileChangeWatcher::Settled);
}

void TFileChangeWatcher::Watch(const std::string& fileName)
{
    fileName_ = fileName;
    known_ = StateOnDisk(fileName);
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    const QFileInfo file(QString::fromStdString(fileName));
    watcher_.addPath(file.absolutePath());
    Rewatch();
}

bool TFileChangeWatcher::ChangedOnDisk() const
{
    const auto now = StateOnDisk(fileName_);
    return now && now != known_;
}

std::optional<TFileChangeWatcher::TFileState> TFileChangeWatcher::StateOnDisk(const std::string& fileName)
{
    std::error_code error;
    const std::filesystem::path path(fileName);
    const auto modified = std::filesystem::last_write_time(path, error);
    if (fileName.empty() || error)
        return std::nullopt;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        return std::nullopt;
    return TFileState{modified, size};
}

// A file replaced by a rename is a new file, which the watch of the old one
// does not follow.
void TFileChangeWatcher::Rewatch()
{
    const QString path = QString::fromStdString(fileName_);
    if (!watcher_.files().contains(path) && QFileInfo::exists(path))
        watcher_.addPath(path);
}

void TFileChangeWatcher::Settled()
{
    Rewatch();
    if (ChangedOnDisk())
        emit Changed();
}

} // namespace tarvo
