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
    // Built by concatenation, not by QString::arg, so that "%1" in a style or
    // in the document stays as written.
    return QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />"
                          "<style type=\"text/css\"><!-- img{max-width:100%; height:auto;}  ")
           + styleText + QStringLiteral("--></style></head><body style=\"font-size:") + QString::number(fontSize)
           + QStringLiteral("%\">") + fragment + QStringLiteral("</body></html>");
}

QString pageWithFragment(const QString& fragment) {
    return pageWithFragment(fragment, returnCSSStyleString(),
                            SettingsStore::shared().fontSize());
}

}  // namespace pagetemplate
