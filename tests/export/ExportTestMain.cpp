// Entry of the export tests: an empty home, and a GUI application on the offscreen platform, since PDF is
// printed by Qt WebEngine (whose sandbox is off: CI runs as root).
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#include "cli/HeadlessStartup.h"
#include "pipeline/WebEngineSwitches.h"
#include "support/TestHome.h"

int main(int argc, char** argv) {
    QTemporaryDir home;
    testsupport::useEmptyHome(home);
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
