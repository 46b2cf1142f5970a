// Inline links, images and web addresses are hidden behind "%SavedLinkN%"
// tokens early, so emphasis cannot break their addresses, and become HTML at
// the end; reference-style links are resolved against their definitions.
#include "markdown/MarkdownConverter.h"

#include <map>
#include <memory>

#include "engine/MatchSteps.h"
#include "engine/TextSearch.h"
#include "engine/RangeEdits.h"
#include "engine/RepeatedReplace.h"
#include "engine/ReplacementTemplate.h"
#include "engine/Log.h"
#include "engine/TextUtilities.h"
#include "markdown/InlineLinkScanner.h"
#include "markdown/MarkdownText.h"

namespace {

struct Reference {
    icu::UnicodeString url;
    icu::UnicodeString title;
};

using ReferenceTable = std::map<icu::UnicodeString, Reference>;

icu::UnicodeString without(const icu::UnicodeString& text, const icu::UnicodeString& piece) {
    icu::UnicodeString out(text);
    engine::replaceAllLiteral(out, piece, u"");
    return out;
}

// "] [" or, failing that, "][" parts a reference into its text and its name.
std::vector<icu::UnicodeString> referenceParts(const icu::UnicodeString& text) {
    std::vector<icu::UnicodeString> parts = engine::split(text, u"] [");
    if (parts.size() == 1)
        parts = engine::split(text, u"][");
    return parts;
}

// The address and title after "]:" of a definition.
Reference parseDefinition(const icu::UnicodeString& rest) {
    icu::UnicodeString opening;
    icu::UnicodeString closing;
    if (rest.indexOf(u'"') >= 0)
        opening = closing = u"\"";
    else if (rest.indexOf(u'\'') >= 0)
        opening = closing = u"'";
    else if (rest.indexOf(u'(') >= 0)
        opening = u"(", closing = u")";

    if (opening.isEmpty()) {
        // The address is the first word, however many blanks come before it.
        icu::UnicodeString address = engine::trimmed(rest);
        for (int32_t at = 0; at < address.length(); ++at)
            if (address.charAt(at) == u' ' || address.charAt(at) == u'\t')
                return {icu::UnicodeString(address, 0, at), {}};
        return {address, {}};
    }
    icu::UnicodeString trimmedRest = engine::trimmed(rest);
    std::vector<icu::UnicodeString> pieces = engine::split(trimmedRest, opening);
    if (pieces.size() < 2)
        return {trimmedRest, {}};
    return {engine::trimmedOfSpacesAndTabs(pieces[0]), without(pieces[1], closing)};
}

// At most three spaces stand before `at` on its line.
bool startsItsLine(const icu::UnicodeString& text, int32_t at) {
    for (int32_t spaces = 0; at > 0 && text.charAt(at - 1) != u'\n'; --at)
        if (text.charAt(at - 1) != u' ' || ++spaces > 3)
            return false;
    return true;
}

// A double quote inside a title would end the attribute early; the title
// rules still find the title once its inner quotes are entities.
void escapeQuotesInTitle(icu::UnicodeString& saved, const RuleTable& rules) {
    const int32_t firstQuote = saved.indexOf(u'"');
    if (firstQuote < 0 || saved.indexOf(u'"', saved.indexOf(u'"', firstQuote + 1) + 1) < 0)
        return;
    for (const RuleRecord& rule : rules) {
        std::optional<engine::Match> match = engine::findFirst(saved, rule.pattern);
        if (!match)
            continue;
        // The first rule that takes the piece; only the title rules have a fourth group.
        if (match->groupCount() >= 4 && match->text(4).indexOf(u'"') >= 0) {
            icu::UnicodeString title(match->text(4));
            engine::replaceAllLiteral(title, u"\"", u"&quot;");
            saved.replace(match->start(4), match->end(4) - match->start(4), title);
        }
        return;
    }
}

// What every match of a link rule starts with.
const icu::UnicodeString& linkOpening(const RuleRecord& rule) {
    return rule.fastPath.literal;
}

// How a walk applies an inline link or image rule; none for the web
// address rules, whose patterns run.
std::optional<markdown::LinkClosing> walkedClosing(const RuleRecord& rule) {
    if (rule.fastPath.walk == MarkdownConverter::kInlineLinkWithTitleWalk)
        return markdown::LinkClosing::withTitle;
    if (rule.fastPath.walk == MarkdownConverter::kInlineLinkWalk)
        return markdown::LinkClosing::plain;
    return std::nullopt;
}

// Where a web address rule matches: tried only where "://" follows and no
// '="' stands before it (which the rules' look-behind rules out).
std::vector<engine::TextRange> webAddressMatches(const icu::UnicodeString& text, const RuleRecord& rule) {
    const icu::UnicodeString opening = linkOpening(rule);
    engine::SearchPlan plan;
    for (int32_t at = engine::findLiteral(text, opening); at >= 0; at = engine::findLiteral(text, opening, at + 1)) {
        int32_t scheme = at + opening.length();
        if (scheme < text.length() && text.charAt(scheme) == u's')
            ++scheme;
        if (text.compare(scheme, 3, u"://", 0, 3) != 0)
            continue;
        if (at >= 2 && text.charAt(at - 2) == u'=' && text.charAt(at - 1) == u'"')
            continue;
        plan.starts.push_back(at);
    }
    std::vector<engine::TextRange> matches;
    if (plan.starts.empty())
        return matches;
    engine::RegexResult result;
    std::optional<std::vector<engine::Match>> found =
        engine::findAllAt(text, rule.pattern, engine::atPlannedStarts(std::move(plan), rule.pattern, engine::kNoOptions),
                          engine::kNoOptions, &result);
    if (result.status == engine::RegexStatus::invalidPattern)
        engine::log(u"Error Markdown/linkSave %@", {result.error});
    for (const engine::Match& match : found.value_or(std::vector<engine::Match>{}))
        matches.push_back({match.start(), match.end()});
    return matches;
}

// Where one link rule matches, as a find loop over the text finds it. Link
// texts hold bracket pairs, so an opening that cannot close does not rule
// out a later one on its line: every opening is tried.
std::vector<engine::TextRange> linkMatches(const icu::UnicodeString& text, const RuleRecord& rule) {
    const std::optional<markdown::LinkClosing> closing = walkedClosing(rule);
    if (!closing)
        return webAddressMatches(text, rule);
    std::vector<engine::TextRange> matches;
    const icu::UnicodeString opening = linkOpening(rule);
    for (const markdown::InlineLink& link : markdown::inlineLinks(text, opening, *closing))
        matches.push_back({link.text.start - opening.length(), link.end});
    return matches;
}

// A backslash before a bracket or parenthesis in an address only kept it
// from ending the address ("/url\\(test\\)"); the address itself holds the
// character alone.
icu::UnicodeString unescapedAddress(const icu::UnicodeString& address) {
    icu::UnicodeString out;
    for (int32_t at = 0; at < address.length(); ++at) {
        const char16_t c = address.charAt(at);
        const char16_t next = at + 1 < address.length() ? address.charAt(at + 1) : 0;
        if (c == u'\\' && (next == u'(' || next == u')' || next == u'[' || next == u']'))
            continue;
        out.append(c);
    }
    return out;
}

// Replaces every match of an inline link or image rule in `text` by the
// rule's template, with its address unescaped.
void replaceInlineLinks(icu::UnicodeString& text, const RuleRecord& rule, markdown::LinkClosing closing) {
    const icu::UnicodeString opening = linkOpening(rule);
    const std::vector<markdown::InlineLink> links = markdown::inlineLinks(text, opening, closing);
    if (links.empty())
        return;
    icu::UnicodeString out;
    int32_t copiedUpTo = 0;
    for (const markdown::InlineLink& link : links) {
        const int32_t start = link.text.start - opening.length();
        // The match with its address unescaped, and its groups in that piece.
        const icu::UnicodeString address =
            unescapedAddress(text.tempSubString(link.address.start, link.address.end - link.address.start));
        icu::UnicodeString piece = text.tempSubString(start, link.address.start - start);
        piece.append(address).append(text, link.address.end, link.end - link.address.end);
        const int32_t shift = address.length() - (link.address.end - link.address.start);
        const engine::TextRange addressInPiece{link.address.start - start, link.address.start - start + address.length()};
        std::vector<engine::TextRange> groups = {
            {0, piece.length()}, {link.text.start - start, link.text.end - start}, addressInPiece, addressInPiece};
        if (closing == markdown::LinkClosing::withTitle)
            groups.push_back({link.title.start - start + shift, link.title.end - start + shift});
        out.append(text, copiedUpTo, start - copiedUpTo);
        engine::appendEvaluatedTemplate(out, rule.templateText, groups, piece);
        copiedUpTo = link.end;
    }
    out.append(text, copiedUpTo, text.length() - copiedUpTo);
    text = std::move(out);
}

}  // namespace

