// quillview-gui: the viewer and `export`, started by the `quillview` launcher
// for everything but the window-less commands it answers itself.
#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QTextStream>

#include "app/AppDelegate.h"
#include "app/SingleInstance.h"
#include "cli/ConvertCommand.h"
#include "cli/ExportCommand.h"
#include "cli/QuietLogging.h"
#include "cli/Translations.h"
#include "pipeline/WebEngineSwitches.h"
#include "engine/WorkingMemory.h"

namespace {

QStringList existingAbsolutePaths(const QStringList& files) {
    QStringList existing;
    for (const QString& file : files)
        if (QFileInfo::exists(file))
            existing << QFileInfo(file).absoluteFilePath();
    return existing;
}

// Hands the files to the instance that runs already; false when there is
// none that answers in time, so this one starts.
bool handedOverToRunningInstance(const QStringList& files, const QStringList& existing) {
    if (existing.isEmpty() || !singleinstance::handOver(existing))
        return false;
    for (const QString& file : files)
        if (!QFileInfo::exists(file))
            QTextStream(stderr) << "quillview: " << file << ": no such file\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    engine::keepFreedMemoryForLargeTexts();
    QCoreApplication::setApplicationName("Quillview");
    QCoreApplication::setApplicationVersion(QUILLVIEW_VERSION);
    if (argc >= 2 && QString::fromLocal8Bit(argv[1]) == "convert") {
        keepOnlyOwnLogging();
        QCoreApplication application(argc, argv);
        installTranslations(application);
        return runConvertCommand(application.arguments().mid(2));
    }
    // Every page the web engine shows runs under its switches.
    webengineswitches::EngineCommandLine engine(argc, argv);
    if (argc >= 2 && QString::fromLocal8Bit(argv[1]) == "export") {
        // Printing PDF needs a GUI application, never a window. Its own
        // options (such as -style) would be taken out of the arguments, so
        // they are read before it exists.
        QStringList arguments;
        for (int i = 2; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        prepareHeadlessExportEnvironment();
        keepOnlyOwnLogging();
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        QGuiApplication application(engine.argc(), engine.argv());
        installTranslations(application);
        return runExportCommand(arguments);
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(engine.argc(), engine.argv());
    QApplication::setWindowIcon(QIcon(":/icons/quillview.svg"));
    QApplication::setDesktopFileName("quillview");
    installTranslations(application);
    const QStringList files = webengineswitches::ownArguments(application.arguments()).mid(1);
    const QStringList existing = existingAbsolutePaths(files);
    if (handedOverToRunningInstance(files, existing))
        return 0;

    AppDelegate delegate;
    SingleInstanceServer instance;
    QObject::connect(&instance, &SingleInstanceServer::filesReceived, &delegate,
                     [&delegate](const QStringList& paths) { delegate.openFilesFromCommandLine(paths); });
    // Only an instance that did not take our files in time gives up its
    // name; without files to hand over, a running one keeps it.
    instance.listen(!existing.isEmpty());
    if (files.isEmpty() ? !delegate.showOpenDialog() : !delegate.openFilesFromCommandLine(files))
        return files.isEmpty() ? 0 : 1;
    delegate.applicationDidFinishLaunching();
    return application.exec();
}
