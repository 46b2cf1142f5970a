#pragma once
// The stored form of colours and URLs in the settings, and the mapping of the
// application's own names to platform constants. Values are kept as
// self-describing QVariants (QSettings writes their type with them), so both
// directions agree and a value of another type reads as absent.

#include <QColor>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <optional>

class StoredValues {
public:
    // A colour or URL as the settings store keeps it; other values unchanged.
    static QVariant toStored(const QVariant& object);
    // Exactly a colour (or URL); anything else, absent or malformed: nothing.
    static std::optional<QColor> colorFromStored(const QVariant& data);
    static std::optional<QUrl> urlFromStored(const QVariant& data);

    // "filename" and "url" → "text/uri-list", "string" → "text/plain"; any
    // other key is logged and gives the empty string.
    static QString mimeTypeForKey(const QString& key);

    static Qt::CheckState checkState(bool on);
};