void MarkdownConverter::linkSave() {
    // The address of a reference definition is resolved late; hidden like an
    // inline link's, emphasis cannot take its underscores. (Footnotes "[^…]"
    // and citations "[#…]" are text, not addresses.)
    // A definition starts its line: only lines that start with "[" are tried.
    std::vector<engine::RangeEdit> addresses;
    int32_t searchFrom = 0;
    for (int32_t lineStart : engine::linesStartingWith(str, u"[", 3).starts) {
        if (lineStart < searchFrom)
            continue;
        const std::optional<engine::TextRange> address =
            markdown::definitionAddressAt(str.getBuffer(), str.length(), lineStart);
        if (address) {
            // An address in angle brackets is what they hold, blanks and all.
            icu::UnicodeString saved = str.tempSubString(address->start, address->end - address->start);
            if (saved.length() >= 2 && saved.charAt(0) == u'<' && saved.charAt(saved.length() - 1) == u'>')
                saved = saved.tempSubString(1, saved.length() - 2);
            addresses.push_back({address->start, address->end, linksEscaped.add(saved)});
            searchFrom = address->end;
        }
    }
    engine::applyRangeEdits(str, std::move(addresses));

    for (const RuleRecord& rule : regexMarkdownLinks()) {
        std::vector<engine::RangeEdit> edits;
        for (const engine::TextRange& match : linkMatches(str, rule)) {
            const icu::UnicodeString saved = str.tempSubString(match.start, match.end - match.start);
            edits.push_back({match.start, match.end, linksEscaped.add(saved)});
        }
        engine::applyRangeEdits(str, std::move(edits));
    }
}

