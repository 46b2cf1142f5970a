// Images ("!src(title)!:link"), bracketed links, link aliases and quoted links.
#include "textile/TextileConverter.h"

#include <algorithm>
#include <unicode/uchar.h>

#include "engine/MatchSteps.h"
#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"

namespace {

// The range of the match trimmed of white space at both ends.
engine::RangeEdit trimmedRange(const engine::Match& match) {
    const icu::UnicodeString& text = match.text();
    icu::UnicodeString inner = engine::trimmed(text);
    int32_t lead = inner.isEmpty() ? 0 : text.indexOf(inner);
    return {match.start() + lead, match.start() + lead + inner.length(), inner};
}

// The length of an address without the punctuation that follows it in the
// sentence: ".", ",", ";", ":", "!", "?" and a ")" that closes no "(" of
// the address.
int32_t addressLength(const icu::UnicodeString& address) {
    int32_t end = address.length();
    int32_t unclosed = 0;
    for (int32_t i = 0; i < end; ++i)
        unclosed += address[i] == u'(' ? 1 : address[i] == u')' ? -1 : 0;
    while (end > 0) {
        const char16_t c = address[end - 1];
        if (c == u')' && unclosed < 0)
            ++unclosed;
        else if (icu::UnicodeString(u".,;:!?").indexOf(c) < 0)
            break;
        --end;
    }
    return end;
}

// Openings for the link and image patterns below, each a literal `opening`
// with white space (or, when `afterNewline`, a line end) before it when
// `afterSpace`, followed by a lazy run (from `runOffset` on) up to literals
// on the same line, and from there on
// whatever stands behind those literals: a run that finds no end on its line
// (or before a character `endsStretch` names) leaves none to later openings
// there either. A run whose first character `barred` rejects fails on its own.
struct LazyRunOpening {
    icu::UnicodeString opening;
    bool afterSpace = false;
    int32_t runOffset = 0;
    bool (*barred)(char16_t) = nullptr;
    bool afterNewline = false;
    bool (*endsStretch)(char16_t) = nullptr;
    bool (*barredAfter)(char16_t) = nullptr;  // what the opening cannot stand behind
};

engine::NextOpening openingsOf(LazyRunOpening shape) {
    return [shape](const icu::UnicodeString& text, int32_t from) -> engine::LineOpening {
        const int32_t skip = shape.afterSpace ? 1 : 0;
        for (int32_t at = text.indexOf(shape.opening, from + skip); at >= 0;
             at = text.indexOf(shape.opening, at + 1)) {
            int32_t before = at;
            if (shape.afterNewline)  // indentation may stand between
                while (before > 0 && (text[before - 1] == u' ' || text[before - 1] == u'\t'))
                    --before;
            if (shape.afterSpace &&
                (before == 0 || !(shape.afterNewline ? text[before - 1] == u'\n' : u_isUWhiteSpace(text[before - 1]))))
                continue;
            if (shape.barredAfter && at > 0 && shape.barredAfter(text[at - 1]))
                continue;
            const int32_t run = at + shape.runOffset;
            const bool barred = shape.barred && (run >= text.length() || shape.barred(text[run]));
            return {before - skip, barred ? -1 : run, shape.endsStretch};
        }
        return {};
    };
}

bool isLetterOrDigit(char16_t c) {
    return u_isalnum(c);
}

bool isQuoteOrLineEnd(char16_t c) {
    return c == u'"' || engine::endsLineForDot(c);
}

bool isImageMarkOrSpace(char16_t c) {
    return c == u'!' || u_isUWhiteSpace(c);
}

std::optional<std::vector<engine::Match>> matchesOncePerLine(const icu::UnicodeString& text,
                                                            TextileConverter::LinkSearch which) {
    const TextileConverter::LineSearch& search = TextileConverter::linkSearch(which);
    return engine::findAllAt(text, search.pattern, engine::failingOncePerLine(search.openings));
}

}  // namespace

const TextileConverter::LineSearch& TextileConverter::linkSearch(LinkSearch which) {
    static const std::map<LinkSearch, LineSearch> searches = {
        // An image may stand right before the punctuation of its sentence.
        {LinkSearch::plainImage,
         {u"\\!([^!\\s].*?)\\!(?=[\\s.,;?)])", openingsOf({u"!", false, 1, isImageMarkOrSpace})}},
        // The text up to the first '":' or "]" with an address behind it is
        // kept once found (an atomic group): were the rest to fail behind
        // that one, it would fail behind any later one, and trying each
        // would cost a scan of the rest of the line per '":'.
        {LinkSearch::bracketedLink,
         {u"\\[\\\"(?>(.*?)\\\":([^ \\s]))(.*?)\\]", openingsOf({u"[\"", false, 2})}},
        // An alias definition stands alone on its line: "[about]20" inside
        // a sentence is text.
        {LinkSearch::linkAlias,
         {u"(\\n[ \\t]*)\\[(?>([^\\]\\n]*?)\\]([^ \\s\\[]))(\\S*)[ \\t]*(?=\\n)", openingsOf({u"[", true, 1, nullptr, true})}},
        // The text opens at a quote that no letter or digit stands before and
        // may go over lines. A quote inside it stands behind a letter or
        // digit and before neither white space nor ":" (so an earlier quoted
        // word stays text): no text holds another's opening.
        {LinkSearch::quotedLink,
         {u"\\\"(?>([^\"\\n]*+(?:(?:(?<=[\\p{L}\\p{N}])\"(?![\\s:])|\\n(?!\\n))[^\"\\n]*+)*+)\\\":([^ \\s]))"
          u"(.*?)([\\s])",
          openingsOf({u"\"", false, 1, nullptr, false, isQuoteOrLineEnd, isLetterOrDigit})}},
    };
    return searches.at(which);
}

