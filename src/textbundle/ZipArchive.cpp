#include "textbundle/ZipArchive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <vector>
#include <zip.h>

using namespace ziplimits;

namespace {

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

// One entry as inspected: where it goes and how much it may give.
struct Entry {
    QString target;
    bool isFolder = false;
    std::uint64_t declaredSize = 0;
};

// Why a package was refused is shown to the user, in their language.
struct Reason {
    Q_DECLARE_TR_FUNCTIONS(ZipArchive)
};

bool fail(QString* error, const QString& message) {
    if (error)
        *error = message;
    return false;
}

QString refusal(const QString& reason) {
    return Reason::tr("The package was not opened: %1").arg(reason);
}


QString compressedTooMuch() {
    return refusal(Reason::tr("it is compressed more than 100 to 1, as archives made to exhaust the disk are."));
}

Archive openArchive(const QString& archivePath, QString* error) {
    int openError = 0;
    Archive archive(zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY, &openError));
    if (!archive) {
        zip_error_t reason;
        zip_error_init_with_code(&reason, openError);
        fail(error, refusal(Reason::tr("it is not a readable zip archive (%1).").arg(zip_error_strerror(&reason))));
        zip_error_fini(&reason);
    }
    return archive;
}

// The entry's path below the unpack folder, or empty when it is absolute or
// climbs out. Purely lexical, so it holds for any unpack folder.
QString relativeTarget(const QString& entryName) {
    if (entryName.isEmpty() || QDir::isAbsolutePath(entryName) || entryName.startsWith('\\'))
        return {};
    const QString cleaned = QDir::cleanPath(entryName);
    if (cleaned == ".." || cleaned.startsWith("../"))
        return {};
    return cleaned;
}

// Whether unpacked exceeds kMaxRatio times compressed, without overflowing on
// sizes a hostile header made up.
bool overRatio(std::uint64_t unpacked, std::uint64_t compressed) {
    return compressed <= unpacked / kMaxRatio && unpacked > compressed * kMaxRatio;
}

std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b) {
    return a > std::numeric_limits<std::uint64_t>::max() - b ? std::numeric_limits<std::uint64_t>::max() : a + b;
}

bool isSymbolicLink(zip_t* archive, zip_uint64_t index) {
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &opsys, &attributes) < 0)
        return false;
    return opsys == ZIP_OPSYS_UNIX && ((attributes >> 16) & S_IFMT) == S_IFLNK;
}

// Why this one entry is refused, or empty. libzip derives the encryption
// method from the header's encryption flag too.
QString entryRefusal(zip_t* archive, zip_uint64_t index, const zip_stat_t& stat) {
    if (!(stat.valid & ZIP_STAT_ENCRYPTION_METHOD) || stat.encryption_method != ZIP_EM_NONE)
        return refusal(Reason::tr("an entry is encrypted."));
    if (isSymbolicLink(archive, index))
        return refusal(Reason::tr("it holds a symbolic link."));
    if (!(stat.valid & ZIP_STAT_SIZE) || !(stat.valid & ZIP_STAT_COMP_SIZE))
        return refusal(Reason::tr("an entry does not declare its size."));
    if (stat.size > kMaxUnpackedBytes)
        return refusal(Reason::tr("an entry would unpack to more than 1 GB."));
    if (stat.size >= kRatioCheckedFrom && overRatio(stat.size, stat.comp_size))
        return compressedTooMuch();
    return {};
}

bool inspectEntry(zip_t* archive, zip_uint64_t index, Entry* entry, zip_stat_t* stat, QString* error) {
    const char* rawName = zip_get_name(archive, index, 0);
    const QString name = QString::fromUtf8(rawName ? rawName : "");
    entry->target = relativeTarget(name);
    if (entry->target.isEmpty())
        return fail(error, refusal(Reason::tr("the entry \"%1\" would be written outside its folder.").arg(name)));
    entry->isFolder = name.endsWith('/');
    zip_stat_init(stat);
    if (zip_stat_index(archive, index, 0, stat) < 0)
        return fail(error, refusal(Reason::tr("an entry cannot be read.")));
    const QString reason = entryRefusal(archive, index, *stat);
    if (!reason.isEmpty())
        return fail(error, reason);
    entry->declaredSize = stat->size;
    return true;
}

