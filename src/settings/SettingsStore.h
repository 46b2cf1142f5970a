#pragma once
// The user's settings: a QSettings file (~/.config/Quillview/Quillview.conf)
// under the registered defaults, with overrides for one run on top (the
// command line's --set). Each setting of SettingsTable.def has a typed getter
// and setter here; settings are read from the store at each use.

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QObject>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <atomic>
#include <memory>
#include <optional>
#include <type_traits>

class SettingsStore : public QObject {
    Q_OBJECT
public:
    // One name per setting, for the change signal and the generic calls below.
    enum class Setting {
#define SETTING(Type, getter, ...) getter,
#include "settings/SettingsTable.def"
    };
    Q_ENUM(Setting)

    // The process-wide store (created on first use).
    static SettingsStore& shared();

    // Registers the keys that have defaults; idempotent.
    void registerDefaults();

    // getter(): override > stored > default (see SettingsTable.def);
    // setter(value): stores it (a setter given nullopt removes the value);
    // getterDefault(): the registered default or pane value.
#define SETTING(Type, getter, setter, ...)            \
    Type getter() const { return read<Type>(Setting::getter); } \
    void setter(const Type& value) { writeTyped(Setting::getter, value); } \
    static Type getter##Default() { return defaultOf<Type>(Setting::getter); }
#include "settings/SettingsTable.def"

    // Whether the setting reads as anything: overridden, stored or registered.
    bool hasValue(Setting setting) const;
    // Removes the stored value: the default applies again.
    void reset(Setting setting);

    // Grows with every change made through this store: a result computed
    // under one count may be reused while the count stays the same.
    quint64 changeCount() const { return changeCount_.load(); }

    // Parses "KEY=VALUE" (a stored key) by the setting's type (booleans
    // true/false, integers in decimal, strings as written) and keeps it for
    // this run only; an error text when it cannot.
    std::optional<QString> setOverrideFromAssignment(const QString& assignment);

    // Makes the converters read this store.
    void installAsConverterSettings();

    void sync();

signals:
    // After each write through this store that changes what the setting
    // reads as (setters, reset, overrides), from the writing thread. A write
    // by another process to the settings file is not seen.
    void changed(SettingsStore::Setting setting);

private:
    SettingsStore();
    // Override > stored > registered default; invalid when absent.
    QVariant value(Setting setting) const;
    void write(Setting setting, const QVariant& value);
    void writeOverride(Setting setting, const QVariant& value);
    static QVariant defaultValue(Setting setting);

    // What the getter reads: the value, else the pane's value.
    QVariant readValue(Setting setting) const;

    template <typename T>
    T read(Setting setting) const {
        const QVariant stored = readValue(setting);
        if constexpr (std::is_same_v<T, std::optional<QString>>)
            return stored.isValid() ? std::optional<QString>(stored.toString()) : std::nullopt;
        else
            return stored.value<T>();
    }
    static QVariant paneValue(Setting setting);
    template <typename T>
    void writeTyped(Setting setting, const T& value) {
        if constexpr (std::is_same_v<T, std::optional<QString>>)
            write(setting, value ? QVariant(*value) : QVariant());
        else
            write(setting, QVariant::fromValue(value));
    }
    template <typename T>
    static T defaultOf(Setting setting) {
        const QVariant value = defaultValue(setting);
        if constexpr (std::is_same_v<T, std::optional<QString>>)
            return value.isValid() ? std::optional<QString>(value.toString()) : std::nullopt;
        else
            return value.value<T>();
    }

    std::unique_ptr<QSettings> settings_;
    QHash<int, QVariant> defaults_;
    QHash<int, QVariant> overrides_;
    mutable QMutex mutex_;
    std::atomic<quint64> changeCount_{0};
};
