#pragma once
// LibreOffice links the images of an HTML page instead of embedding them, so
// the page it gets carries each local image inline, as a data: address.
// Only images inside the document's folders are read; a local image anywhere
// else loses its address, as the preview refuses it too. Remote images stay
// as written.

#include <QString>
#include <QStringList>
#include <QUrl>

namespace imageinlining {

struct InlinedPage {
    QString html;
    QStringList imageFiles;  // the local image files carried inline, each once, in order of appearance
};

InlinedPage inlineLocalImages(const QString& html, const QUrl& baseURL, const QStringList& allowedFolders);

}  // namespace imageinlining
