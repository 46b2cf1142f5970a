#pragma once
// The user's settings: a QSettings file (~/.config/Quillview/Quillview.conf)
// under the registered defaults, with overrides for one run on top (the
// command line's --set). Settings are read from the store at each use.

#include <QHash>
#include <QMutex>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <atomic>
#include <memory>
#include <optional>

#include "engine/SettingsReader.h"

class SettingsStore {
public:
    // The process-wide store (created on first use).
    static SettingsStore& shared();

    // Registers the keys that have defaults; idempotent.
    void registerDefaults();

    // Override > stored > registered default; invalid when absent.
    QVariant value(const QString& key) const;
    bool contains(const QString& key) const { return value(key).isValid(); }
    bool boolValue(const QString& key) const { return value(key).toBool(); }
    int integerValue(const QString& key) const { return value(key).toInt(); }
    QString stringValue(const QString& key) const { return value(key).toString(); }
    std::optional<QString> optionalString(const QString& key) const;
    // The stored string, or for a key never stored the value the preferences
    // would write (the CriticMarkup styles before the pane was first opened).
    QString stringOrPaneValue(const QString& key) const;

    void setValue(const QString& key, const QVariant& value);
    // Grows with every change made through this store: a result computed
    // under one count may be reused while the count stays the same.
    quint64 changeCount() const { return changeCount_.load(); }
    void remove(const QString& key);

    // A value for this run only; nothing is written.
    void setOverride(const QString& key, const QVariant& value);
    // Parses "KEY=VALUE" by the key's registered type (booleans true/false,
    // integers in decimal, strings as written); an error text when it cannot.
    std::optional<QString> setOverrideFromAssignment(const QString& assignment);

    // Makes the converters read this store.
    void installAsConverterSettings();

    void sync();

private:
    SettingsStore();
    std::unique_ptr<QSettings> settings_;
    QHash<QString, QVariant> defaults_;
    QHash<QString, QVariant> overrides_;
    mutable QMutex mutex_;
    std::atomic<quint64> changeCount_{0};
};
