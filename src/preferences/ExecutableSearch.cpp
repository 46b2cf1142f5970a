#include "preferences/ExecutableSearch.h"

#include <QDir>
#include <QFileInfo>

namespace executablesearch {

QString searchInPath(const QString& folder, const QString& fileName, int depth) {
    QDir directory(folder);
    if (!directory.exists() || !directory.isReadable())
        return {};
    const QFileInfoList entries =
        directory.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QFileInfo& entry : entries)
        if (entry.fileName() == fileName && !entry.isDir())
            return QString("%1/%2").arg(QDir::cleanPath(folder), fileName);
    if (depth <= 0)
        return {};
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink() || !entry.isDir() || entry.fileName().contains('.'))
            continue;
        const QString found = searchInPath(entry.filePath(), fileName, depth - 1);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

QStringList programFolders() {
    QStringList folders;
    const QString path = qEnvironmentVariable("PATH");
    for (const QString& folder : path.split(':', Qt::SkipEmptyParts))
        folders << QDir::cleanPath(folder);
    folders << "/usr/local/bin" << QDir::homePath() + "/.local/bin";
    folders.removeDuplicates();
    return folders;
}

QStringList walkedFolders() {
    return {"/opt", "/usr/local", QDir::homePath() + "/.local", QDir::homePath() + "/bin"};
}

QString findFile(const QString& fileName, const QStringList& direct, const QStringList& walked) {
    for (const QString& folder : direct) {
        const QFileInfo candidate(folder + '/' + fileName);
        if (candidate.exists() && !candidate.isDir())
            return candidate.absoluteFilePath();
    }
    for (const QString& folder : walked) {
        const QString found = searchInPath(folder, fileName);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

}  // namespace executablesearch
