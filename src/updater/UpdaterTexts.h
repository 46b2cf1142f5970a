#pragma once
// The update check's texts: keys of the string table "VantrelUpdate_EN" or
// "VantrelUpdate_DE", chosen by the interface language.

#include <QString>
#include <QStringList>

namespace updatertexts {

// "DE" for the German interface, "EN" otherwise.
QString langCode();
// "VantrelUpdate_<langCode>".
QString stringTable(const QString& langCode);
QString localized(const QString& stringTable, const char* key);
// Puts the values, in order, in place of each "%@" of the text.
QString format(const QString& text, const QStringList& values);

}  // namespace updatertexts
