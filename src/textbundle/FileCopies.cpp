#include "textbundle/FileCopies.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace filecopies {

bool copyRecursively(const QString& from, const QString& to) {
    const QFileInfo source(from);
    if (QFileInfo::exists(to) || !source.exists())
        return false;
    if (!source.isDir())
        return QFile::copy(from, to);
    if (!QDir().mkpath(to))
        return false;
    const QStringList entries = QDir(from).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        // A link inside a package could point anywhere: it stays behind.
        if (QFileInfo(from + '/' + entry).isSymLink())
            continue;
        if (!copyRecursively(from + '/' + entry, to + '/' + entry))
            return false;
    }
    return true;
}

}  // namespace filecopies
