#include "pipeline/BaseURL.h"

#include <QFileInfo>

#include "settings/SettingsStore.h"

namespace baseurl {

QUrl folderURL(const QString& folderPath) {
    QString path = folderPath;
    if (!path.endsWith('/'))
        path += '/';
    return QUrl::fromLocalFile(path);
}

QUrl storedFolderURL() {
    const QVariant stored = SettingsStore::shared().baseUrlFolder();
    const QUrl url = stored.canConvert<QUrl>() ? stored.toUrl() : QUrl();
    return url.isLocalFile() ? url : QUrl();
}

QUrl baseURLForFile(const QString& filePath) {
    SettingsStore& settings = SettingsStore::shared();
    switch (settings.baseUrlOption()) {
    case 4:
        return QUrl(settings.baseUrlWebAddress());
    case 3: {
        const QUrl folder = storedFolderURL();
        return folder.isEmpty() ? QUrl() : folderURL(folder.toLocalFile());
    }
    case 2: {
        const QFileInfo file(filePath);
        const QString sameName = file.suffix().isEmpty()
                                     ? file.absoluteFilePath()
                                     : file.absoluteFilePath().chopped(file.suffix().size() + 1);
        if (QFileInfo(sameName).isDir() && sameName != file.absoluteFilePath())
            return folderURL(sameName);
        return folderURL(file.absolutePath());
    }
    default:
        return {};
    }
}

QUrl baseURLForPackageFolder(const QString& packageFolder) {
    return packageFolder.isEmpty() ? QUrl() : folderURL(packageFolder);
}

}  // namespace baseurl
