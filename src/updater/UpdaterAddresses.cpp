#include "updater/UpdaterAddresses.h"

#include <QCoreApplication>

#include "settings/SettingsStore.h"

namespace updateraddresses {

QString productName() {
    return QCoreApplication::applicationName().replace("#", "Hash");
}

QString appName() {
    return productName().replace(' ', '-');
}

QString server() {
    QString stored = SettingsStore::shared().updateServer().trimmed();
    while (stored.endsWith('/'))
        stored.chop(1);
    return stored.isEmpty() ? QString(kDefaultServer) : stored;
}

QUrl versionFileUrl() {
    const QString name = productName().replace(' ', '-').toLower();
    return QUrl(server() + QString("/downloads/%1/%2.txt").arg(name, name));
}

QUrl downloadUrl(const QString& appName, const QString& availableVersion) {
    const QString folder = appName.toLower().replace(' ', '-');
    const QString version = availableVersion.trimmed().replace('.', '-').replace(' ', '-');
    const QString file = QString(appName).replace(' ', '-') + '-' + version;
    return QUrl(server() + QString("/downloads/%1/%2.zip").arg(folder, file));
}

QUrl releaseNotesUrl() {
    return QUrl(server() + "/releasenotes.html");
}

QUrl privacyUrl(const QString& langCode) {
    return QUrl(server() + (langCode == "DE" ? "/de/datenschutz.html" : "/privacy.html"));
}

}  // namespace updateraddresses
