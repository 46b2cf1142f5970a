#include "export/ExportDestination.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <cstdio>

#include "export/ExportMarkup2Document.h"
#include "textbundle/FileCopies.h"

namespace exportdestination {

namespace {

// The path with every symbolic link followed; for a path that does not exist
// yet, its folder's real path and its name.
QString realPath(const QString& path) {
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : QDir(folder).filePath(info.fileName());
}

bool isInside(const QString& path, const QString& folder) {
    return path.startsWith(folder.endsWith('/') ? folder : folder + '/');
}

QString refusalOfExisting(const QString& destination, const exportformats::ExportFormat& format) {
    const QFileInfo info(destination);
    const QString name = info.fileName();
    if (format.folder && !isPackageOfFormat(destination, format))
        return ExportMarkup2Document::tr("“%1” already exists and is not a %2 package, so it was left as it is.").arg(name, format.name);
    if (!format.folder && info.isDir())
        return ExportMarkup2Document::tr("“%1” is a folder, so it was left as it is.").arg(name);
    return {};
}

// A hidden name beside the destination, for what will take its place.
QString besideTemplate(const QString& destination) {
    const QFileInfo info(destination);
    return info.absolutePath() + "/." + info.fileName() + ".quillview-XXXXXX";
}

QString installFile(const QString& staged, const QString& destination) {
    QFile input(staged);
    QTemporaryFile output(besideTemplate(destination));
    if (!input.open(QIODevice::ReadOnly) || !output.open())
        return ExportMarkup2Document::tr("The folder “%1” cannot be written to.").arg(QFileInfo(destination).absolutePath());
    while (!input.atEnd()) {
        const QByteArray chunk = input.read(1 << 20);
        if (chunk.isEmpty() || output.write(chunk) != chunk.size())
            return ExportMarkup2Document::tr("“%1” could not be written completely.").arg(QFileInfo(destination).fileName());
    }
    const QFileInfo old(destination);
    output.setPermissions(old.exists() ? old.permissions()
                                       : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (!output.flush() || std::rename(QFile::encodeName(output.fileName()).constData(),
                                       QFile::encodeName(destination).constData()) != 0)
        return ExportMarkup2Document::tr("“%1” could not be replaced.").arg(QFileInfo(destination).fileName());
    output.setAutoRemove(false);
    return {};
}

// The new folder is built complete beside the destination; then the old
// package moves into the hidden work folder (removed with it) and the new
// one takes its name. Should that fail, the old one goes back.
QString installFolder(const QString& staged, const QString& destination) {
    const QString name = QFileInfo(destination).fileName();
    QTemporaryDir beside(besideTemplate(destination));
    if (!beside.isValid())
        return ExportMarkup2Document::tr("The folder “%1” cannot be written to.").arg(QFileInfo(destination).absolutePath());
    const QString fresh = beside.filePath(name);
    if (!filecopies::copyRecursively(staged, fresh))
        return ExportMarkup2Document::tr("“%1” could not be written completely.").arg(name);
    const QString old = beside.filePath(".old");
    const bool hadOld = QFileInfo::exists(destination);
    if (hadOld && !QDir().rename(destination, old))
        return ExportMarkup2Document::tr("“%1” could not be replaced.").arg(name);
    if (!QDir().rename(fresh, destination)) {
        if (hadOld)
            QDir().rename(old, destination);
        return ExportMarkup2Document::tr("“%1” could not be replaced.").arg(name);
    }
    return {};
}

}  // namespace

bool isPackageOfFormat(const QString& path, const exportformats::ExportFormat& format) {
    const QFileInfo info(path);
    if (!info.isDir() || info.isSymLink() || info.suffix().toLower() != format.name)
        return false;
    if (format.name == "rtfd")
        return QFileInfo(path + "/TXT.rtf").isFile();
    if (format.name == "textbundle")
        return QFileInfo(path + "/info.json").isFile();
    return false;
}

QString refusal(const QString& source, const QString& destination, const exportformats::ExportFormat& format) {
    if (destination.trimmed().isEmpty())
        return ExportMarkup2Document::tr("No destination was given.");
    const QString folder = QFileInfo(destination).absolutePath();
    if (!QFileInfo(folder).isDir())
        return ExportMarkup2Document::tr("The folder “%1” does not exist.").arg(folder);
    const QString sourcePath = realPath(source);
    const QString destinationPath = realPath(destination);
    if (destinationPath == sourcePath)
        return ExportMarkup2Document::tr("The destination is the document itself.");
    if (QFileInfo(sourcePath).isDir() && isInside(destinationPath, sourcePath))
        return ExportMarkup2Document::tr("The destination lies inside the document's package.");
    if (isInside(sourcePath, destinationPath))
        return ExportMarkup2Document::tr("The destination holds the document.");
    if (QFileInfo::exists(destination) || QFileInfo(destination).isSymLink())
        return refusalOfExisting(destination, format);
    return {};
}

QString install(const QString& staged, const QString& destination, const exportformats::ExportFormat& format) {
    return format.folder ? installFolder(staged, destination) : installFile(staged, destination);
}

}  // namespace exportdestination
