#include "settings/SettingsStore.h"

#include <QMutexLocker>

#include "settings/SettingsRegistry.h"
#include "settings/UnicodeBridge.h"

namespace {

// The converters' view of the store.
class StoreReader : public engine::SettingsReader {
public:
    explicit StoreReader(const SettingsStore& store) : store_(store) {}
    bool boolForKey(const std::string& key) const override {
        return store_.boolValue(QString::fromStdString(key));
    }
    long long integerForKey(const std::string& key) const override {
        return store_.value(QString::fromStdString(key)).toLongLong();
    }
    std::optional<icu::UnicodeString> stringForKey(const std::string& key) const override {
        auto value = store_.optionalString(QString::fromStdString(key));
        if (!value)
            return std::nullopt;
        return unicodebridge::toUnicode(*value);
    }

private:
    const SettingsStore& store_;
};

}  // namespace

SettingsStore& SettingsStore::shared() {
    static SettingsStore store;
    return store;
}

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "Quillview", "Quillview")) {}

void SettingsStore::registerDefaults() {
    QMutexLocker lock(&mutex_);
    for (const SettingDefinition& definition : settingsRegistry())
        if (definition.registered)
            defaults_.insert(definition.key, definition.defaultValue);
}

QVariant SettingsStore::value(const QString& key) const {
    QMutexLocker lock(&mutex_);
    if (auto found = overrides_.constFind(key); found != overrides_.constEnd())
        return *found;
    QVariant stored = settings_->value(key);
    if (stored.isValid())
        return stored;
    return defaults_.value(key);
}

QString SettingsStore::stringOrPaneValue(const QString& key) const {
    if (std::optional<QString> stored = optionalString(key))
        return *stored;
    const SettingDefinition* definition = settingDefinition(key);
    return definition ? definition->defaultValue.toString() : QString();
}

std::optional<QString> SettingsStore::optionalString(const QString& key) const {
    QVariant stored = value(key);
    if (!stored.isValid())
        return std::nullopt;
    return stored.toString();
}

void SettingsStore::setValue(const QString& key, const QVariant& value) {
    QMutexLocker lock(&mutex_);
    ++changeCount_;
    settings_->setValue(key, value);
}

void SettingsStore::remove(const QString& key) {
    QMutexLocker lock(&mutex_);
    ++changeCount_;
    settings_->remove(key);
}

void SettingsStore::setOverride(const QString& key, const QVariant& value) {
    QMutexLocker lock(&mutex_);
    ++changeCount_;
    overrides_.insert(key, value);
}

std::optional<QString> SettingsStore::setOverrideFromAssignment(const QString& assignment) {
    qsizetype equals = assignment.indexOf('=');
    if (equals <= 0)
        return QString("expected KEY=VALUE, got \"%1\"").arg(assignment);
    QString key = assignment.left(equals);
    QString text = assignment.mid(equals + 1);
    const SettingDefinition* definition = settingDefinition(key);
    if (!definition)
        return QString("unknown setting \"%1\"").arg(key);
    switch (definition->type) {
    case SettingType::Boolean:
        if (text != "true" && text != "false")
            return QString("setting \"%1\" takes true or false").arg(key);
        setOverride(key, text == "true");
        return std::nullopt;
    case SettingType::Integer: {
        bool ok = false;
        int number = text.toInt(&ok, 10);
        if (!ok)
            return QString("setting \"%1\" takes a decimal integer").arg(key);
        setOverride(key, number);
        return std::nullopt;
    }
    case SettingType::String:
        setOverride(key, text);
        return std::nullopt;
    case SettingType::Data:
    case SettingType::Dictionary:
        break;
    }
    return QString("setting \"%1\" cannot be set from the command line").arg(key);
}

void SettingsStore::installAsConverterSettings() {
    engine::setSettingsReader(std::make_shared<StoreReader>(*this));
}

void SettingsStore::sync() {
    QMutexLocker lock(&mutex_);
    settings_->sync();
}
