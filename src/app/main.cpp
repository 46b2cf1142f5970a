// quillview: the viewer, and the headless conversions on the command line.
#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QTextStream>
#include <QTranslator>

#include "app/AppDelegate.h"
#include "app/SingleInstance.h"
#include "cli/ConvertCommand.h"
#include "cli/ExportCommand.h"
#include "engine/WorkingMemory.h"
#include "settings/Language.h"

namespace {

const char* const kUsage =
    "usage: quillview [FILE...]          open each file in a window (no file: an Open dialog)\n"
    "       quillview convert [--lang ID] [--critic] [--page] [--set KEY=VALUE]... FILE|-\n"
    "       quillview export FILE --format FMT -o DEST [--style NAME]\n"
    "       quillview --version | --help\n";

void installTranslations(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    const QString language = Language::getLanguage().toLower() == "de" ? "de" : "en";
    if (translator->load(QString(":/translations/quillview_%1.qm").arg(language)))
        QCoreApplication::installTranslator(translator);
}

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
        QCoreApplication application(argc, argv);
        installTranslations(application);
        return runConvertCommand(application.arguments().mid(2));
    }
    if (argc >= 2 && QString::fromLocal8Bit(argv[1]) == "export") {
        // Printing PDF needs a GUI application, never a window. Its own
        // options (such as -style) would be taken out of the arguments, so
        // they are read before it exists.
        QStringList arguments;
        for (int i = 2; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        prepareHeadlessExportEnvironment();
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        QGuiApplication application(argc, argv);
        installTranslations(application);
        return runExportCommand(arguments);
    }
    // Answered without a display: no window system is touched before here.
    const QString first = argc >= 2 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (first == "--help" || first == "-h") {
        QTextStream(stdout) << kUsage;
        return 0;
    }
    if (first == "--version") {
        QTextStream(stdout) << "quillview " << QUILLVIEW_VERSION << "\n";
        return 0;
    }

    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setWindowIcon(QIcon(":/icons/quillview.svg"));
    QApplication::setDesktopFileName("quillview");
    installTranslations(application);
    const QStringList files = application.arguments().mid(1);
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
    return application.exec();
}
