#include "help/HelpBook.h"

#include <QFileInfo>

namespace helpbook {

namespace {

const QString kRoot = QStringLiteral(":/helpbook/");

bool isPlainWord(const QString& text) {
    if (text.isEmpty() || text.size() > 64)
        return false;
    for (QChar c : text)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != '_' && c != '-')
            return false;
    return true;
}

}  // namespace

Location locate(const QString& langCode) {
    // The code comes from the system's language list; anything that is not a
    // plain word cannot name one of our folders.
    if (isPlainWord(langCode) && QFileInfo::exists(kRoot + langCode + "/index.htm"))
        return {langCode, kRoot + langCode};
    return {"en", kRoot + "en"};
}

QUrl framePageUrl(const QString& helpbookPath) {
    return QUrl("qrc" + helpbookPath + "/index.htm");
}

bool isPageName(const QString& name) {
    return isPlainWord(name);
}

QString showPageScript(const QString& pageName) {
    return QString("document.getElementById('theIFrame').src = '%1.htm'").arg(pageName);
}

bool isInHelpBook(const QUrl& url) {
    return url.scheme() == "qrc" && url.host().isEmpty() && url.path().startsWith("/helpbook/");
}

}  // namespace helpbook
