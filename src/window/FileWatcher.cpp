#include "window/FileWatcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// Content writes, creations, deletions and renames; not reads, and not
// attribute changes, which a reader's access time can cause.
constexpr uint32_t kFolderEvents = IN_MODIFY | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO
                                   | IN_DELETE_SELF | IN_MOVE_SELF;

}  // namespace

FileWatcher::FileWatcher(const QString& path, Mode mode, QObject* parent)
    : QObject(parent), path_(QFileInfo(path).absoluteFilePath()), mode_(mode) {
    if (mode_ == Mode::Folder) {
        rootFolder_ = QDir::cleanPath(path_);
    } else {
        rootFolder_ = QFileInfo(path_).absolutePath();
        targetName_ = QFileInfo(path_).fileName();
    }
    coalescing_.setSingleShot(true);
    coalescing_.setInterval(kCoalescingMilliseconds);
    connect(&coalescing_, &QTimer::timeout, this, &FileWatcher::changed);
    rootRetry_.setInterval(1000);
    connect(&rootRetry_, &QTimer::timeout, this, &FileWatcher::retryMissingRoot);
}

FileWatcher::~FileWatcher() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool FileWatcher::start() {
    if (fd_ >= 0)
        return true;
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0)
        return false;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &FileWatcher::readEvents);
    if (!addWatch(rootFolder_, 0)) {
        rootRetry_.start();
        return true;
    }
    if (mode_ == Mode::Folder)
        watchTree(rootFolder_, 0);
    else
        watchTarget();
    return true;
}

bool FileWatcher::addWatch(const QString& folder, int depth) {
    if (folders_.size() >= kMaximumFolders)
        return false;
    const int wd = inotify_add_watch(fd_, QFile::encodeName(folder).constData(), kFolderEvents | IN_ONLYDIR);
    if (wd < 0)
        return false;
    folders_.insert(wd, folder);
    depths_.insert(wd, depth);
    if (depth == 0)
        rootWatch_ = wd;
    return true;
}

// Hidden folders (version control, editor state) change often and hold no
// part of the document.
void FileWatcher::watchTree(const QString& folder, int depth) {
    if (depth >= kMaximumDepth)
        return;
    const QFileInfoList children = QDir(folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo& child : children) {
        if (folders_.size() >= kMaximumFolders)
            return;
        if (addWatch(child.absoluteFilePath(), depth + 1))
            watchTree(child.absoluteFilePath(), depth + 1);
    }
}

// A package folder is watched with everything inside it (its assets).
void FileWatcher::watchTarget() {
    if (QFileInfo(path_).isDir() && addWatch(path_, 1))
        watchTree(path_, 1);
}

void FileWatcher::retryMissingRoot() {
    if (!QFileInfo(rootFolder_).isDir() || !addWatch(rootFolder_, 0))
        return;
    rootRetry_.stop();
    if (mode_ == Mode::Folder)
        watchTree(rootFolder_, 0);
    else
        watchTarget();
    noteChange();
}

void FileWatcher::noteChange() {
    if (!coalescing_.isActive())
        coalescing_.start();
}

void FileWatcher::readEvents() {
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t length = ::read(fd_, buffer, sizeof buffer);
        if (length <= 0)
            return;
        for (ssize_t offset = 0; offset < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += ssize_t(sizeof(inotify_event) + event->len);
            const QString folder = folders_.value(event->wd);
            const int depth = depths_.value(event->wd);
            const QString name = event->len ? QFile::decodeName(event->name) : QString();

            if (event->mask & IN_IGNORED) {
                folders_.remove(event->wd);
                depths_.remove(event->wd);
                if (event->wd == rootWatch_) {
                    // The folder itself went away: look for it again until it
                    // is back, then follow it as before.
                    rootWatch_ = -1;
                    rootRetry_.start();
                    noteChange();
                }
                continue;
            }
            const bool isTargetEntry = event->wd == rootWatch_ && name == targetName_;
            const bool counts = mode_ == Mode::Folder || event->wd != rootWatch_ || isTargetEntry;
            if (!counts)
                continue;
            if ((event->mask & IN_ISDIR) && (event->mask & (IN_CREATE | IN_MOVED_TO)) && !name.isEmpty()) {
                const QString created = folder + '/' + name;
                if (mode_ == Mode::SingleFile && isTargetEntry) {
                    watchTarget();
                } else if (depth < kMaximumDepth && addWatch(created, depth + 1)) {
                    watchTree(created, depth + 1);
                }
            }
            noteChange();
        }
    }
}
