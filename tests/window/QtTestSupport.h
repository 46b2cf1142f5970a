#pragma once
// Entry and helpers of the Qt Test programs of the document area. Every
// program runs with its own empty home (settings, support folder), offscreen,
// under the web engine switches of the application, with the engine's
// sandbox off (the tests run as root in CI; the application itself never
// turns the sandbox off).

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdlib>

#include "pipeline/WebEngineSwitches.h"

namespace qttestsupport {

inline void prepareEnvironment(QTemporaryDir& home) {
    const QByteArray root = home.path().toUtf8();
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_DATA_HOME", root + "/data");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(bytes);
}

}  // namespace qttestsupport

#define QUILL_QTEST_MAIN(TestClass, ApplicationClass)                                                    \
    int main(int argc, char** argv) {                                                                   \
        QTemporaryDir home;                                                                              \
        qttestsupport::prepareEnvironment(home);                                                         \
        QCoreApplication::setApplicationName("Quillview");                                               \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                      \
        webengineswitches::EngineCommandLine engine(argc, argv);                                         \
        ApplicationClass application(engine.argc(), engine.argv());                                      \
        TestClass test;                                                                                  \
        return QTest::qExec(&test, webengineswitches::ownArguments(QCoreApplication::arguments()));      \
    }
