#pragma once
// Folder grants. There is no sandbox on this platform: every folder the user
// can read is readable here, so a stored grant resolves to nothing and the
// caller goes on without one. The grant data is still stored so that the
// settings keep their shape.

#include <QByteArray>
#include <QUrl>

class SandboxAccess {
public:
    // The data stored for a granted file or folder.
    static QByteArray bookmarkDataForURL(const QUrl& url);
    // Always an empty URL: nothing needs to be started.
    static QUrl startSandboxAccessWithData(const QByteArray& bookmarkData);
};
