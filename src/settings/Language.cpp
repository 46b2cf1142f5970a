#include "settings/Language.h"

#include <QLocale>

QString Language::getLanguage() {
    // Qt spells the preferences with "-" already ("de-DE").
    return languageFromPreferences(QLocale::system().uiLanguages());
}

QString Language::languageFromPreferences(const QStringList& preferredLanguages) {
    if (preferredLanguages.isEmpty() || preferredLanguages.first().isEmpty())
        return "en";
    const QString& first = preferredLanguages.first();
    qsizetype hyphen = first.indexOf('-');
    if (hyphen < 0)
        return first;
    return first.left(hyphen).toLower();
}

QString Language::interfaceLanguage() {
    return getLanguage().toLower() == "de" ? "de" : "en";
}
