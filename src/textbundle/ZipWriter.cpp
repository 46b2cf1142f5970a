#include "textbundle/ZipWriter.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <zip.h>

namespace {

bool fail(QString* error, const QString& message) {
    if (error)
        *error = message;
    return false;
}

bool addEntry(zip_t* archive, const QFileInfo& entry, const QString& nameInArchive, QString* error) {
    const QByteArray name = nameInArchive.toUtf8();
    if (entry.isDir())
        return zip_dir_add(archive, name.constData(), ZIP_FL_ENC_UTF_8) >= 0
               || fail(error, QString("cannot add folder %1").arg(nameInArchive));
    zip_source_t* source = zip_source_file(archive, QFile::encodeName(entry.absoluteFilePath()).constData(), 0, -1);
    if (!source)
        return fail(error, QString("cannot read %1").arg(entry.absoluteFilePath()));
    if (zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
        zip_source_free(source);
        return fail(error, QString("cannot add %1").arg(nameInArchive));
    }
    return true;
}

}  // namespace

bool createZipArchiveOfFolder(const QString& folderPath, const QString& archivePath, QString* error) {
    const QFileInfo folder(folderPath);
    if (!folder.isDir())
        return fail(error, QString("%1 is not a folder").arg(folderPath));
    QFile::remove(archivePath);
    int openError = 0;
    zip_t* archive = zip_open(QFile::encodeName(archivePath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &openError);
    if (!archive)
        return fail(error, QString("cannot create archive %1").arg(archivePath));

    const QString root = folder.fileName();
    bool ok = addEntry(archive, folder, root + '/', error);
    QDirIterator entries(folder.absoluteFilePath(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (ok && entries.hasNext()) {
        const QFileInfo entry(entries.next());
        const QString relative = entry.absoluteFilePath().mid(folder.absoluteFilePath().size() + 1);
        ok = addEntry(archive, entry, root + '/' + relative + (entry.isDir() ? "/" : ""), error);
    }
    if (!ok) {
        zip_discard(archive);
        return false;
    }
    // Files are read only now, when the archive is written.
    if (zip_close(archive) < 0) {
        fail(error, QString("cannot write archive %1: %2").arg(archivePath, QString::fromUtf8(zip_strerror(archive))));
        zip_discard(archive);
        return false;
    }
    return true;
}
