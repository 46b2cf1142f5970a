#pragma once
// What the store knows of each setting of SettingsTable.def: its stored key,
// the kind of value and its default. Code outside the settings layer uses
// SettingsStore's typed accessors instead.

#include <QString>
#include <QVariant>
#include <vector>

enum class SettingType { Boolean, Integer, String, Data };
enum class SettingDefault { Registered, Absent, PaneValue };

struct SettingDefinition {
    int id;  // a SettingsStore::Setting
    QString key;
    SettingType type;
    SettingDefault kind;
    QVariant defaultValue;  // the registered default or the pane's value
};

// In the order of the table.
const std::vector<SettingDefinition>& settingsRegistry();
const SettingDefinition* settingDefinition(const QString& key);
