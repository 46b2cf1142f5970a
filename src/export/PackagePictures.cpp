#include "export/PackagePictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QUrl>

namespace packagepictures {

namespace {

constexpr char kAssetsFolder[] = "assets/";

QString withoutEntities(QString value) {
    return value.replace("&quot;", "\"").replace("&#39;", "'").replace("&lt;", "<").replace("&gt;", ">").replace(
        "&amp;", "&");
}

// The <img> sources of the HTML, each once, in order.
QStringList pictureSources(const QString& html) {
    static const QRegularExpression source(R"re(<img\b[^>]*?\bsrc\s*=\s*(?:"([^"]*)"|'([^']*)'))re",
                                           QRegularExpression::CaseInsensitiveOption);
    QStringList sources;
    for (auto it = source.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        const QString value = withoutEntities(match.hasCaptured(1) ? match.captured(1) : match.captured(2));
        if (!value.isEmpty() && !sources.contains(value))
            sources << value;
    }
    return sources;
}

// The file a source names when it is a local picture in the folder's tree.
QString localPicture(const QString& source, const QString& documentFolder) {
    const QUrl url(source);
    if (!url.scheme().isEmpty() || source.startsWith("//") || source.startsWith('#'))
        return {};
    const QString path = QDir(documentFolder).absoluteFilePath(QUrl::fromPercentEncoding(url.path().toUtf8()));
    const QFileInfo file(path);
    const QString root = QFileInfo(documentFolder).canonicalFilePath();
    if (!file.isFile() || root.isEmpty() || !file.canonicalFilePath().startsWith(root + '/'))
        return {};
    return file.canonicalFilePath();
}

QString uniqueName(const QString& fileName, const QStringList& taken) {
    const QFileInfo name(fileName);
    const QString suffix = name.suffix().isEmpty() ? QString() : '.' + name.suffix();
    QString candidate = fileName;
    for (int n = 2; taken.contains(candidate, Qt::CaseInsensitive); ++n)
        candidate = name.completeBaseName() + '-' + QString::number(n) + suffix;
    return candidate;
}

// Replaces the reference where it stands as an address of the markup: after
// "(", "<", "=", "!", "]", a quote or a colon, or a reference definition's
// "]: ", up to the next delimiter. A mention in prose, or the tail of a
// longer address, stays.
QString withReference(const QString& text, const QString& written, const QString& replacement) {
    const QRegularExpression reference(QString(R"re((^|[(<"'=!\]:]|\]:[ \t]+)%1(?=$|[\s)>"'!(\[|\]?#]))re")
                                           .arg(QRegularExpression::escape(written)),
                                       QRegularExpression::MultilineOption);
    QString replaced = text;
    return replaced.replace(reference, "\\1" + replacement);
}

}  // namespace

PackedText packPictures(const QString& text, const QString& html, const QString& documentFolder,
                        const QString& stageFolder, const QStringList& assets) {
    PackedText packed{text, {}};
    QStringList taken;
    QHash<QString, QString> nameOfFile;
    for (const QString& asset : assets) {
        taken << QFileInfo(asset).fileName();
        nameOfFile.insert(QFileInfo(asset).canonicalFilePath(), taken.back());
    }
    for (const QString& source : pictureSources(html)) {
        const QString file = localPicture(source, documentFolder);
        if (file.isEmpty())
            continue;
        QString name = nameOfFile.value(file);
        if (name.isEmpty()) {
            name = uniqueName(QFileInfo(file).fileName(), taken);
            const QString copy = QDir(stageFolder).filePath(name);
            if (!QDir().mkpath(stageFolder) || !QFile::copy(file, copy))
                continue;
            taken << name;
            nameOfFile.insert(file, name);
            packed.pictures << copy;
        }
        // A reference written percent-encoded stays so.
        const QString decoded = QUrl::fromPercentEncoding(source.toUtf8());
        const QString encodedName = QString::fromUtf8(QUrl::toPercentEncoding(name));
        packed.text = withReference(packed.text, source, kAssetsFolder + (decoded != source ? encodedName : name));
        if (decoded != source)
            packed.text = withReference(packed.text, decoded, kAssetsFolder + name);
    }
    return packed;
}

}  // namespace packagepictures
