#pragma once
// Where the update check looks and what it offers: the version file and the
// download on the project's download site (its base address is a setting, so
// a test can point it at a local server), and the site's release-notes and
// privacy pages.

#include <QString>
#include <QUrl>

namespace updateraddresses {

// Used when no server address is stored.
inline constexpr char kDefaultServer[] = "https://quillview.org";

// The application's name with every "#" spelt "Hash".
QString productName();
// The product name with spaces as "-": the name the window shows.
QString appName();

// <server>/downloads/<name>/<name>.txt, the name in lower case with "-" for spaces.
QUrl versionFileUrl();
// <server>/downloads/<app name, lower case>/<App-Name>-<version with "-" for dots>.zip
QUrl downloadUrl(const QString& appName, const QString& availableVersion);
QUrl releaseNotesUrl();
// German for the German interface, English otherwise.
QUrl privacyUrl(const QString& langCode);

// The stored server address without trailing "/", or the default.
QString server();

}  // namespace updateraddresses
