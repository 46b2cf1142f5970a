#include "wikitext/WikitextConverter.h"

#include "engine/Log.h"
#include "engine/MatchSteps.h"

WikitextConverter& WikitextConverter::initWithString(const icu::UnicodeString& string, const icu::UnicodeString& LangCode,
                                             bool javaScriptLinksOn) {
    setHTML5orXHTML();
    setLangCode = LangCode;
    useJavaScriptAnchors = javaScriptLinksOn;
    // The preview's web view cannot follow fragment links, so in-page links
    // may set the location hash from a click handler instead.
    javaScriptHashStart = javaScriptLinksOn ? u"javascript:;\" onclick=\"document.location.hash='" : u"#";
    javaScriptHashEnd = javaScriptLinksOn ? u"';" : u"";
    ConverterBase::initWithString(string, regexWikiText());
    return *this;
}

icu::UnicodeString WikitextConverter::transform() {
    saveNowikiSections();
    savePreSections();
    savePreformattedLines();
    // Before the rule table: its bracket rules would take [[…]] for external links.
    performInternalLinks();
    applyRules();
    performLists();
    performReferences();
    performTables();
    infoboxFormatting();
    makeParagraphs();
    autoLineBreaks();
    returnSavedHTMLBlocks();
    return str;
}

std::optional<std::vector<engine::Match>> WikitextConverter::matchesAtOpenings(const icu::UnicodeString& pattern,
                                                                          uint32_t options) const {
    engine::RegexResult result;
    auto matches = engine::findAllAt(str, pattern, engine::atOpenings(pattern, options), options, &result);
    if (result.status == engine::RegexStatus::invalidPattern)
        engine::log(u"Error for Pattern %@ - %@", {pattern, result.error});
    return matches;
}
