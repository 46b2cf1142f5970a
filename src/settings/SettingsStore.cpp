#include "settings/SettingsStore.h"

#include <QMutexLocker>

#include "engine/ConversionSettings.h"
#include "settings/SettingsRegistry.h"

namespace {

const SettingDefinition& definitionOf(SettingsStore::Setting setting) {
    return settingsRegistry().at(static_cast<size_t>(setting));
}

bool isScalar(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::QString:
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

// A value read back from the file is text ("true", "130") where the one
// written was typed: those are the same value.
bool sameValue(const QVariant& a, const QVariant& b) {
    if (a == b)
        return true;
    return isScalar(a) && isScalar(b) && a.toString() == b.toString();
}

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
        if (definition.kind == SettingDefault::Registered)
            defaults_.insert(definition.id, definition.defaultValue);
}

QVariant SettingsStore::value(Setting setting) const {
    const int id = static_cast<int>(setting);
    QMutexLocker lock(&mutex_);
    if (auto found = overrides_.constFind(id); found != overrides_.constEnd())
        return *found;
    QVariant stored = settings_->value(definitionOf(setting).key);
    if (stored.isValid())
        return stored;
    return defaults_.value(id);
}

QVariant SettingsStore::defaultValue(Setting setting) {
    return definitionOf(setting).defaultValue;
}

QVariant SettingsStore::paneValue(Setting setting) {
    const SettingDefinition& definition = definitionOf(setting);
    return definition.kind == SettingDefault::PaneValue ? definition.defaultValue : QVariant();
}

QVariant SettingsStore::readValue(Setting setting) const {
    const QVariant found = value(setting);
    return found.isValid() ? found : paneValue(setting);
}

bool SettingsStore::hasValue(Setting setting) const {
    return value(setting).isValid();
}

void SettingsStore::write(Setting setting, const QVariant& value) {
    const QVariant before = readValue(setting);
    {
        QMutexLocker lock(&mutex_);
        ++changeCount_;
        if (value.isValid())
            settings_->setValue(definitionOf(setting).key, value);
        else
            settings_->remove(definitionOf(setting).key);
    }
    if (!sameValue(before, readValue(setting)))
        emit changed(setting);
}

void SettingsStore::reset(Setting setting) {
    write(setting, QVariant());
}

void SettingsStore::writeOverride(Setting setting, const QVariant& value) {
    const QVariant before = readValue(setting);
    {
        QMutexLocker lock(&mutex_);
        ++changeCount_;
        overrides_.insert(static_cast<int>(setting), value);
    }
    if (!sameValue(before, value))
        emit changed(setting);
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
    const auto setting = static_cast<Setting>(definition->id);
    switch (definition->type) {
    case SettingType::Boolean:
        if (text != "true" && text != "false")
            return QString("setting \"%1\" takes true or false").arg(key);
        writeOverride(setting, text == "true");
        return std::nullopt;
    case SettingType::Integer: {
        bool ok = false;
        int number = text.toInt(&ok, 10);
        if (!ok)
            return QString("setting \"%1\" takes a decimal integer").arg(key);
        writeOverride(setting, number);
        return std::nullopt;
    }
    case SettingType::String:
        writeOverride(setting, text);
        return std::nullopt;
    case SettingType::Data:
        break;
    }
    return QString("setting \"%1\" cannot be set from the command line").arg(key);
}

void SettingsStore::installAsConverterSettings() {
    engine::setConversionSettingsSource([this] { return engine::ConversionSettings{.useHtml5 = useHtml5()}; });
}

void SettingsStore::sync() {
    QMutexLocker lock(&mutex_);
    settings_->sync();
}
