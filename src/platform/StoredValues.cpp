#include "platform/StoredValues.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(platformLog, "quillview.platform")

QVariant StoredValues::toStored(const QVariant& object) {
    if (object.metaType() == QMetaType::fromType<QColor>())
        return QVariant::fromValue(object.value<QColor>());
    if (object.metaType() == QMetaType::fromType<QUrl>())
        return QVariant::fromValue(object.toUrl());
    return object;
}

std::optional<QColor> StoredValues::colorFromStored(const QVariant& data) {
    if (data.metaType() != QMetaType::fromType<QColor>())
        return std::nullopt;
    const QColor color = data.value<QColor>();
    return color.isValid() ? std::optional<QColor>(color) : std::nullopt;
}

std::optional<QUrl> StoredValues::urlFromStored(const QVariant& data) {
    if (data.metaType() != QMetaType::fromType<QUrl>())
        return std::nullopt;
    const QUrl url = data.toUrl();
    return url.isValid() ? std::optional<QUrl>(url) : std::nullopt;
}

QString StoredValues::mimeTypeForKey(const QString& key) {
    if (key == "filename" || key == "url")
        return "text/uri-list";
    if (key == "string")
        return "text/plain";
    qCWarning(platformLog).noquote() << QString("ERROR: pasteboardTypeForKey -- Key \"%1\" wurde nicht erkannt").arg(key);
    return {};
}

Qt::CheckState StoredValues::checkState(bool on) {
    return on ? Qt::Checked : Qt::Unchecked;
}
