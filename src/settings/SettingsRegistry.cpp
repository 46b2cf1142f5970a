#include "settings/SettingsRegistry.h"

#include <QByteArray>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>
#include <optional>
#include <type_traits>

namespace {

template <typename T>
constexpr SettingType typeOf() {
    if constexpr (std::is_same_v<T, bool>)
        return SettingType::Boolean;
    else if constexpr (std::is_same_v<T, int>)
        return SettingType::Integer;
    else if constexpr (std::is_same_v<T, QString> || std::is_same_v<T, std::optional<QString>>)
        return SettingType::String;
    else
        return SettingType::Data;
}

template <typename T>
QVariant variantOf(const T& value) {
    if constexpr (std::is_same_v<T, std::optional<QString>>)
        return value ? QVariant(*value) : QVariant();
    else
        return QVariant::fromValue(value);
}

std::vector<SettingDefinition> buildRegistry() {
    std::vector<SettingDefinition> registry;
    int id = 0;
#define SETTING(Type, getter, setter, key, kind, ...)                                                        \
    registry.push_back({id++, QStringLiteral(key), typeOf<Type>(), SettingDefault::kind,                     \
                        SettingDefault::kind == SettingDefault::Absent ? QVariant() : variantOf<Type>(__VA_ARGS__)});
#include "settings/SettingsTable.def"
    return registry;
}

}  // namespace

const std::vector<SettingDefinition>& settingsRegistry() {
    static const std::vector<SettingDefinition> registry = buildRegistry();
    return registry;
}

const SettingDefinition* settingDefinition(const QString& key) {
    for (const SettingDefinition& definition : settingsRegistry())
        if (definition.key == key)
            return &definition;
    return nullptr;
}
