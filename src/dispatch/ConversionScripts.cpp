#include "dispatch/ConversionScripts.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QSaveFile>

#include "settings/AppSupportFilePaths.h"

Q_DECLARE_LOGGING_CATEGORY(lcInterpreter)

namespace conversionscripts {

namespace {

const QString kResourceFolder = ":/php/";

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the shipped file `fileName` unless an identical copy is installed.
// The copy is replaced in one step, so an interpreter starting meanwhile
// reads the old script or the new one, never half of one.
bool installFile(const QString& fileName) {
    const QByteArray shipped = contentsOf(kResourceFolder + fileName);
    const QString target = installFolder() + fileName;
    if (QFile::exists(target) && contentsOf(target) == shipped)
        return true;
    if (!QDir().mkpath(installFolder())) {
        qCWarning(lcInterpreter).noquote() << "cannot create" << installFolder();
        return false;
    }
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(shipped) != shipped.size() || !file.commit()) {
        qCWarning(lcInterpreter).noquote() << "cannot install" << target << file.errorString();
        return false;
    }
    return true;
}

}  // namespace

QString installFolder() {
    return AppSupportFilePaths::appSupportFilePath() + "/MarkupLanguages/php/";
}

bool installConversionScripts() {
    bool complete = true;
    for (const QString& fileName : QDir(kResourceFolder).entryList(QDir::Files))
        complete = installFile(fileName) && complete;
    return complete;
}

QString installedScriptPath(const QString& name) {
    const QString fileName = name + ".php";
    if (!QFile::exists(kResourceFolder + fileName))
        return QString();
    // The scripts share a helper file: bring every one up to date.
    installConversionScripts();
    return installFolder() + fileName;
}

}  // namespace conversionscripts