void MarkdownConverter::linkReturn() {
    // Each saved piece becomes HTML on its own: the link rules never run over
    // restored code, where a link written as an example must stay text.
    RuleTable rules = regexMarkdownLinks();
    for (auto rule = rules.begin(); rule != rules.end();) {
        icu::UnicodeString error;
        if (!engine::compiledPattern(rule->pattern, engine::kNoOptions, &error)) {
            engine::log(u"Error Markdown/linkReturn %@", {error});
            rule = rules.erase(rule);
        } else {
            ++rule;
        }
    }
    // What applying each rule takes, worked out once for all pieces. A bare
    // address's rule writes back just what it matched: it is left out.
    struct AppliedRule {
        const RuleRecord* rule;
        std::optional<markdown::LinkClosing> closing;      // of a walked rule
        std::unique_ptr<engine::RepeatedReplace> replace;  // of a web address rule
    };
    std::vector<AppliedRule> applied;
    for (const RuleRecord& rule : rules) {
        if (rule.fastPath.walk == kBareAddressWalk)
            continue;
        const std::optional<markdown::LinkClosing> closing = walkedClosing(rule);
        applied.push_back({&rule, closing,
                           closing ? nullptr : std::make_unique<engine::RepeatedReplace>(rule.pattern, rule.templateText)});
    }
    engine::PlaceholderTable html(u"%SavedLink", u"%");
    for (const auto& [number, saved] : linksEscaped.entries()) {
        icu::UnicodeString text(saved);
        escapeQuotesInTitle(text, rules);
        for (const AppliedRule& rule : applied) {
            if (rule.closing)
                replaceInlineLinks(text, *rule.rule, *rule.closing);
            else if (!webAddressMatches(text, *rule.rule).empty())  // the pattern runs only where it matches
                rule.replace->apply(text);
        }
        html.set(number, text);
    }
    // Every copy of a token comes back, also tokens inside other links; code
    // saved inside a link text comes back with it.
    html.restoreInto(str);
    codeBlocksEscaped.restoreInto(str);
}

