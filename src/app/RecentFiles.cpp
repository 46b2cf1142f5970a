#include "app/RecentFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "settings/SettingsStore.h"

namespace recentfiles {

namespace {

void store(const QStringList& list) {
    SettingsStore::shared().setRecentDocuments(list);
}

QString menuTitle(int index, const QString& path) {
    // The first nine get their number as a mnemonic; the tenth gets 0.
    const QString name = QFileInfo(path).fileName().replace('&', "&&");
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath()).replace('&', "&&");
    return QString("&%1 %2 — %3").arg((index + 1) % 10).arg(name, folder);
}

void fillMenu(QMenu* menu, const std::function<void(const QString&)>& open) {
    menu->clear();
    const QStringList files = existingPaths();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        menu->addAction(menuTitle(i, path), [open, path] { open(path); });
    }
    menu->addSeparator();
    QAction* clearItem = menu->addAction(QCoreApplication::translate("RecentFiles", "&Clear Menu"), [] { clear(); });
    clearItem->setEnabled(!files.isEmpty());
}

}  // namespace

QStringList paths() {
    return SettingsStore::shared().recentDocuments();
}

void add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = paths();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list.mid(0, kMaximumCount));
}

void clear() {
    SettingsStore::shared().reset(SettingsStore::Setting::recentDocuments);
}

QStringList existingPaths() {
    const QStringList stored = paths();
    QStringList existing;
    for (const QString& path : stored)
        if (QFileInfo::exists(path))
            existing << path;
    if (existing != stored)
        store(existing);
    return existing;
}

void attachToMenu(QMenu* menu, const std::function<void(const QString&)>& open) {
    fillMenu(menu, open);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, open] { fillMenu(menu, open); });
}

}  // namespace recentfiles
