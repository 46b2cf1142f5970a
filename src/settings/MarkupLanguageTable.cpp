#include "settings/MarkupLanguageTable.h"


namespace markuplanguagetable {

const std::vector<MarkupLanguage>& languages() {
    using S = SettingsStore;
    using namespace languageids;
    // Menu order: by display name.
    static const std::vector<MarkupLanguage> table = {
        {kBBCode, "BBCode", &S::bbcodeExtension, "com.vantrel.bbcode", "bbc", "bbcodeTransform", Converter::BBCode},
        {kGithubMarkdown, "GitHub Markdown", nullptr, "net.daringfireball.markdown", "md", "", Converter::GithubMarkdown},
        {kHtml, "HTML", &S::htmlExtension, "public.html", "html", "htmlTransform", Converter::Html},
        {kMarkdown, "Markdown", &S::markdownExtension, "net.daringfireball.markdown", "md", "markdownTransform",
         Converter::Markdown},
        {kMarkdownExtra, "MarkdownExtra", nullptr, "com.vantrel.markdownextra", "txt", "markdownextraTransform",
         Converter::MarkdownExtra},
        {kMultiMarkdown, "MultiMarkdown", &S::multiMarkdownExtension, "net.multimarkdown.text", "mmd", "",
         Converter::MultiMarkdown},
        {kTessel, "Tessel", &S::tesselExtension, "com.vantrel.tessel", "txt", "tesselTransform", Converter::Tessel},
        {kTextile, "Textile", &S::textileExtension, "com.vantrel.textile", "tex", "textileTransform", Converter::Textile},
        {kWikitext, "Wikitext", &S::wikitextExtension, "com.vantrel.wikitext", "wiki", "wikitextTransform",
         Converter::Wikitext},
        {kSumwise, "", nullptr, "com.vantrel.sumwise", "txt", "sumwiseTransform", Converter::None},
    };
    return table;
}

const MarkupLanguage* find(const QString& identifierOrDisplayName) {
    const QString wanted = identifierOrDisplayName.trimmed();
    for (const MarkupLanguage& language : languages())
        if (wanted.compare(language.identifier, Qt::CaseInsensitive) == 0
            || (!language.displayName.isEmpty() && wanted.compare(language.displayName, Qt::CaseInsensitive) == 0))
            return &language;
    return nullptr;
}

bool isMarkdownFlavour(const QString& identifier) { return markdownFlavours().contains(identifier); }

QStringList markdownFlavours() {
    using namespace languageids;
    return {kMarkdownExtra, kGithubMarkdown, kMultiMarkdown, kMarkdown};
}

QString menuName(const QString& identifier) {
    if (identifier == languageids::kMarkdownExtra)
        return QStringLiteral("Markdown Extra");
    const MarkupLanguage* language = find(identifier);
    return language ? language->displayName : identifier;
}

}  // namespace markuplanguagetable
