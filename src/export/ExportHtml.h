#pragma once
// The HTML that export hands on: the fragment with the style in front and the
// in-page links as plain fragment links, the page the PDF is printed from,
// and the folders its relative names resolve against and load from.

#include <QString>
#include <QStringList>
#include <QUrl>

namespace exporthtml {

// The fragment with the style element in front when there is a style; the
// JavaScript anchors undone.
QString styledFragment(const QString& fragment, const QString& css);

// A whole page around the fragment (style, font size 100 %), with a base
// element so that it resolves the same wherever it is loaded from.
QString printPage(const QString& fragment, const QString& css, const QUrl& baseURL);

// The same page without the paper's rules: the page whose rendered code,
// math and diagrams the HTML export takes.
QString screenPage(const QString& fragment, const QString& css, const QUrl& baseURL);

// The page handed to LibreOffice: UTF-8 declared, the base element, the style
// and the fragment.
QString officePage(const QString& fragment, const QString& css, const QUrl& baseURL);

// Where relative names resolve: a package's own folder; for a plain file the
// folder named like it without its extension (/a/notes for /a/notes.md) when
// that exists, else the file's folder, as the preview does.
QString attachmentFolder(const QString& source, const QString& packageFolder);

// The folders a page of this document may load files from: the document's
// folder, the attachment folder, the package folder and the styles folder.
QStringList allowedFolders(const QString& source, const QString& packageFolder);

}  // namespace exporthtml