void TextileConverter::performImages() {
    // The source of a linked image holds no "!": otherwise a plain image
    // earlier on the line would run into the linked one as one broken image.
    // A source begins right behind its "!": "an! image! here" is text.
    auto linked = matchesForPattern(u"\\!([^!\\s][^!]*?)\\!:([^ \\s])(.*?)([\\s])");
    auto plain = matchesOncePerLine(str, LinkSearch::plainImage);
    std::vector<engine::Match> found;
    for (const auto* list : {&linked, &plain})
        if (*list)
            for (const engine::Match& match : **list)
                if (match.text().length() >= 4)
                    found.push_back(match);

    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& match : found) {
        engine::RangeEdit edit = trimmedRange(match);
        const icu::UnicodeString& s = edit.replacement;
        icu::UnicodeString image(s);
        icu::UnicodeString link;
        if (int32_t at = s.indexOf(u"!:"); at >= 0) {
            link = icu::UnicodeString(s, at + 2);
            image = icu::UnicodeString(s, 0, at + 1);
            // Punctuation behind the address ends the sentence.
            const int32_t trailing = link.length() - addressLength(link);
            link.truncate(link.length() - trailing);
            edit.end -= trailing;
        }
        if (image.length() < 2)
            continue;
        Attributes attributes = checkAttributesOnString(icu::UnicodeString(image, 1, image.length() - 2), false);
        icu::UnicodeString html = engine::formatted(u"<img src=\"%@\"%@%@%@%@%@",
                                                    {engine::escapedAttributeValue(attributes.display), attributes.alt,
                                                     attributes.title, attributes.cssClass, attributes.style,
                                                     HTML_close});
        if (!link.isEmpty())
            html = engine::formatted(u"<a href=\"%@\">%@</a>", {engine::escapedAttributeValue(link), html});
        edit.replacement = html;
        edits.push_back(edit);
    }
    // A plain-image match that overlaps a linked image is dropped: the linked
    // image, listed first, has taken that text.
    engine::applyRangeEdits(str, std::move(edits));
}

void TextileConverter::performLinks() {
    performBracketedLinks();
    std::map<icu::UnicodeString, icu::UnicodeString> aliases;
    removeLinkAliases(aliases);
    performQuotedLinks(aliases);
}

// ["text":address]. Every occurrence is converted, a repeated one too: left
// as it was, the quoted-link step would take it with "]" in the address.
void TextileConverter::performBracketedLinks() {
    auto matches = matchesOncePerLine(str, LinkSearch::bracketedLink);
    if (!matches)
        return;
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& match : *matches) {
        icu::UnicodeString inner(match.text());
        inner.truncate(inner.indexOf(u']'));
        inner.remove(0, 2);
        int32_t at = inner.indexOf(u"\":");
        if (at < 0)
            continue;
        icu::UnicodeString html = engine::formatted(
            u"<a href=\"%@\">%@</a>",
            {engine::escapedAttributeValue(icu::UnicodeString(inner, at + 2)), icu::UnicodeString(inner, 0, at)});
        edits.push_back({match.start(), match.end(), html});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

// [name]address definitions leave the text; the first definition of a name
// wins. The white space behind a definition is looked at, not taken, so the
// next line's definition still finds its own line start.
void TextileConverter::removeLinkAliases(std::map<icu::UnicodeString, icu::UnicodeString>& aliases) {
    auto matches = matchesOncePerLine(str, LinkSearch::linkAlias);
    if (!matches || matches->empty())
        return;
    std::vector<engine::RangeEdit> edits;
    for (auto match = matches->rbegin(); match != matches->rend(); ++match) {
        icu::UnicodeString definition = engine::trimmed(match->text());
        int32_t close = definition.indexOf(u']');
        aliases[icu::UnicodeString(definition, 1, close - 1)] = icu::UnicodeString(definition, close + 1);
    }
    // Each definition goes with the white space on both sides; two
    // definitions on consecutive lines share the newline between them.
    int32_t removedUpTo = -1;
    for (const engine::Match& match : *matches) {
        int32_t start = std::max(match.start(), removedUpTo);
        int32_t end = std::min(match.end() + 1, str.length());
        edits.push_back({start, end, {}});
        removedUpTo = end;
    }
    engine::applyRangeEdits(str, std::move(edits));
}

void TextileConverter::performQuotedLinks(const std::map<icu::UnicodeString, icu::UnicodeString>& aliases) {
    auto matches = matchesOncePerLine(str, LinkSearch::quotedLink);
    if (!matches)
        return;
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& match : *matches) {
        engine::RangeEdit edit = trimmedRange(match);
        const icu::UnicodeString& t = edit.replacement;
        int32_t at = t.indexOf(u"\":");
        if (at < 1)
            continue;
        icu::UnicodeString address(t, at + 2);
        // Punctuation behind the address ends the sentence, not the address.
        const int32_t trailing = address.length() - addressLength(address);
        if (trailing == address.length())
            continue;
        address.truncate(address.length() - trailing);
        edit.end -= trailing;
        if (auto alias = aliases.find(address); alias != aliases.end())
            address = alias->second;
        Attributes attributes = checkAttributesOnString(icu::UnicodeString(t, 1, at - 1), true);
        icu::UnicodeString display = attributes.display == u"$" ? address : attributes.display;
        edit.replacement = engine::formatted(u"<a href=\"%@\"%@%@%@>%@</a>",
                                             {engine::escapedAttributeValue(address), attributes.title,
                                              attributes.cssClass, attributes.style, display});
        edits.push_back(edit);
    }
    engine::applyRangeEdits(str, std::move(edits));
}
