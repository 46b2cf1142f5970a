#pragma once
// Every test program gets its own empty home for settings and support files,
// so the user's real ones are never read or written.

#include <QByteArray>
#include <QTemporaryDir>
#include <cstdlib>

namespace testsupport {

inline void useEmptyHome(const QTemporaryDir& home) {
    const QByteArray root = home.path().toUtf8();
    setenv("HOME", root.constData(), 1);
    setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
    setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
}

}  // namespace testsupport
