// What the window follows: saves of the shown file (or its folder), from a
// moment after the window opened, and changes of the settings.
#include <QAction>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTimer>

#include "window/Document.h"
#include "window/FileWatcher.h"
#include "settings/SettingsStore.h"

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
    connect(watcher_, &FileWatcher::changed, this, [this] {
        reloadTxt();
        emit watchedFilesChanged();
    });
    if (!watcher_->start())
        qCWarning(documentLog) << "cannot watch" << watched;
    // A save made between the first render and now would otherwise be lost.
    if (documentpipeline::diskStamp(filePath_) != renderedStamp_)
        reloadTxt();
}

void Document::registerObservers() {
    connect(&SettingsStore::shared(), &SettingsStore::changed, this, [this](SettingsStore::Setting setting) {
        using S = SettingsStore::Setting;
        switch (setting) {
        case S::windowTheme: toggleLightDarkInterface(); break;
        case S::showTitlebar: toggleWindowTitlebar(); break;
        case S::sourceFontFamily:
        case S::sourceFontSize:
        case S::sourceTextColor:
        case S::sourceBackgroundColor: setupHTMLSourceView(); break;
        // Settings no page shows.
        case S::pdfHeaderAndFooter:
        case S::askForFolderAccess:
        case S::baseUrlFolderGrant:
        case S::sandboxPaths:
        case S::customPhpGrant:
        case S::updaterAutoCheck:
        case S::updaterFirstStartDone:
        case S::updaterSecondStartDone:
        case S::updaterLastSkip:
        case S::updateServer:
        case S::openUrlWithoutWarning:
        case S::recentDocuments: break;
        // The rest change what the page shows, or how it is converted.
        default: scheduleReload(); break;
        }
    });
}

void Document::scheduleReload() {
    // A pane often stores several settings at once: one render follows them all.
    if (reloadScheduled_)
        return;
    reloadScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        reloadScheduled_ = false;
        reloadTxt();
    });
}
