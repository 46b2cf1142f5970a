#pragma once
// Every settings key of the application with its type and default. The keys
// with a registered default are registered at each start; the others read as
// absent until something stores them.

#include <QString>
#include <QVariant>
#include <vector>

// Keys of settings that no string table names: declared once here.
namespace settingskeys {
// Folders whose documents may run their own scripts in the preview.
inline constexpr char kScriptsAllowedFolders[] = "PREVIEW_SCRIPTS_ALLOWED_FOLDERS";
// The documents opened last, newest first (File ▸ Open Recent).
inline constexpr char kRecentDocuments[] = "RECENT_DOCUMENTS";
}  // namespace settingskeys

enum class SettingType { Boolean, Integer, String, Data, Dictionary };

struct SettingDefinition {
    QString key;
    SettingType type;
    bool registered;       // has a default in the store
    QVariant defaultValue; // the registered default, or the value a pane writes
};

const std::vector<SettingDefinition>& settingsRegistry();
const SettingDefinition* settingDefinition(const QString& key);

// The stored form of an archived URL ("BASEURL_FilePath") and colour.
QVariant archivedFileUrl(const QString& path);
