#include "updater/UpdaterTexts.h"

#include <QCoreApplication>

#include "settings/Language.h"

namespace {

// The tables' keys, for lupdate: each table is only read while its language
// is the interface's, so each needs its own language only.
[[maybe_unused]] const char* const kEnglishTable[] = {
    QT_TRANSLATE_NOOP("VantrelUpdate_EN", "VantrelUpdate_MENU_ITEM"),
    QT_TRANSLATE_NOOP("VantrelUpdate_EN", "VantrelUpdate_QUESTION_TITLE"),
    QT_TRANSLATE_NOOP("VantrelUpdate_EN", "VantrelUpdate_QUESTION_MESSAGE"),
    QT_TRANSLATE_NOOP("VantrelUpdate_EN", "VantrelUpdate_NOTHANKS_BUTTON"),
    QT_TRANSLATE_NOOP("VantrelUpdate_EN", "VantrelUpdate_PRIVACY_BUTTON"),
    QT_TRANSLATE_NOOP("VantrelUpdate_EN", "VantrelUpdate_NOUPDATE_TITLE"),
    QT_TRANSLATE_NOOP("VantrelUpdate_EN", "VantrelUpdate_NOUPDATE_TEXT"),
    QT_TRANSLATE_NOOP("VantrelUpdate_EN", "VantrelUpdate_CONNECTION_FAILED_TITLE"),
    QT_TRANSLATE_NOOP("VantrelUpdate_EN", "VantrelUpdate_CONNECTION_FAILED_TEXT"),
    QT_TRANSLATE_NOOP("VantrelUpdate_EN", "VantrelUpdate_WINDOW_TITLE"),
    QT_TRANSLATE_NOOP("VantrelUpdate_EN", "VantrelUpdate_GREETTITLE"),
    QT_TRANSLATE_NOOP("VantrelUpdate_EN", "VantrelUpdate_GREETMESSAGE"),
    QT_TRANSLATE_NOOP("VantrelUpdate_EN", "VantrelUpdate_CHECKBOX_AUTOCHECK"),
    QT_TRANSLATE_NOOP("VantrelUpdate_EN", "VantrelUpdate_BUTTON_DOWNLOAD"),
    QT_TRANSLATE_NOOP("VantrelUpdate_EN", "VantrelUpdate_BUTTON_LATER"),
    QT_TRANSLATE_NOOP("VantrelUpdate_EN", "VantrelUpdate_BUTTON_RN"),
};
[[maybe_unused]] const char* const kGermanTable[] = {
    QT_TRANSLATE_NOOP("VantrelUpdate_DE", "VantrelUpdate_MENU_ITEM"),
    QT_TRANSLATE_NOOP("VantrelUpdate_DE", "VantrelUpdate_QUESTION_TITLE"),
    QT_TRANSLATE_NOOP("VantrelUpdate_DE", "VantrelUpdate_QUESTION_MESSAGE"),
    QT_TRANSLATE_NOOP("VantrelUpdate_DE", "VantrelUpdate_NOTHANKS_BUTTON"),
    QT_TRANSLATE_NOOP("VantrelUpdate_DE", "VantrelUpdate_PRIVACY_BUTTON"),
    QT_TRANSLATE_NOOP("VantrelUpdate_DE", "VantrelUpdate_NOUPDATE_TITLE"),
    QT_TRANSLATE_NOOP("VantrelUpdate_DE", "VantrelUpdate_NOUPDATE_TEXT"),
    QT_TRANSLATE_NOOP("VantrelUpdate_DE", "VantrelUpdate_CONNECTION_FAILED_TITLE"),
    QT_TRANSLATE_NOOP("VantrelUpdate_DE", "VantrelUpdate_CONNECTION_FAILED_TEXT"),
    QT_TRANSLATE_NOOP("VantrelUpdate_DE", "VantrelUpdate_WINDOW_TITLE"),
    QT_TRANSLATE_NOOP("VantrelUpdate_DE", "VantrelUpdate_GREETTITLE"),
    QT_TRANSLATE_NOOP("VantrelUpdate_DE", "VantrelUpdate_GREETMESSAGE"),
    QT_TRANSLATE_NOOP("VantrelUpdate_DE", "VantrelUpdate_CHECKBOX_AUTOCHECK"),
    QT_TRANSLATE_NOOP("VantrelUpdate_DE", "VantrelUpdate_BUTTON_DOWNLOAD"),
    QT_TRANSLATE_NOOP("VantrelUpdate_DE", "VantrelUpdate_BUTTON_LATER"),
    QT_TRANSLATE_NOOP("VantrelUpdate_DE", "VantrelUpdate_BUTTON_RN"),
};

}  // namespace

namespace updatertexts {

QString langCode() {
    return Language::interfaceLanguage() == "de" ? "DE" : "EN";
}

QString stringTable(const QString& langCode) {
    return QString("VantrelUpdate_%1").arg(langCode);
}

QString localized(const QString& stringTable, const char* key) {
    return QCoreApplication::translate(stringTable.toUtf8().constData(), key);
}

QString format(const QString& text, const QStringList& values) {
    QString filled;
    qsizetype from = 0;
    for (const QString& value : values) {
        const qsizetype at = text.indexOf("%@", from);
        if (at < 0)
            break;
        filled += text.mid(from, at - from) + value;
        from = at + 2;
    }
    return filled + text.mid(from);
}

}  // namespace updatertexts
