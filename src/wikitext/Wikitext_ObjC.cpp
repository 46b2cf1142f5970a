#include "wikitext/Wikitext_ObjC.h"

#include "engine/Log.h"
#include "engine/MatchSteps.h"

Wikitext_ObjC& Wikitext_ObjC::initWithString(const icu::UnicodeString& string, const icu::UnicodeString& LangCode,
                                             bool javaSciptLinksOn) {
    setHTML5orXHTML();
    setLangCode = LangCode;
    useJavescriptAnchors = javaSciptLinksOn;
    // The preview's web view cannot follow fragment links, so in-page links
    // may set the location hash from a click handler instead.
    javaScriptHashStart = javaSciptLinksOn ? u"javascript:;\" onclick=\"document.location.hash='" : u"#";
    javaScriptHashEnd = javaSciptLinksOn ? u"';" : u"";
    Markup_ObjC::initWithString(string, regexWikiText());
    return *this;
}

icu::UnicodeString Wikitext_ObjC::transform() {
    saveHTMLBlocksWithStart(u"<nowiki>", u"</nowiki>", u"<nowiki>", u"</nowiki>");
    savePreSections();
    savePreformattedLines();
    // Before the rule table: its bracket rules would take [[…]] for external links.
    performInternalLinks();
    applyRules();
    performLists();
    perfromReferences();
    performTables();
    infoboxFormatting();
    performDefinitionBlock();
    makeParagraphs();
    autoLineBreaks();
    returnSavedHTMLBlocks();
    return str;
}

std::optional<std::vector<engine::Match>> Wikitext_ObjC::matchesAtOpenings(const icu::UnicodeString& pattern,
                                                                          uint32_t options) const {
    engine::RegexResult result;
    auto matches = engine::findAllAt(str, pattern, engine::atOpenings(pattern, options), options, &result);
    if (result.status == engine::RegexStatus::invalidPattern)
        engine::log(u"Error for Pattern %@ - %@", {pattern, result.error});
    return matches;
}
