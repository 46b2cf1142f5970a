#include "export/ExportHtml.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "pipeline/PageTemplate.h"
#include "export/AnchorLinks.h"
#include "settings/AppSupportFilePaths.h"

namespace exporthtml {

namespace {

QString baseElement(const QUrl& baseURL) {
    if (baseURL.isEmpty())
        return {};
    return QStringLiteral("<base href=\"") + baseURL.toString(QUrl::FullyEncoded).toHtmlEscaped()
           + QStringLiteral("\">");
}

// The folder named like the file, without its extension.
QString sameNamedFolder(const QString& source) {
    const QFileInfo file(source);
    if (file.suffix().isEmpty())
        return {};
    return file.absoluteFilePath().chopped(file.suffix().size() + 1);
}

// Headings stay with what follows, short blocks and table rows stay whole,
// header rows repeat and code wraps: the rules of resources/export/print.css.
QString paperRules() {
    QFile file(QStringLiteral(":/export/print.css"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

QString styledFragment(const QString& fragment, const QString& css) {
    const QString style = css.trimmed();
    QString html = fragment;
    if (!style.isEmpty())
        html = QStringLiteral("<style type=\"text/css\"> ") + style + QStringLiteral(" </style> ") + fragment;
    return anchorlinks::undoJavaScriptAnchors(html);
}

namespace {

QString pageWithBase(const QString& fragment, const QString& css, const QUrl& baseURL) {
    QString page = pagetemplate::pageWithFragment(anchorlinks::undoJavaScriptAnchors(fragment), css, 100);
    const qsizetype head = page.indexOf(QStringLiteral("<head>"));
    if (head >= 0)
        page.insert(head + 6, baseElement(baseURL));
    return page;
}

}  // namespace

QString printPage(const QString& fragment, const QString& css, const QUrl& baseURL) {
    return pageWithBase(fragment, css.trimmed() + '\n' + paperRules(), baseURL);
}

QString screenPage(const QString& fragment, const QString& css, const QUrl& baseURL) {
    return pageWithBase(fragment, css.trimmed(), baseURL);
}

QString officePage(const QString& fragment, const QString& css, const QUrl& baseURL) {
    return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">") + baseElement(baseURL)
           + QStringLiteral("</head><body>") + styledFragment(fragment, css) + QStringLiteral("</body></html>\n");
}

QString attachmentFolder(const QString& source, const QString& packageFolder) {
    if (!packageFolder.isEmpty())
        return packageFolder;
    const QString named = sameNamedFolder(source);
    if (!named.isEmpty() && QFileInfo(named).isDir())
        return named;
    return QFileInfo(source).absolutePath();
}

QStringList allowedFolders(const QString& source, const QString& packageFolder) {
    QStringList folders{QFileInfo(source).absolutePath(), attachmentFolder(source, packageFolder),
                        AppSupportFilePaths::appSupportFilePath() + "/CSSStyles"};
    if (!packageFolder.isEmpty())
        folders << packageFolder;
    return folders;
}

}  // namespace exporthtml
