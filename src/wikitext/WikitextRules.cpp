#include "wikitext/WikitextConverter.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "engine/Candidates.h"
#include "engine/LineByLineRules.h"
#include "engine/Log.h"
#include "engine/MatchSteps.h"
#include "engine/TextSearch.h"
#include "engine/TextUtilities.h"
#include "wikitext/BracketLinks.h"
#include "wikitext/Emphasis.h"

namespace {

bool isLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// The tags of the text, and each link element from "<a" to its "</a>": an
// address there is already part of a link, in its address, its label or its
// text. Each search for a closing ">" or "</a>" is reused by the next
// opening, so a text full of openings costs one scan.
std::vector<engine::TextRange> tagsAndLinks(const icu::UnicodeString& text) {
    std::vector<engine::TextRange> ranges;
    int32_t nextClose = -1;
    int32_t nextLinkEnd = -1;
    for (int32_t at = engine::findUnit(text, u'<'); at >= 0; at = engine::findUnit(text, u'<', at + 1)) {
        if (at + 1 >= text.length() || !(isLetter(text[at + 1]) || text[at + 1] == u'/' || text[at + 1] == u'!'))
            continue;
        if (nextClose < at && (nextClose = engine::findUnit(text, u'>', at)) < 0)
            break;
        int32_t end = nextClose + 1;
        const bool link = text[at + 1] == u'a' && (text[at + 2] == u' ' || text[at + 2] == u'>');
        if (link && nextLinkEnd < at)
            nextLinkEnd = engine::findLiteral(text, u"</a>", at);
        if (link && nextLinkEnd >= 0)
            end = nextLinkEnd + 4;
        ranges.push_back({at, end});
        at = end - 1;
    }
    return ranges;
}

// Where a bare address can start: "https", "http" or "ftp" before each
// "://", and each "mailto:". The pattern is tried there only, instead of at
// every "h", "f" and "m" of the text.
engine::SearchPlan bareAddressStarts(const icu::UnicodeString& text) {
    std::vector<int32_t> schemes;
    for (int32_t at : engine::occurrencesOf(text, u"://"))
        for (const char16_t* scheme : {u"https", u"http", u"ftp"}) {
            const int32_t length = static_cast<int32_t>(std::char_traits<char16_t>::length(scheme));
            if (at >= length && text.compare(at - length, length, scheme, 0, length) == 0)
                schemes.push_back(at - length);
        }
    const std::vector<int32_t> mails = engine::occurrencesOf(text, u"mailto:");
    engine::SearchPlan plan;
    std::merge(schemes.begin(), schemes.end(), mails.begin(), mails.end(), std::back_inserter(plan.starts));
    return plan;
}

RuleRecord regex(const char16_t* name, const char16_t* pattern, const icu::UnicodeString& templateText) {
    return RuleRecord::regex(name, pattern, templateText);
}

}  // namespace

