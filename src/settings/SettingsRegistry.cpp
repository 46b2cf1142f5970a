#include "settings/SettingsRegistry.h"

#include <QUrl>

QVariant archivedFileUrl(const QString& path) {
    return QVariant(QUrl::fromLocalFile(path));
}

namespace {

SettingDefinition registered(const char* key, SettingType type, QVariant value) {
    return {QString::fromUtf8(key), type, true, std::move(value)};
}

SettingDefinition optional(const char* key, SettingType type, QVariant paneValue = {}) {
    return {QString::fromUtf8(key), type, false, std::move(paneValue)};
}

std::vector<SettingDefinition> buildRegistry() {
    using T = SettingType;
    return {
        registered(settingskeys::kMarkdownExtension, T::String, "markdown md mdown markdn markd mkdn"),
        registered(settingskeys::kMultiMarkdownExtension, T::String, "mmkdn mmdown mmd multimarkdown mmarkdn mmarkd"),
        registered(settingskeys::kTesselExtension, T::String, "tessel tsl"),
        registered(settingskeys::kBBCodeExtension, T::String, "bbc bbcode"),
        registered(settingskeys::kWikitextExtension, T::String, "wiki wik wikitext"),
        registered(settingskeys::kTextileExtension, T::String, "tex textile"),
        registered(settingskeys::kHTMLExtension, T::String, "html htm xhtml xhtm"),
        registered(settingskeys::kUseMarkdownExtra, T::Boolean, true),
        registered(settingskeys::kOpenUnknownExtension, T::String, "Markdown"),
        registered(settingskeys::kAskForFolderAccess, T::Boolean, true),
        registered(settingskeys::kUseCriticsMarkup, T::Boolean, false),
        registered(settingskeys::kShowTitlebar, T::Boolean, true),
        registered(settingskeys::kWindowTheme, T::String, "NSAppearanceNameVibrantLight"),
        registered(settingskeys::kSelectedCSSStyle, T::String, "Standard_Light"),
        registered(settingskeys::kFontSize, T::Integer, 100),
        registered(settingskeys::kTextStyle, T::String, "Helvetica Neue"),
        registered(settingskeys::kTextSize, T::String, "13"),
        // Colours by name: the settings layer stays free of Qt GUI, which the
        // command line never loads; `QVariant::value<QColor>()` reads them.
        registered(settingskeys::kTextColor, T::Data, QStringLiteral("#000000")),
        registered(settingskeys::kBackgroundColor, T::Data, QStringLiteral("#ffffff")),
        registered(settingskeys::kBaseURLSelectedOption, T::Integer, 2),
        registered(settingskeys::kBaseURLWebURL, T::String, ""),
        registered(settingskeys::kBaseURLFilePath, T::Data, archivedFileUrl("/Applications")),
        registered(settingskeys::kConversionTimeLimit, T::Integer, settingskeys::kDefaultConversionTimeLimit),

        optional(settingskeys::kBaseURLFilePathSec, T::Data),
        optional(settingskeys::kSandboxPaths, T::Dictionary),
        optional(settingskeys::kUseHTML5, T::Boolean),
        optional(settingskeys::kCriticMarkupHighlightStyle, T::String,
                 "background-color: #c7f1fb;font-weight: bold;color: black;"),
        optional(settingskeys::kCriticMarkupAddStyle, T::String,
                 "background-color:yellow;border: 1px dashed red;padding: 0px 6px 0px 6px;color: black;"),
        optional(settingskeys::kCriticMarkupCommentStyle, T::String,
                 "background-color: white;font-style: italic;font-weight: bold;color: black;"
                 "text-decoration: underline;border: 1px solid green;padding: 0px 6px 0px 6px;"),
        optional(settingskeys::kCriticMarkupRemoveStyle, T::String,
                 "background-color:red; text-decoration: line-through;color: white;font-weight: bold;"
                 "padding: 0px 6px 0px 6px;"),
        optional(settingskeys::kMMDExePath, T::String),
        optional(settingskeys::kMarkdownFlavour, T::String, "markdownextra"),
        optional(settingskeys::kHideFrontMatter, T::Boolean, false),
        optional(settingskeys::kUseBuiltInConverters, T::Boolean),
        optional(settingskeys::kUseSystemPHP, T::Boolean),
        optional(settingskeys::kUseCustomPHP, T::Boolean),
        optional(settingskeys::kUseSwift, T::Boolean),
        optional(settingskeys::kCustomPHPPath, T::String),
        optional(settingskeys::kCustomPHPBookmark, T::Data),
        optional(settingskeys::kUpdaterAutoCheck, T::Boolean),
        optional(settingskeys::kUpdaterFirstStartDone, T::Boolean),
        optional(settingskeys::kUpdaterSecondStartDone, T::Boolean),
        optional(settingskeys::kUpdaterLastSkip, T::String),
        optional(settingskeys::kWarningOpenURLInBrowser, T::Boolean),
        optional(settingskeys::kScriptsAllowedFolders, T::Data),
        optional(settingskeys::kRecentDocuments, T::Data),
    };
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
