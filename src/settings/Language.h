#pragma once
#include <QString>
#include <QStringList>

class Language {
public:
    // The user's first preferred language, reduced to its language part
    // ("de-DE" gives "de"); "en" when there is none.
    static QString getLanguage();
    // The same rule over a given preference list.
    static QString languageFromPreferences(const QStringList& preferredLanguages);
    // The language of the interface: "de" for German (in any spelling, "DE"
    // too), "en" for everything else, which has no translation of its own.
    static QString interfaceLanguage();
};
