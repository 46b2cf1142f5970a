#include "pipeline/PageTemplate.h"

#include <QFile>

#include "settings/AppSupportFilePaths.h"
#include "settings/SettingsStore.h"

namespace pagetemplate {

QString returnCSSStyleString() {
    const QString path = QString("%1/CSSStyles/%2.css")
                             .arg(AppSupportFilePaths::appSupportFilePath(),
                                  SettingsStore::shared().selectedCssStyle());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString pageWithFragment(const QString& fragment, const QString& styleText, long fontSize) {
    // Built by appending, not by QString::arg, so that "%1" in a style or in
    // the document stays as written; in one allocation, as the fragment may
    // run to megabytes.
    static const QString head = QStringLiteral(
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />"
        "<style type=\"text/css\"><!-- img{max-width:100%; height:auto;}  ");
    static const QString bodyStart = QStringLiteral("--></style></head><body style=\"font-size:");
    static const QString end = QStringLiteral("</body></html>");
    const QString size = QString::number(fontSize) + QStringLiteral("%\">");
    QString page;
    page.reserve(head.size() + styleText.size() + bodyStart.size() + size.size() + fragment.size() + end.size());
    page.append(head).append(styleText).append(bodyStart).append(size).append(fragment).append(end);
    return page;
}

QString pageWithFragment(const QString& fragment) {
    return pageWithFragment(fragment, returnCSSStyleString(),
                            SettingsStore::shared().fontSize());
}

}  // namespace pagetemplate