void MarkdownConverter::referenceStyleFormatting() {
    ReferenceTable references;

    // Definitions: collected from the whole document, then removed. A
    // definition starts its line; "see [this]:" ending a sentence is text.
    std::vector<engine::RangeEdit> definitions;
    for (const engine::TextRange& match : markdown::referenceDefinitions(str)) {
        if (!startsItsLine(str, match.start))
            continue;
        const icu::UnicodeString matched = str.tempSubString(match.start, match.end - match.start);
        std::vector<icu::UnicodeString> pieces = engine::split(matched, u"]:");
        if (pieces[0].indexOf(u"][") >= 0)
            continue;
        icu::UnicodeString name = without(engine::trimmed(pieces[0]), u"[");
        if (name.isEmpty())
            continue;
        references[name] = parseDefinition(pieces[1]);
        definitions.push_back({match.start, match.end, {}});
    }
    engine::applyRangeEdits(str, std::move(definitions));

    // Reference images: the key in lower case, else the alternative text.
    std::vector<engine::RangeEdit> images;
    for (const engine::TextRange& match : markdown::referenceImages(str)) {
        const icu::UnicodeString matched = str.tempSubString(match.start, match.end - match.start);
        // One split over a line break is looked for on one line, so it is
        // not the piece found here.
        if (matched.indexOf(u'\n') >= 0)
            continue;
        std::vector<icu::UnicodeString> parts = referenceParts(matched);
        if (parts.size() < 2)
            continue;
        icu::UnicodeString alt = without(parts[0], u"![");
        icu::UnicodeString key = without(parts[1], u"]");
        key.toLower();
        icu::UnicodeString altKey(alt);
        altKey.toLower();
        icu::UnicodeString html;
        if (auto found = references.find(key); found != references.end()) {
            const Reference& r = found->second;
            html = r.title.isEmpty()
                       ? engine::formatted(u"<img src=\"%@\" alt=\"%@\"%@", {r.url, alt, HTML_close})
                       : engine::formatted(u"<img src=\"%@\" alt=\"%@\" title=\"%@\"%@", {r.url, alt, r.title, HTML_close});
        } else if (auto byAlt = references.find(altKey); byAlt != references.end()) {
            const Reference& r = byAlt->second;
            html = r.title.isEmpty()
                       ? engine::formatted(u"<img src=\"%@\" alt=\"%@\"%@", {r.url, alt, HTML_close})
                       : engine::formatted(u"<img src=\"%@\" title=\"%@\" alt=\"%@\"%@", {r.url, r.title, alt, HTML_close});
        } else {
            continue;
        }
        images.push_back({match.start, match.end, html});
    }
    engine::applyRangeEdits(str, std::move(images));

    // Reference links: the name exactly as written, else the link text (also
    // for a text in brackets alone). The text holds brackets only in pairs and
    // may go on over a line break, as may the gap before the name. Brackets
    // that link nothing may hold a link ("[see [this] here]").
    std::vector<engine::RangeEdit> links;
    auto linked = [&](const markdown::ReferenceLink& link) {
        const icu::UnicodeString text = str.tempSubString(link.text.start, link.text.end - link.text.start);
        // A footnote marker alone is never a link.
        if (!link.name && text.startsWith(u"^"))
            return false;
        icu::UnicodeString name;
        if (link.name)
            name = str.tempSubString(link.name->start, link.name->end - link.name->start);
        if (name.isEmpty()) {
            name = text;
            engine::replaceAll(name, uR"([ ]?\n)", u" ");
        }
        auto found = references.find(name);
        if (found == references.end())
            return false;
        const Reference& r = found->second;
        links.push_back({link.start, link.end, r.title.isEmpty() ? engine::formatted(u"<a href=\"%@\">%@</a>", {r.url, text})
                                        : engine::formatted(u"<a href=\"%@\" title=\"%@\">%@</a>", {r.url, r.title, text})});
        return true;
    };
    markdown::referenceLinks(str, linked);
    engine::applyRangeEdits(str, std::move(links));
}
