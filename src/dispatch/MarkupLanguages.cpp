#include "dispatch/MarkupLanguages.h"

#include "settings/MarkupLanguageTable.h"
#include "settings/SettingsStore.h"

namespace markuplanguages {

QString normalisedIdentifier(const QString& identifierOrDisplayValue) {
    if (const MarkupLanguage* language = markuplanguagetable::find(identifierOrDisplayValue))
        return language->identifier;
    return identifierOrDisplayValue.toLower().trimmed();
}

QStringList markupLanguageDisplayValues() {
    QStringList values;
    for (const MarkupLanguage& language : markuplanguagetable::languages())
        if (!language.displayName.isEmpty())
            values << language.displayName;
    return values;
}

QString displayValueForIdentifier(const QString& identifier) {
    for (const MarkupLanguage& language : markuplanguagetable::languages())
        if (language.identifier == identifier)
            return language.displayName;
    return {};
}

const Flavour& markdownExtraFlavour() {
    static const Flavour flavour = {{"tilde_strike", true}, {"javascript_anchors", true}, {"definition_list", true},
                                    {"tables_piped", true}, {"footnotes", true},          {"bibliography", false},
                                    {"fenced_code", true},  {"markdown_in_html", true},   {"intraword_underscore_literal", true},
                                    {"math", true}};
    return flavour;
}

const Flavour& multiMarkdownFlavour() {
    static const Flavour flavour = {{"tilde_strike", false}, {"javascript_anchors", true}, {"definition_list", true},
                                    {"tables_piped", true},  {"footnotes", true},          {"bibliography", true},
                                    {"toc_create", true},    {"fenced_code", true},       {"markdown_in_html", true},
                                    {"intraword_underscore_literal", true}, {"math", true}};
    return flavour;
}

QString markdownFilesLanguage() {
    SettingsStore& settings = SettingsStore::shared();
    const QString chosen = normalisedIdentifier(settings.markdownFlavour());
    if (markuplanguagetable::isMarkdownFlavour(chosen))
        return chosen;
    return settings.useMarkdownExtra() ? languageids::kMarkdownExtra : languageids::kMarkdown;
}

QString markupLangSelectFromExtension(const QString& extension) {
    if (extension == "textbundle" || extension == "textpack")
        return {};
    SettingsStore& settings = SettingsStore::shared();
    for (const MarkupLanguage& language : markuplanguagetable::languages()) {
        if (!language.extensions || !(settings.*language.extensions)().split(' ').contains(extension))
            continue;
        // Files with a Markdown extension render in the chosen flavour.
        return language.identifier == languageids::kMarkdown ? markdownFilesLanguage() : language.identifier;
    }
    return normalisedIdentifier(settings.openUnknownExtension());
}

}  // namespace markuplanguages
