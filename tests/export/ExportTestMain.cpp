// Entry of the export tests: its own empty home for settings and support
// files, and a GUI application on the offscreen platform, since PDF is
// printed by Qt WebEngine (whose sandbox is off: CI runs as root).
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

#include "cli/HeadlessStartup.h"
#include "pipeline/WebEngineSwitches.h"

int main(int argc, char** argv) {
    QTemporaryDir home;
    const QByteArray root = home.path().toUtf8();
    setenv("HOME", root.constData(), 1);
    setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
    setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    QCoreApplication::setApplicationName("Quillview");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    webengineswitches::EngineCommandLine engine(argc, argv);
    QGuiApplication application(engine.argc(), engine.argv());
    prepareConversions([](const QString&, const QString&) {});
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
