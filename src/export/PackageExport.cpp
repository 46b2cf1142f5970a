#include "export/PackageExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "export/ExportMarkup2Document.h"
#include "export/PackagePictures.h"
#include "textbundle/FileCopies.h"
#include "textbundle/Textbundle.h"
#include "textbundle/ZipWriter.h"

namespace packageexport {

namespace {

QString notWritten() {
    return ExportMarkup2Document::tr("The package could not be written.");
}

// A TextBundle zipped, its one folder named after the destination.
QString zipFolder(const QString& package, const QString& staged, const QString& workFolder) {
    const QString named = QDir(workFolder).filePath("zip/" + QFileInfo(staged).completeBaseName() + ".textbundle");
    if (!QDir().mkpath(QFileInfo(named).absolutePath()) || !filecopies::copyRecursively(package, named))
        return notWritten();
    return createZipArchiveOfFolder(named, staged) ? QString() : notWritten();
}

QString fromPackage(const documentpipeline::Result& document, const QString& source, bool toPack,
                    const QString& staged, const QString& workFolder) {
    const bool sourceIsPack = QFileInfo(source).isFile();
    bool ok = false;
    if (toPack && sourceIsPack)
        ok = QFile::copy(source, staged);
    else if (!toPack)
        ok = filecopies::copyRecursively(document.packageFolder, staged);
    else
        return zipFolder(document.packageFolder, staged, workFolder);
    return ok ? QString() : notWritten();
}

// The attachment folder's files go into assets/ (the document's own folder
// is never packed up); the pictures the document shows join them.
QStringList assetsOf(const QString& source) {
    const QFileInfo file(source);
    const QString folder = file.absoluteFilePath().chopped(file.suffix().isEmpty() ? 0 : file.suffix().size() + 1);
    QStringList assets;
    if (folder == file.absoluteFilePath() || !QFileInfo(folder).isDir())
        return assets;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries)
        if (!QFileInfo(folder + '/' + entry).isSymLink())
            assets << folder + '/' + entry;
    return assets;
}

QString fromPlainFile(const documentpipeline::Result& document, const QString& source, bool toPack,
                      const QString& staged, const QString& workFolder) {
    Textbundle writer;
    writer.setWorkFolder(QDir(workFolder).filePath("package"));
    QStringList assets = assetsOf(source);
    const auto packed = packagepictures::packPictures(document.text, document.fragment, QFileInfo(source).absolutePath(),
                                                      QDir(workFolder).filePath("pictures"), assets);
    assets << packed.pictures;
    const bool ok = toPack ? writer.writeTextpackForString(packed.text, staged, assets, document.markupLanguage)
                           : writer.writeTextbundleForString(packed.text, staged, assets, document.markupLanguage);
    return ok && QFileInfo::exists(staged) ? QString() : notWritten();
}

}  // namespace

QString writePackage(const documentpipeline::Result& document, const QString& source, const QString& format,
                     const QString& staged, const QString& workFolder) {
    const bool toPack = format == "textpack";
    if (!document.packageFolder.isEmpty())
        return fromPackage(document, source, toPack, staged, workFolder);
    return fromPlainFile(document, source, toPack, staged, workFolder);
}

}  // namespace packageexport
