#include "dispatch/MarkupLanguages.h"

#include "settings/SettingsRegistry.h"
#include "settings/SettingsStore.h"

namespace markuplanguages {

QString normalisedIdentifier(const QString& identifierOrDisplayValue) {
    return identifierOrDisplayValue.toLower().trimmed();
}

QStringList markupLanguageDisplayValues() {
    return {"BBCode", "HTML", "Markdown", "MarkdownExtra", "MultiMarkdown", "Tessel", "Textile", "Wikitext"};
}

QString displayValueForIdentifier(const QString& identifier) {
    for (const QString& displayValue : markupLanguageDisplayValues())
        if (displayValue.toLower() == identifier)
            return displayValue;
    return {};
}

const Flavour& markdownExtraFlavour() {
    static const Flavour flavour = {{"tilde_strike", true}, {"javascript_anchors", true}, {"definition_list", true},
                                    {"tables_piped", true}, {"footnotes", true},          {"bibliography", false}};
    return flavour;
}

const Flavour& multiMarkdownFlavour() {
    static const Flavour flavour = {{"tilde_strike", false}, {"javascript_anchors", true}, {"definition_list", true},
                                    {"tables_piped", true},  {"footnotes", true},          {"bibliography", true},
                                    {"toc_create", true}};
    return flavour;
}

QString markupLangSelectFromExtension(const QString& extension) {
    if (extension == "textbundle" || extension == "textpack")
        return {};
    SettingsStore& settings = SettingsStore::shared();
    const QString markdown = settings.boolValue(settingskeys::kUseMarkdownExtra) ? "markdownextra" : "markdown";
    const std::pair<const char*, QString> lists[] = {
        {settingskeys::kMarkdownExtension, markdown},       {settingskeys::kMultiMarkdownExtension, "multimarkdown"},
        {settingskeys::kTesselExtension, "tessel"},         {settingskeys::kBBCodeExtension, "bbcode"},
        {settingskeys::kWikitextExtension, "wikitext"},     {settingskeys::kTextileExtension, "textile"},
        {settingskeys::kHTMLExtension, "html"},
    };
    for (const auto& [key, identifier] : lists)
        if (settings.stringValue(key).split(' ').contains(extension))
            return identifier;
    return settings.stringValue(settingskeys::kOpenUnknownExtension).toLower();
}

}  // namespace markuplanguages
