// The Textile pipeline: the passes in the order they run.
#include "textile/TextileConverter.h"

#include "engine/BlockByBlockRules.h"
#include "engine/Log.h"
#include "engine/MatchSteps.h"
#include "engine/TextUtilities.h"

TextileConverter::TextileConverter() : noTextileDic(u"\u00A7\u00A7N0T3XT1LE-", u"\u00A7\u00A7") {}

TextileConverter& TextileConverter::initWithString(const icu::UnicodeString& string) {
    return initWithString(string, false);
}

TextileConverter& TextileConverter::initWithString(const icu::UnicodeString& string, bool javaScriptLinksOn) {
    setHTML5orXHTML();
    blockTransformRegex = regexBlockTextile();
    blockAttributesTransformRegex = regexAttributedBlockTextile();
    noTextileDic = engine::PlaceholderTable(u"\u00A7\u00A7N0T3XT1LE-", u"\u00A7\u00A7");
    keptText_ = engine::PlaceholderTable(u"\u00A7K33P-", u"\u00A7");
    asWritten_ = engine::PlaceholderTable(u"\u00A7W41T-", u"\u00A7");
    useJavaScriptAnchors = javaScriptLinksOn;
    javaScriptHashStart = javaScriptLinksOn ? u"javascript:;\" onclick=\"document.location.hash='" : u"#";
    javaScriptHashEnd = javaScriptLinksOn ? u"';" : u"";
    ConverterBase::initWithString(string, regexTextileWithjavaScriptStart(javaScriptHashStart, javaScriptHashEnd));
    return *this;
}

icu::UnicodeString TextileConverter::transform() {
    // One newline in front and a blank line behind, so that the first and the
    // last block match the block patterns like any other.
    str = engine::formatted(u"\n%@\n\n", {str});
    performExtendedBlocks();
    saveNotextileBlocks();
    saveCodeAndComments();
    performHorizontalRules();
    performImages();
    performLinks();
    performNoteLists();
    performLists();
    performTables();
    preBlockTransform();
    // A block pattern consumes the blank lines around its block, so one run
    // converts every other block of a run; the second converts the rest.
    blockTransform();
    blockTransform();
    performAddAttributesToBlocks();
    // The second run converts phrases that the first made convertible
    // (a bold phrase whose opening tag the emphasis rule wrote).
    inlineTransform();
    inlineTransform();
    simpleReplace();
    performDefinitionLists();
    performPBlocking();
    performAddBRs();
    returnNoTextileBlocks();
    returnCodeAndComments();
    return str;
}

// "***", "---" or "___" alone on a line between blank lines: before the
// phrases and dashes could read it. Inside a paragraph it stays text.
void TextileConverter::performHorizontalRules() {
    static const icu::UnicodeString pattern(u"(?m)(?<=\\A\\n|\\n\\n)(?:\\*\\*\\*+|---+|___+)[ \\t]*(?=\\n\\n|\\n?\\z)");
    engine::replaceAllAt(str, pattern, u"<hr" + HTML_close, engine::atOpenings(pattern, engine::kNoOptions));
}

// Each block rule begins with its signature ("\nh1.", "fn"), so it is only
// tried where that stands.
void TextileConverter::blockTransform() {
    for (const RuleRecord& rule : blockTransformRegex) {
        uint32_t options = rule.dotMatch ? engine::kDotMatchesLineSeparators : engine::kNoOptions;
        engine::RegexResult result =
            engine::replaceAllAt(str, rule.pattern, rule.templateText, engine::atOpenings(rule.pattern, options), options);
        if (result.status == engine::RegexStatus::invalidPattern)
            engine::log(u"Error for Pattern %@ - %@", {rule.pattern, result.error});
    }
}

// The inline table, rule after rule as simpleTransform applies it; the rules
// that stay inside one block run together, block by block, each only on the
// blocks that hold its literal.
void TextileConverter::inlineTransform() {
    std::vector<const RuleRecord*> blockLocal;
    auto applyBlockLocal = [&] {
        engine::applyRulesBlockByBlock(str, blockLocal);
        blockLocal.clear();
    };
    for (const RuleRecord& rule : regexes) {
        if (rule.fastPath.walk == kCapitalRunsWalk) {
            // It looks ahead to the next "<" wherever that stands: one walk
            // over the whole text.
            applyBlockLocal();
            replaceCapitalRuns(rule.templateText);
            continue;
        }
        if (rule.fastPath.blockLiteral.isEmpty()) {
            applyBlockLocal();
            engine::RegexResult result = engine::replaceAllAt(str, rule.pattern, rule.templateText,
                                                              engine::atOpenings(rule.pattern, engine::kNoOptions));
            if (result.status == engine::RegexStatus::invalidPattern)
                engine::log(u"Error Markup/simpleTransform/performRegex : %@", {result.error});
            continue;
        }
        blockLocal.push_back(&rule);
    }
    applyBlockLocal();
}

void TextileConverter::simpleReplace() {
    // The marks in either case.
    static const char16_t* const glyphs[][2] = {
        {u"(tm)", u"&#8482;"}, {u"(TM)", u"&#8482;"}, {u"(Tm)", u"&#8482;"}, {u"(tM)", u"&#8482;"},
        {u"(R)", u"&#174;"},   {u"(r)", u"&#174;"},   {u"(C)", u"&#169;"},   {u"(c)", u"&#169;"},
        {u"(1/4)", u"&#188;"}, {u"(1/2)", u"&#189;"}, {u"(3/4)", u"&#190;"},
        {u"(o)", u"&#176;"},   {u"(+/-)", u"&#177;"}, {u"...", u"&#8230;"},
    };
    for (const auto& glyph : glyphs)
        engine::replaceAllLiteral(str, glyph[0], glyph[1]);
}
