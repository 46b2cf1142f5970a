#include "pipeline/FolderPermissions.h"

#include <QDir>
#include <QStringList>

#include "settings/SettingsStore.h"

namespace folderpermissions {

namespace {

using Getter = QStringList (SettingsStore::*)() const;
using Setter = void (SettingsStore::*)(const QStringList&);

QString normalized(const QString& folder) {
    return QDir::cleanPath(QDir(folder).absolutePath());
}

bool contains(Getter folders, const QString& folder) {
    return !folder.isEmpty() && (SettingsStore::shared().*folders)().contains(normalized(folder));
}

void add(Getter get, Setter set, const QString& folder) {
    QStringList folders = (SettingsStore::shared().*get)();
    if (folder.isEmpty() || folders.contains(normalized(folder)))
        return;
    folders << normalized(folder);
    (SettingsStore::shared().*set)(folders);
}

}  // namespace

bool areScriptsAllowedInFolder(const QString& folder) {
    return contains(&SettingsStore::scriptsAllowedFolders, folder);
}

void allowScriptsInFolder(const QString& folder) {
    add(&SettingsStore::scriptsAllowedFolders, &SettingsStore::setScriptsAllowedFolders, folder);
}

bool areRemotePicturesAllowedInFolder(const QString& folder) {
    return contains(&SettingsStore::remotePicturesAllowedFolders, folder);
}

void allowRemotePicturesInFolder(const QString& folder) {
    add(&SettingsStore::remotePicturesAllowedFolders, &SettingsStore::setRemotePicturesAllowedFolders, folder);
}

}  // namespace folderpermissions
