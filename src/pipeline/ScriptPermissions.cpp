#include "pipeline/ScriptPermissions.h"

#include <QDir>
#include <QStringList>

#include "settings/SettingsStore.h"

namespace scriptpermissions {

namespace {

QString normalized(const QString& folder) {
    return QDir::cleanPath(QDir(folder).absolutePath());
}

QStringList allowedFolders() {
    return SettingsStore::shared().scriptsAllowedFolders();
}

}  // namespace

bool areScriptsAllowedInFolder(const QString& folder) {
    return !folder.isEmpty() && allowedFolders().contains(normalized(folder));
}

void allowScriptsInFolder(const QString& folder) {
    QStringList folders = allowedFolders();
    if (folder.isEmpty() || folders.contains(normalized(folder)))
        return;
    folders << normalized(folder);
    SettingsStore::shared().setScriptsAllowedFolders(folders);
}

}  // namespace scriptpermissions
