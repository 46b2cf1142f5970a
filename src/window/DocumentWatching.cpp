// Watching the shown file (or its folder) for saves, from a moment after the
// window opened.
#include <QAction>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTimer>

#include "window/Document.h"
#include "window/FileWatcher.h"
#include "window/NotificationCenter.h"

Q_LOGGING_CATEGORY(documentLog, "quillview.document")

void Document::settleFolderAccessAndScheduleWatching() {
    // No sandbox here: a plain file's folder is always readable, so plain
    // files are watched with their folder; packages on their own.
    const bool package = documentpipeline::isPackagePath(filePath_);
    accessGranted_ = !package;
    if (package && toolbarItem_BASEURL)
        toolbarItem_BASEURL->setVisible(false);
    QTimer::singleShot(kWatchDelayMilliseconds, this, [this, package] { startWatching(!package); });
}

void Document::startWatching(bool folderMode) {
    const QString watched = folderMode ? QFileInfo(filePath_).absolutePath() : filePath_;
    watcher_ = new FileWatcher(watched, folderMode ? FileWatcher::Mode::Folder : FileWatcher::Mode::SingleFile, this);
    connect(watcher_, &FileWatcher::changed, this, [] { NotificationCenter::defaultCenter().post(notifications::kReload); });
    if (!watcher_->start())
        qCWarning(documentLog) << "cannot watch" << watched;
    // A save made between the first render and now would otherwise be lost.
    if (documentpipeline::diskStamp(filePath_) != renderedStamp_)
        reloadTxt();
}
