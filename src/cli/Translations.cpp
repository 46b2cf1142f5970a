#include "cli/Translations.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "settings/Language.h"

void installTranslations(QCoreApplication& application) {
    const QString language = Language::interfaceLanguage();
    // Numbers are written as the interface speaks ("1.725" in German), also
    // where the system's formats are another language's.
    if (QLocale().language() != QLocale(language).language())
        QLocale::setDefault(QLocale(language));
    auto* own = new QTranslator(&application);
    if (own->load(QString(":/translations/quillview_%1.qm").arg(language)))
        QCoreApplication::installTranslator(own);
    // Qt's own texts (dialog buttons, the file dialog) in the same language.
    auto* qt = new QTranslator(&application);
    if (qt->load("qtbase_" + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
}
