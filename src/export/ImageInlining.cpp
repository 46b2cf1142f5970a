#include "export/ImageInlining.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <memory>
#include <optional>
#include <unicode/regex.h>

#include "pipeline/PreviewRequestPolicy.h"
#include "export/IcuText.h"

namespace imageinlining {

namespace {

// An img element's src attribute in any of its three quotings; group 1 is
// everything up to the value, groups 2 to 4 the value.
const char16_t* const kImageSource =
    u"(<img\\b[^>]*?\\ssrc\\s*=\\s*)(?:\"([^\"]*)\"|'([^']*)'|([^\\s\"'>]+))";

// The entities a converter writes into an address.
QString decodedEntities(QString value) {
    if (!value.contains('&'))
        return value;
    value.replace("&quot;", "\"").replace("&#39;", "'").replace("&lt;", "<").replace("&gt;", ">");
    return value.replace("&amp;", "&");
}

// The data: address for a local image the page may load, an empty address
// for any other local file, or nothing to change.
std::optional<QString> replacementFor(const QString& value, const QUrl& baseURL, const QStringList& canonicalFolders,
                                      QStringList& imageFiles) {
    const QUrl url = baseURL.resolved(QUrl(decodedEntities(value).trimmed()));
    if (!url.isLocalFile())
        return std::nullopt;
    const QString path = url.toLocalFile();
    QFile file(path);
    if (!PreviewRequestPolicy::isInsideFolders(path, canonicalFolders) || !file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.readAll();
    const QString mime = QMimeDatabase().mimeTypeForFileNameAndData(path, bytes).name();
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (!imageFiles.contains(canonical))
        imageFiles << canonical;
    return QStringLiteral("data:") + mime + QStringLiteral(";base64,") + QString::fromLatin1(bytes.toBase64());
}

QStringList canonical(const QStringList& folders) {
    QStringList result;
    for (const QString& folder : folders) {
        const QString path = QFileInfo(folder).canonicalFilePath();
        if (!path.isEmpty())
            result << path;
    }
    return result;
}

}  // namespace

InlinedPage inlineLocalImages(const QString& html, const QUrl& baseURL, const QStringList& allowedFolders) {
    InlinedPage page;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexPattern> pattern(
        icu::RegexPattern::compile(icu::UnicodeString(kImageSource), UREGEX_CASE_INSENSITIVE, status));
    const icu::UnicodeString text = icutext::toIcu(html);
    std::unique_ptr<icu::RegexMatcher> matcher(U_SUCCESS(status) ? pattern->matcher(text, status) : nullptr);
    if (!matcher) {
        page.html = html;
        return page;
    }
    const QStringList folders = canonical(allowedFolders);
    int32_t copied = 0;
    while (matcher->find(status) && U_SUCCESS(status)) {
        int group = 2;
        while (group < 4 && matcher->start(group, status) < 0)
            ++group;
        const QString value = icutext::fromIcu(matcher->group(group, status));
        const auto replacement = replacementFor(value, baseURL, folders, page.imageFiles);
        if (!replacement)
            continue;
        const int32_t start = matcher->start(status);
        page.html += icutext::fromIcu(text.tempSubStringBetween(copied, start));
        page.html += icutext::fromIcu(matcher->group(1, status)) + '"' + *replacement + '"';
        copied = matcher->end(status);
    }
    page.html += icutext::fromIcu(text.tempSubStringBetween(copied, text.length()));
    return page;
}

}  // namespace imageinlining
