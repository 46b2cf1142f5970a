#pragma once
// Wiki markup (emphasis, headlines, [[internal links]], {| tables |},
// infoboxes, <ref> references) to an HTML fragment. WikitextConverter.cpp lists
// the passes in order; each group of passes has its own file.

#include <vector>

#include "engine/ConverterBase.h"

class WikitextConverter : public ConverterBase {
public:
    // `LangCode` picks the language edition of the encyclopedia and the
    // dictionary that internal links point to; `javaScriptLinksOn` writes
    // in-page links as JavaScript links. The text is taken unchanged.
    WikitextConverter& initWithString(const icu::UnicodeString& string, const icu::UnicodeString& LangCode,
                                  bool javaScriptLinksOn);

    RuleTable regexWikiText() const;
    icu::UnicodeString transform();
    void applyRules(bool inlineOnly = false);

    void saveNowikiSections();
    void savePreSections();
    void savePreformattedLines();
    void performInternalLinks();
    void performLists();
    void performReferences();
    void performTables();
    void infoboxFormatting();
    void makeParagraphs();
    void autoLineBreaks();

    icu::UnicodeString setLangCode;
    bool useJavaScriptAnchors = false;
    icu::UnicodeString javaScriptHashStart = u"#";
    icu::UnicodeString javaScriptHashEnd;

private:
    // The matches of a pattern in the text, tried only where its literal
    // opening stands (the same matches as matchesForPattern finds).
    std::optional<std::vector<engine::Match>> matchesAtOpenings(const icu::UnicodeString& pattern,
                                                                uint32_t options = engine::kNoOptions) const;
    icu::UnicodeString inlineFormatted(const icu::UnicodeString& text);
    icu::UnicodeString internalLinkHTML(const icu::UnicodeString& whole, const icu::UnicodeString& inner,
                                        const icu::UnicodeString& suffix) const;
    icu::UnicodeString dictionaryLinkHTML(const icu::UnicodeString& inner) const;
    icu::UnicodeString categoryHTML(const icu::UnicodeString& whole, const icu::UnicodeString& inner) const;
    icu::UnicodeString articleLinkHTML(const icu::UnicodeString& inner, const icu::UnicodeString& suffix) const;
    icu::UnicodeString wikiLink(const icu::UnicodeString& host, const icu::UnicodeString& page,
                                const icu::UnicodeString& title, const icu::UnicodeString& text) const;

    icu::UnicodeString tableHTML(const icu::UnicodeString& block) const;
    icu::UnicodeString infoboxHTML(const std::vector<icu::UnicodeString>& pieces) const;
};
