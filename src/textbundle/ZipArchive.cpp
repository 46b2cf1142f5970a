#include "textbundle/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>
#include <vector>
#include <zip.h>

namespace {

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

bool fail(QString* error, const QString& message) {
    if (error)
        *error = message;
    return false;
}

// The entry's place inside the folder, or empty when it would lie outside.
QString safeTarget(const QDir& folder, const QString& entryName) {
    if (entryName.isEmpty() || QDir::isAbsolutePath(entryName) || entryName.startsWith('\\'))
        return {};
    const QString root = QDir::cleanPath(folder.absolutePath());
    const QString target = QDir::cleanPath(root + '/' + entryName);
    if (target != root && !target.startsWith(root + '/'))
        return {};
    return target;
}

bool writeEntry(zip_t* archive, zip_uint64_t index, const QString& target, QString* error) {
    std::unique_ptr<zip_file_t, EntryCloser> entry(zip_fopen_index(archive, index, 0));
    if (!entry)
        return fail(error, QString("cannot read entry %1").arg(index));
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(error, QString("cannot write %1").arg(target));
    std::vector<char> buffer(64 * 1024);
    zip_int64_t read = 0;
    while ((read = zip_fread(entry.get(), buffer.data(), buffer.size())) > 0)
        if (out.write(buffer.data(), read) != read)
            return fail(error, QString("cannot write %1").arg(target));
    return read == 0 || fail(error, QString("cannot read entry %1").arg(index));
}

}  // namespace

bool extractZipArchive(const QString& archivePath, const QString& destinationFolder, QString* error) {
    int openError = 0;
    std::unique_ptr<zip_t, ArchiveCloser> archive(zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY, &openError));
    if (!archive)
        return fail(error, QString("cannot open archive %1").arg(archivePath));
    QDir folder(destinationFolder);
    if (!folder.mkpath("."))
        return fail(error, QString("cannot create %1").arg(destinationFolder));

    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    // Every name is checked before anything is written.
    std::vector<QString> targets;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive.get(), zip_uint64_t(i), 0);
        QString target = name ? safeTarget(folder, QString::fromUtf8(name)) : QString();
        if (target.isEmpty())
            return fail(error, QString("refused archive entry \"%1\"").arg(QString::fromUtf8(name ? name : "")));
        targets.push_back(target);
    }
    for (zip_int64_t i = 0; i < count; ++i) {
        const QString name = QString::fromUtf8(zip_get_name(archive.get(), zip_uint64_t(i), 0));
        if (name.endsWith('/')) {
            QDir().mkpath(targets[i]);
            continue;
        }
        QDir().mkpath(QFileInfo(targets[i]).absolutePath());
        if (!writeEntry(archive.get(), zip_uint64_t(i), targets[i], error))
            return false;
    }
    return true;
}
