#pragma once
// Notices when another program changes a file: a hotkey file rebuilt by
// tvotool or edited elsewhere while the program has it open.

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace tarvo {

class TFileChangeWatcher : public QObject {
    Q_OBJECT

public:
    explicit TFileChangeWatcher(QObject* parent = nullptr);

    // Watches the file from now on and takes its state on disk as known:
    // call after the program itself loaded or saved it.
    void Watch(const std::string& fileName);
    // Whether the file on disk is no longer the one last known: it was
    // written or replaced by someone else. A file that is gone is not
    // newer than anything.
    bool ChangedOnDisk() const;

signals:
    // The file changed on disk and has been quiet since for a moment, so
    // that a writer is done with it.
    void Changed();

private:
    struct TFileState {
        std::filesystem::file_time_type Modified;
        std::uintmax_t Size;
        bool operator==(const TFileState&) const = default;
    };
    static std::optional<TFileState> StateOnDisk(const std::string& fileName);
    void Rewatch();
    void Settled();

    std::string fileName_;
    std::optional<TFileState> known_;
    QFileSystemWatcher watcher_;
    QTimer quiet_;
};

} // namespace tarvo
