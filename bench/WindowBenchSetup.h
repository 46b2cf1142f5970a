#pragma once
// What every benchmark that opens windows does first: an empty home of its
// own, the offscreen platform unless one is chosen, and no Chromium sandbox
// for root (Chromium refuses it there).

#include <QByteArray>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <unistd.h>

namespace benchsupport {

inline void prepareWindowBench(const QTemporaryDir& home) {
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8() + "/config");
    qputenv("XDG_DATA_HOME", home.path().toUtf8() + "/data");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setApplicationName("Quillview");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

}  // namespace benchsupport