// Every entry is looked at before anything is written; the first reason to
// refuse wins. Targets come back relative to the unpack folder.
bool inspectArchive(zip_t* archive, std::vector<Entry>* entries, QString* error) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count > kMaxEntries)
        return fail(error, refusal(Reason::tr("it holds more than 10,000 files.")));
    std::uint64_t unpacked = 0;  // at most kMaxEntries * kMaxUnpackedBytes: no overflow
    std::uint64_t compressed = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        Entry entry;
        zip_stat_t stat;
        if (!inspectEntry(archive, zip_uint64_t(i), &entry, &stat, error))
            return false;
        unpacked += stat.size;
        compressed = saturatingAdd(compressed, stat.comp_size);
        entries->push_back(entry);
    }
    if (unpacked > kMaxUnpackedBytes)
        return fail(error, refusal(Reason::tr("its files together would unpack to more than 1 GB.")));
    if (unpacked >= kRatioCheckedFrom && overRatio(unpacked, compressed))
        return fail(error, compressedTooMuch());
    return true;
}

// What one extraction created, so that a failure part way can take it back.
class Unpacking {
public:
    explicit Unpacking(const QString& root) : root_(QDir::cleanPath(QDir(root).absolutePath())) {}

    QString pathOf(const QString& relative) const { return root_ + '/' + relative; }

    // Creates the folder and any missing parents below the root, noting each.
    bool makeFolder(const QString& relative) {
        QString path = root_;
        for (const QString& part : relative.split('/', Qt::SkipEmptyParts)) {
            if (part == ".")
                continue;
            path += '/' + part;
            if (QFileInfo(path).isDir())
                continue;
            if (!QDir().mkdir(path))
                return false;
            folders_ << path;
        }
        return true;
    }
    void noteFile(const QString& path) { files_ << path; }

    void takeBack() const {
        for (const QString& file : files_)
            QFile::remove(file);
        for (auto folder = folders_.crbegin(); folder != folders_.crend(); ++folder)
            QDir().rmdir(*folder);
    }

private:
    QString root_;
    QStringList files_;
    QStringList folders_;
};

// Copies the entry out, never more than it declared: a header that
// understates the size must not get past the limits it was checked against.
bool writeEntry(zip_t* archive, zip_uint64_t index, std::uint64_t declaredSize, const QString& target, QString* error) {
    std::unique_ptr<zip_file_t, EntryCloser> entry(zip_fopen_index(archive, index, 0));
    if (!entry)
        return fail(error, refusal(Reason::tr("an entry cannot be read (%1).").arg(zip_strerror(archive))));
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(error, refusal(Reason::tr("%1 cannot be written.").arg(target)));
    std::vector<char> buffer(64 * 1024);
    std::uint64_t written = 0;
    zip_int64_t read = 0;
    while ((read = zip_fread(entry.get(), buffer.data(), buffer.size())) > 0) {
        if (written + std::uint64_t(read) > declaredSize)
            return fail(error, refusal(Reason::tr("an entry holds more data than it declares.")));
        if (out.write(buffer.data(), read) != read)
            return fail(error, refusal(Reason::tr("%1 cannot be written.").arg(target)));
        written += std::uint64_t(read);
    }
    if (read < 0)
        return fail(error, refusal(Reason::tr("an entry cannot be read (%1).").arg(zip_file_strerror(entry.get()))));
    return true;
}

bool writeEntries(zip_t* archive, const std::vector<Entry>& entries, Unpacking* unpacking, QString* error) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        if (entry.isFolder) {
            if (!unpacking->makeFolder(entry.target))
                return fail(error, refusal(Reason::tr("%1 cannot be created.").arg(unpacking->pathOf(entry.target))));
            continue;
        }
        const QString parent = QFileInfo(entry.target).path();
        if (!unpacking->makeFolder(parent == "." ? QString() : parent))
            return fail(error, refusal(Reason::tr("%1 cannot be created.").arg(unpacking->pathOf(parent))));
        const QString target = unpacking->pathOf(entry.target);
        unpacking->noteFile(target);
        if (!writeEntry(archive, zip_uint64_t(i), entry.declaredSize, target, error))
            return false;
    }
    return true;
}

}  // namespace

bool checkZipArchive(const QString& archivePath, QString* error) {
    Archive archive = openArchive(archivePath, error);
    std::vector<Entry> entries;
    return archive && inspectArchive(archive.get(), &entries, error);
}

bool extractZipArchive(const QString& archivePath, const QString& destinationFolder, QString* error) {
    Archive archive = openArchive(archivePath, error);
    if (!archive)
        return false;
    std::vector<Entry> entries;
    if (!inspectArchive(archive.get(), &entries, error))
        return false;
    if (!QDir().mkpath(destinationFolder))
        return fail(error, refusal(Reason::tr("%1 cannot be created.").arg(destinationFolder)));
    Unpacking unpacking(destinationFolder);
    if (writeEntries(archive.get(), entries, &unpacking, error))
        return true;
    unpacking.takeBack();
    return false;
}
