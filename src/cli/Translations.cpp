#include "cli/Translations.h"

#include <QTranslator>

#include "settings/Language.h"

void installTranslations(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    const QString language = Language::getLanguage().toLower() == "de" ? "de" : "en";
    if (translator->load(QString(":/translations/quillview_%1.qm").arg(language)))
        QCoreApplication::installTranslator(translator);
}
