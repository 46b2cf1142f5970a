#pragma once
// Watches a document on disk through inotify and reports changes on the main
// thread, coalesced: the first event of a burst starts a half-second window,
// and the window's end reports once. Nothing runs while nothing changes.
//
// Folder mode watches the document's folder and the folders below it, up to a
// bound, so that a document in a huge tree stays cheap. Single-file mode
// watches one path (a file, or a package folder with its contents) through
// its parent folder, so that a save that writes a temporary file and renames
// it over the original, or a deletion followed by a re-creation, is seen
// like an ordinary write.

#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

class FileWatcher : public QObject {
    Q_OBJECT
public:
    enum class Mode { Folder, SingleFile };

    static constexpr int kCoalescingMilliseconds = 500;
    static constexpr int kMaximumDepth = 3;       // folders below the watched one
    static constexpr int kMaximumFolders = 128;   // inotify watches per document

    FileWatcher(const QString& path, Mode mode, QObject* parent = nullptr);
    ~FileWatcher() override;

    // False when inotify is not available.
    bool start();
    int watchedFolderCount() const { return int(folders_.size()); }

signals:
    void changed();

private:
    void readEvents();
    void noteChange();
    void watchTree(const QString& folder, int depth);
    bool addWatch(const QString& folder, int depth);
    void watchTarget();
    void retryMissingRoot();

    QString path_;
    Mode mode_;
    QString rootFolder_;   // the folder whose entries are watched
    QString targetName_;   // single-file mode: the one entry that counts
    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QHash<int, QString> folders_;   // watch descriptor → folder
    QHash<int, int> depths_;        // watch descriptor → depth below the root
    int rootWatch_ = -1;
    QTimer coalescing_;
    QTimer rootRetry_;
};
