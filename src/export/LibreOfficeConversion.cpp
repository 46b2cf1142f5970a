#include "export/LibreOfficeConversion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QUrl>

#include "export/ExportMarkup2Document.h"

Q_DECLARE_LOGGING_CATEGORY(exportLog)

namespace {

// A document of many megabytes takes LibreOffice minutes; one that never
// ends is stopped.
constexpr int kLongestRunMs = 15 * 60 * 1000;

}  // namespace

LibreOfficeConversion::LibreOfficeConversion(QObject* parent) : QObject(parent) {
    watchdog_.setSingleShot(true);
    connect(&watchdog_, &QTimer::timeout, this, [this] {
        process_.kill();
        finish({}, ExportMarkup2Document::tr("LibreOffice took too long and was stopped."));
    });
    connect(&process_, &QProcess::finished, this, &LibreOfficeConversion::processEnded);
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish({}, ExportMarkup2Document::tr("LibreOffice could not be started."));
    });
}

LibreOfficeConversion::~LibreOfficeConversion() {
    done_ = true;
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

QString LibreOfficeConversion::program() {
    for (const char* name : {"soffice", "libreoffice"}) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

void LibreOfficeConversion::start(const QString& inputFile, const QString& target, const QString& suffix,
                                  const QString& outputFolder, const QString& workFolder) {
    const QString executable = program();
    if (executable.isEmpty()) {
        QMetaObject::invokeMethod(this, [this] {
            finish({}, ExportMarkup2Document::tr("LibreOffice is not installed (Debian package libreoffice-writer-nogui)."));
        }, Qt::QueuedConnection);
        return;
    }
    expectedOutput_ = QDir(outputFolder).filePath(QFileInfo(inputFile).completeBaseName() + '.' + suffix);
    const QString profile = QUrl::fromLocalFile(QDir(workFolder).filePath("libreoffice-profile")).toString(QUrl::FullyEncoded);
    // HTML is read with Writer's filter, so that the result is a text
    // document (not a web page) and the Writer export filters apply.
    QStringList arguments{"-env:UserInstallation=" + profile, "--headless", "--norestore", "--nolockcheck"};
    if (inputFile.endsWith(".html"))
        arguments << "--infilter=HTML (StarWriter)";
    arguments << "--convert-to" << target << "--outdir" << outputFolder << inputFile;
    process_.setWorkingDirectory(workFolder);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    qCDebug(exportLog).noquote() << "LibreOffice" << arguments.join(' ');
    watchdog_.start(kLongestRunMs);
    process_.start(executable, arguments);
}

void LibreOfficeConversion::processEnded() {
    const QString output = QString::fromLocal8Bit(process_.readAll()).trimmed();
    if (!output.isEmpty())
        qCDebug(exportLog).noquote() << output;
    // LibreOffice ends with status 0 also when it converted nothing: what
    // counts is the file it wrote.
    const QFileInfo written(expectedOutput_);
    if (written.isFile() && written.size() > 0)
        finish(expectedOutput_, {});
    else
        finish({}, ExportMarkup2Document::tr("LibreOffice could not convert the document."));
}

void LibreOfficeConversion::finish(const QString& outputFile, const QString& error) {
    if (done_)
        return;
    done_ = true;
    watchdog_.stop();
    emit finished(outputFile, error);
}
