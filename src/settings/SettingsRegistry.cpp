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
        registered("defaults_MarkdownExtension", T::String, "markdown md mdown markdn markd mkdn"),
        registered("defaults_MultiMarkdownExtension", T::String, "mmkdn mmdown mmd multimarkdown mmarkdn mmarkd"),
        registered("defaults_TesselExtension", T::String, "tessel tsl"),
        registered("defaults_BBCodeExtension", T::String, "bbc bbcode"),
        registered("defaults_WikitextExtension", T::String, "wiki wik wikitext"),
        registered("defaults_TextileExtension", T::String, "tex textile"),
        registered("defaults_HTMLExtension", T::String, "html htm xhtml xhtm"),
        registered("defaults_UseMarkdownExtra", T::Boolean, true),
        registered("defaults_OpenUnknownExtension", T::String, "Markdown"),
        registered("defaults_AskForFolderAccess", T::Boolean, true),
        registered("UseCriticsMarkup", T::Boolean, false),
        registered("WINDOW_SHOW_TITLEBAR", T::Boolean, true),
        registered("WINDOW_THEME", T::String, "NSAppearanceNameVibrantLight"),
        registered("SelectedCSSStyle", T::String, "Standard_Light"),
        registered("defaults_FontSize", T::Integer, 100),
        registered("Defaults_TextStyle", T::String, "Helvetica Neue"),
        registered("Defaults_TextSize", T::String, "13"),
        // Colours by name: the settings layer stays free of Qt GUI, which the
        // command line never loads; `QVariant::value<QColor>()` reads them.
        registered("Defaults_TextColor", T::Data, QStringLiteral("#000000")),
        registered("Defaults_BackgroundColor", T::Data, QStringLiteral("#ffffff")),
        registered("BASEURL_SelectedOption", T::Integer, 2),
        registered("BASEURL_WebURL", T::String, ""),
        registered("BASEURL_FilePath", T::Data, archivedFileUrl("/Applications")),

        optional("BASEURL_FilePathSec", T::Data),
        optional("SandboxPaths", T::Dictionary),
        optional("MARKUP_USE_HTML5", T::Boolean),
        optional("CriticMarkupHighlightStyle", T::String, "background-color: #c7f1fb;font-weight: bold;color: black;"),
        optional("CriticMarkupAddStyle", T::String,
                 "background-color:yellow;border: 1px dashed red;padding: 0px 6px 0px 6px;color: black;"),
        optional("CriticMarkupCommentStyle", T::String,
                 "background-color: white;font-style: italic;font-weight: bold;color: black;"
                 "text-decoration: underline;border: 1px solid green;padding: 0px 6px 0px 6px;"),
        optional("CriticMarkupRemoveStyle", T::String,
                 "background-color:red; text-decoration: line-through;color: white;font-weight: bold;"
                 "padding: 0px 6px 0px 6px;"),
        optional("MMD_EXE_PATH", T::String),
        optional("VANTREL_Use_IObjectiveC_Markup_Transformation", T::Boolean),
        optional("VANTREL_Use_InternPHP_Markup_Transformation", T::Boolean),
        optional("VANTREL_Use_CustomPHP_Markup_Transformation", T::Boolean),
        optional("VANTREL_Use_Swift_Markup_Transformation", T::Boolean),
        optional("VANTREL_CUSTO_PHP_URL", T::String),
        optional("VANTREL_CUSTO_PHP_SECBOOKMARK", T::Data),
        optional("VANTREL_UPDATER_AUTOCHECK", T::Boolean),
        optional("Vantrel_Updater_First_Start_Done", T::Boolean),
        optional("Vantrel_Updater_Second_Start_Done", T::Boolean),
        optional("VANTREL_UPDATER_LASTSKIP", T::String),
        optional("Warning_OpenURLInBrowser", T::Boolean),
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