RuleTable WikitextConverter::regexWikiText() const {
    return {
        // Neither part may run past the "]" that closes the link, or a link
        // without a label would take the text up to the next bracket with it.
        regex(u"hyperlinkNamed", uR"(\[([^\]\n]*?) ([^\]\n]*?)\])",
              u"<a href=\"$1\" alt=\"$2\" title=\"$2\">$2</a>")
            .with(engine::FastPath::walked(wikitext::kNamedBracketLinkWalk)),
        regex(u"hyperlinkUnNamed", uR"(\[(.*?)\])", u"<a href=\"$1\" alt=\"$1\" title=\"$1\">$1</a>")
            .with(engine::FastPath::walked(wikitext::kBracketLinkWalk)),
        // Applied outside tags and links only (applyRules). Web, file transfer
        // and mail addresses. The sentence around an address keeps its
        // punctuation: an address does not end in . , ; ! or ?, and takes a
        // ")" only to close a "(" of its own (a page named "Name_(topic)").
        // The host is possessive, so a run without a dot fails at once; the
        // rest is one loop of single characters, which gives back without a
        // stack until it ends where an address may.
        regex(u"hyperlinkUnNamedBadStyle",
              uR"((?<!=\")((?:https?|ftp)://(?:[a-zA-Z0-9-]++\.)++[a-zA-Z0-9\-.\/_?%#&=;~!,()]*(?:(?<=[a-zA-Z0-9\-\/_%#&=~])|(?<=[a-zA-Z0-9\-.\/_?%#&=;~!,]\))(?<=\([a-zA-Z0-9\-.\/_?%#&=;~!,]{0,40}\)))|mailto:[a-zA-Z0-9._%+-]++@(?:[a-zA-Z0-9-]++\.)++[a-zA-Z0-9-]++))",
              u"<a href=\"$1\">$1</a>")
            .with(engine::FastPath::walked(wikitext::kBareAddressWalk)),
        // Bold and italic, opened and closed line by line (Emphasis.h).
        RuleRecord::literal(u"emphasis", u"''", u"").with(engine::FastPath::walked(wikitext::kEmphasisWalk)),
        // Not the dashes of a table's row separator ("|-----").
        regex(u"horizontalLine", uR"((?<![|\-])\-{4,})", engine::formatted(u"<hr%@", {HTML_close})),
        regex(u"headline5", uR"((?m)^[=]{6,6}(.*?)[=]{6,6}$)", u"<h5>$1</h5>"),
        regex(u"headline4", uR"((?m)^[=]{5,5}(.*?)[=]{5,5}$)", u"<h4>$1</h4>"),
        regex(u"headline3", uR"((?m)^[=]{4,4}(.*?)[=]{4,4}$)", u"<h3>$1</h3>"),
        regex(u"headline2", uR"((?m)^[=]{3,3}(.*?)[=]{3,3}$)", u"<h2>$1</h2>"),
        regex(u"headline1", uR"((?m)^[=]{2,2}(.*?)[=]{2,2}$)", u"<h1>$1</h1>"),
        // One sign has no level below it.
        regex(u"headline0", uR"((?m)^=([^=](?:.*?[^=])?)=$)", u"<h1>$1</h1>"),
    };
}

// The table rule by rule as simpleTransform applies it; bare addresses are
// linked only outside tags and links, so that an address inside another
// link's address or label never becomes a link of its own in an attribute.
// The bracket link rules are walked (BracketLinks). Every other rule stays
// within its line, so the rules between run line by line, each only where
// its opening stands.
// `inlineOnly` leaves out the rules that make blocks (headlines, rules).
void WikitextConverter::applyRules(bool inlineOnly) {
    RuleTable lineRules;
    auto applyLineRules = [&] {
        if (!lineRules.empty() && !engine::applyRulesLineByLine(str, lineRules))
            for (const RuleRecord& rule : lineRules)
                applySimpleRule(rule);
        lineRules.clear();
    };
    for (const RuleRecord& rule : regexes) {
        if (inlineOnly && (rule.name.startsWith(u"headline") || rule.name == u"horizontalLine"))
            continue;
        const int walk = rule.fastPath.walk;
        if (walk != wikitext::kBareAddressWalk && walk != wikitext::kEmphasisWalk && !wikitext::isBracketLinkRule(rule)) {
            lineRules.push_back(rule);
            continue;
        }
        applyLineRules();
        if (walk == wikitext::kEmphasisWalk) {
            wikitext::applyEmphasis(str);
            continue;
        }
        if (wikitext::isBracketLinkRule(rule)) {
            wikitext::applyBracketLinkRule(str, rule);
            continue;
        }
        engine::RegexResult result =
            engine::replaceAllAt(str, rule.pattern, rule.templateText,
                                 engine::atPlannedStarts(bareAddressStarts(str), rule.pattern, engine::kNoOptions),
                                 engine::kNoOptions, tagsAndLinks(str));
        if (result.status == engine::RegexStatus::invalidPattern)
            engine::log(u"Error Markup/simpleTransform/performRegex : %@", {result.error});
    }
    applyLineRules();
}
