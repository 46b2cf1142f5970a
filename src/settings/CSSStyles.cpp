#include "settings/CSSStyles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include "settings/AppSupportFilePaths.h"

Q_LOGGING_CATEGORY(stylesLog, "quillview.styles")

namespace {

// Resources are read-only; the user's copies are theirs to edit.
bool copyAsUserFile(const QString& source, const QString& target) {
    if (!QFile::copy(source, target))
        return false;
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return true;
}

void createWithBuiltInStyles(const QString& folder) {
    if (!QDir().mkpath(folder))
        qCWarning(stylesLog).noquote() << QString("ERROR: %1").arg("cannot create " + folder);
    for (const QString& name : CSSStyles::availableStylesNames()) {
        const QString resource = QString(":/css/%1.css").arg(name);
        if (QFileInfo::exists(resource))
            copyAsUserFile(resource, QDir::cleanPath(folder) + '/' + name + ".css");
    }
}

}  // namespace

QStringList CSSStyles::availableStylesNames() {
    return {"Delicious_Dark", "Delicious_Light", "Manuscript_Dark", "Manuscript_Light",
            "Markup_Dark",    "Markup_Light",    "Standard_Dark",   "Standard_Light"};
}

QString CSSStyles::stylesFolderPath() {
    return AppSupportFilePaths::appSupportFilePath() + "/CSSStyles/";
}

void CSSStyles::ensureStylesFolder() {
    const QString folder = stylesFolderPath();
    if (!QFileInfo::exists(folder))
        createWithBuiltInStyles(folder);
}

QStringList CSSStyles::cssFileNames() {
    QStringList names;
    const QStringList entries = QDir(stylesFolderPath()).entryList(QDir::Files, QDir::Name);
    for (const QString& entry : entries)
        if (QFileInfo(entry).suffix() == "css")
            names << entry;
    return names;
}

QString CSSStyles::addStyleFile(const QString& sourcePath) {
    const QString folder = stylesFolderPath();
    QDir().mkpath(folder);
    const QFileInfo source(sourcePath);
    // Listed and offered only with exactly ".css", so NIGHT.CSS arrives as NIGHT.css.
    QString target = folder + source.completeBaseName() + ".css";
    for (int number = 1; QFileInfo::exists(target); ++number)
        target = QString("%1%2_(%3).css").arg(folder, source.completeBaseName()).arg(number);
    if (!copyAsUserFile(sourcePath, target)) {
        qCWarning(stylesLog) << "Copy CSS-file-Error";
        return {};
    }
    return target;
}

bool CSSStyles::removeStyleFile(const QString& fileName) {
    // Only a name listed in the folder: "../x" or an absolute path stays out.
    if (fileName.isEmpty() || fileName.contains('/') || fileName == "." || fileName == "..")
        return false;
    return QFile::remove(stylesFolderPath() + fileName);
}

bool CSSStyles::resetStylesFolder() {
    const QString folder = stylesFolderPath();
    QDir existing(folder);
    if (existing.exists() && !existing.removeRecursively())
        qCWarning(stylesLog).noquote() << QString("Dir löschen Error: %1").arg(folder);
    if (QFileInfo::exists(folder))
        return false;
    createWithBuiltInStyles(folder);
    return cssFileNames().size() == availableStylesNames().size();
}
