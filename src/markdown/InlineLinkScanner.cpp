#include "markdown/InlineLinkScanner.h"

#include <unicode/uchar.h>

#include "engine/TextSearch.h"
#include "engine/TextUtilities.h"

namespace markdown {
namespace {

// Each function below follows the pattern's own order of trying, so the first
// way it finds to match is the pattern's. Each loop body of the pattern can
// go on in one way only (its alternatives start with different characters),
// which is what lets a walk stand in for the backtracking.

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

int32_t afterBlanks(const char16_t* text, int32_t length, int32_t at) {
    while (at < length && isBlank(text[at]))
        ++at;
    return at;
}

int32_t afterSpaces(const char16_t* text, int32_t length, int32_t at) {
    while (at < length && text[at] == u' ')
        ++at;
    return at;
}

// The end of the bracket pair or parenthesis pair that opens at `at` and
// holds no line break and no other opening or closing mark, or -1.
int32_t pairEnd(const char16_t* text, int32_t length, int32_t at, char16_t opening, char16_t closing) {
    for (int32_t inside = at + 1; inside < length; ++inside) {
        const char16_t c = text[inside];
        if (c == closing)
            return inside + 1;
        if (c == opening || c == u'\n')
            return -1;
    }
    return -1;
}

// "((?:[^\[\]\n]|\[[^\[\]\n]*\])*?)\]\(": the link text ends at the first
// "]" outside a bracket pair, which must be followed by "(". Returns the
// position of that "]", or -1.
int32_t linkTextEnd(const char16_t* text, int32_t length, int32_t at) {
    while (at < length) {
        const char16_t c = text[at];
        if (c == u'\n')
            return -1;
        if (c == u']')
            return at + 1 < length && text[at + 1] == u'(' ? at : -1;
        if (c == u'[') {
            at = pairEnd(text, length, at, u'[', u']');
            if (at < 0)
                return -1;
        } else {
            ++at;
        }
    }
    return -1;
}

// "[ \t]*\)"
int32_t plainClosingEnd(const char16_t* text, int32_t length, int32_t at) {
    at = afterBlanks(text, length, at);
    return at < length && text[at] == u')' ? at + 1 : -1;
}

// The last search for a title's closing quote: from `from`, the scan
// stopped at `stop`, on the closing quote or on the line end when `found` is
// false. A search from anywhere in [from, stop] stops there too, so the many
// openings of a line whose title never closes share one scan of it.
struct TitleSearch {
    int32_t from = -1;
    int32_t stop = -1;
    bool found = false;
};

// The first quote at or after `from` that a closing parenthesis follows,
// on the quote's line ("." stops at every line end), or -1.
int32_t titleCloseFrom(const char16_t* text, int32_t length, int32_t from, TitleSearch& last) {
    if (last.from <= from && from <= last.stop)
        return last.found ? last.stop : -1;
    int32_t inside = from;
    bool found = false;
    for (; inside < length; ++inside) {
        if (inside == last.from) {  // the rest was searched before
            inside = last.stop;
            found = last.found;
            break;
        }
        if (text[inside] == u'"' && plainClosingEnd(text, length, inside + 1) >= 0) {
            found = true;
            break;
        }
        if (engine::endsLineForDot(text[inside]))
            break;
    }
    last = {from, inside, found};
    return found ? inside : -1;
}

// "[ \t]+"(.*?)"[ \t]*\)": the title ends at the first quote that a closing
// parenthesis follows.
int32_t titleClosingEnd(const char16_t* text, int32_t length, int32_t at, InlineLink& link, TitleSearch& last) {
    const int32_t quote = afterBlanks(text, length, at);
    if (quote == at || quote >= length || text[quote] != u'"')
        return -1;
    const int32_t close = titleCloseFrom(text, length, quote + 1, last);
    if (close < 0)
        return -1;
    link.title = {quote + 1, close};
    return plainClosingEnd(text, length, close + 1);
}

int32_t closingEnd(const char16_t* text, int32_t length, int32_t at, LinkClosing closing, InlineLink& link,
                   TitleSearch& last) {
    return closing == LinkClosing::plain ? plainClosingEnd(text, length, at)
                                         : titleClosingEnd(text, length, at, link, last);
}

// "(((?:[^()\n]|\([^()\n]*\))*?))>?" and the closing, the address starting
// at `at`: the shortest address after which the closing follows. At a ">"
// only the closing after it can follow (neither closing starts with ">").
int32_t addressAndClosingEnd(const char16_t* text, int32_t length, int32_t at, LinkClosing closing,
                             InlineLink& link, TitleSearch& last) {
    for (const int32_t start = at;;) {
        const bool atAngle = at < length && text[at] == u'>';
        const int32_t end = closingEnd(text, length, atAngle ? at + 1 : at, closing, link, last);
        if (end >= 0) {
            link.address = {start, at};
            return end;
        }
        if (at >= length)
            return -1;
        const char16_t c = text[at];
        if (c == u'\n' || c == u')')
            return -1;
        if (c == u'(') {
            at = pairEnd(text, length, at, u'(', u')');
            if (at < 0)
                return -1;
        } else {
            ++at;
        }
    }
}

// The name part "(?:[ ]?(?:\n[ ]*)?\[([^\[\]\n]*)\])?" after the "]" at
// `close`: none of its pieces can give anything back to let "[" match.
void takeReferenceName(const char16_t* text, int32_t length, int32_t close, ReferenceLink& link) {
    int32_t at = close + 1;
    if (at < length && text[at] == u' ')
        ++at;
    if (at < length && text[at] == u'\n')
        at = afterSpaces(text, length, at + 1);
    if (at >= length || text[at] != u'[')
        return;
    int32_t nameEnd = at + 1;
    while (nameEnd < length && text[nameEnd] != u'[' && text[nameEnd] != u']' && text[nameEnd] != u'\n')
        ++nameEnd;
    if (nameEnd >= length || text[nameEnd] != u']')
        return;
    link.name = engine::TextRange{at + 1, nameEnd};
    link.end = nameEnd + 1;
}

// The reference link tried at the "[" at `at`: its text ends at the first
// "]" outside a bracket pair; a line break inside may not start an empty line.
std::optional<ReferenceLink> referenceLinkAt(const char16_t* text, int32_t length, int32_t at) {
    int32_t close = at + 1;
    while (close < length && text[close] != u']') {
        const char16_t c = text[close];
        if (c == u'\n' && close + 1 < length && text[close + 1] == u'\n')
            return std::nullopt;
        close = c == u'[' ? pairEnd(text, length, close, u'[', u']') : close + 1;
        if (close < 0)
            return std::nullopt;
    }
    if (close >= length)
        return std::nullopt;
    ReferenceLink link{at, close + 1, {at + 1, close}, std::nullopt};
    takeReferenceName(text, length, close, link);
    return link;
}

// The first line end for "." at or after `at` (or the text's end).
int32_t dotLineEnd(const char16_t* text, int32_t length, int32_t at) {
    while (at < length && !engine::endsLineForDot(text[at]))
        ++at;
    return at;
}

// "!\[(.*?)\][ \n]{0,1}\[(.*?)\]" tried at `at`: the alternative text ends
// at the first "]" before "[", " [" or "\n[" on its line, the key at the
// first "]" after on the key's line. Were the key not to close, a later "]"
// would leave the key less of the same line to close on.
int32_t referenceImageEnd(const char16_t* text, int32_t length, int32_t at) {
    // The line ends are met on the way: finding them first would walk the
    // rest of the line at every "![" of it.
    for (int32_t close = at + 2; close < length && !engine::endsLineForDot(text[close]); ++close) {
        if (text[close] != u']')
            continue;
        int32_t key = close + 1;
        if (key < length && (text[key] == u' ' || text[key] == u'\n') && key + 1 < length && text[key + 1] == u'[')
            ++key;
        if (key >= length || text[key] != u'[')
            continue;
        for (int32_t keyClose = key + 1; keyClose < length && !engine::endsLineForDot(text[keyClose]); ++keyClose)
            if (text[keyClose] == u']')
                return keyClose + 1;
        return -1;
    }
    return -1;
}

// "\[(.*)\]\:(.*?)\n([ \t]{0,}["(]{1,1}(.*)[")]{1,1}\n)?" tried at `at`: the
// name runs to the last "]:" of its line, whose line end must be "\n"; the
// title line, when there is one, opens with a quote or parenthesis after
// blanks and ends with one right before its own "\n".
int32_t referenceDefinitionEnd(const char16_t* text, int32_t length, int32_t at) {
    const int32_t lineEnd = dotLineEnd(text, length, at);
    if (lineEnd >= length || text[lineEnd] != u'\n')
        return -1;
    bool named = false;
    for (int32_t close = lineEnd - 2; close > at && !named; --close)
        named = text[close] == u']' && text[close + 1] == u':';
    if (!named)
        return -1;
    const int32_t titleLine = lineEnd + 1;
    const int32_t opening = afterBlanks(text, length, titleLine);
    if (opening >= length || (text[opening] != u'"' && text[opening] != u'('))
        return titleLine;
    const int32_t titleLineEnd = dotLineEnd(text, length, opening + 1);
    if (titleLineEnd >= length || text[titleLineEnd] != u'\n' || titleLineEnd - 1 <= opening ||
        (text[titleLineEnd - 1] != u'"' && text[titleLineEnd - 1] != u')'))
        return titleLine;
    return titleLineEnd + 1;
}

// Every match of a pattern tried at each `opening` by `endAt`, left to right
// and without overlaps. For both patterns walked this way, an attempt that
// fails at an opening fails at every later opening of the same line too (a
// later start only narrows what is looked for on that line, and what is
// looked for past it does not depend on the start), so the walk goes on at
// the next line: a long line of openings costs one walk of it, not one per
// opening.
template <typename EndAt>
std::vector<engine::TextRange> matchesFromOpenings(const icu::UnicodeString& text, const icu::UnicodeString& opening,
                                                   EndAt endAt) {
    std::vector<engine::TextRange> matches;
    const char16_t* buffer = text.getBuffer();
    for (int32_t at = engine::findLiteral(text, opening); at >= 0; at = engine::findLiteral(text, opening, at + 1)) {
        const int32_t end = endAt(buffer, text.length(), at);
        if (end < 0) {
            at = dotLineEnd(buffer, text.length(), at);
            continue;
        }
        matches.push_back({at, end});
        at = end - 1;
    }
    return matches;
}

// The match that the rule
//   <opening>((?:[^\[\]\n]|\[[^\[\]\n]*\])*?)\]\([ \t]*<?(((?:[^()\n]|\([^()\n]*\))*?))>?<closing>
// finds when tried at `at` (where its opening of `openingLength` characters
// stands), if any. `last` is shared by the tries over one text.
std::optional<InlineLink> inlineLinkAt(const char16_t* text, int32_t length, int32_t at, int32_t openingLength,
                                       LinkClosing closing, TitleSearch& last) {
    InlineLink link;
    const int32_t textEnd = linkTextEnd(text, length, at + openingLength);
    if (textEnd < 0)
        return std::nullopt;
    link.text = {at + openingLength, textEnd};
    const int32_t addressArea = textEnd + 2;
    // "[ \t]*<?" takes all blanks and the "<" first, then gives the "<" back.
    const int32_t afterLeadingBlanks = afterBlanks(text, length, addressArea);
    if (afterLeadingBlanks < length && text[afterLeadingBlanks] == u'<')
        link.end = addressAndClosingEnd(text, length, afterLeadingBlanks + 1, closing, link, last);
    if (link.end < 0)
        link.end = addressAndClosingEnd(text, length, afterLeadingBlanks, closing, link, last);
    // Then it gives blanks back to an empty address. Only a title's closing,
    // which needs a blank, can match there ("[a]( "title")"); giving back
    // more blanks reaches nothing new.
    if (link.end < 0 && closing == LinkClosing::withTitle && afterLeadingBlanks > addressArea) {
        link.end = titleClosingEnd(text, length, afterLeadingBlanks - 1, link, last);
        link.address = {afterLeadingBlanks - 1, afterLeadingBlanks - 1};
    }
    if (link.end < 0)
        return std::nullopt;
    return link;
}

}  // namespace

std::vector<engine::TextRange> referenceImages(const icu::UnicodeString& text) {
    return matchesFromOpenings(text, u"![", referenceImageEnd);
}

std::vector<engine::TextRange> referenceDefinitions(const icu::UnicodeString& text) {
    return matchesFromOpenings(text, u"[", referenceDefinitionEnd);
}

std::optional<engine::TextRange> definitionAddressAt(const char16_t* text, int32_t length, int32_t at) {
    // None of the pattern's repeats can give anything back that the piece
    // after it could take: each stops where the next piece must start.
    for (int32_t spaces = 0; spaces < 3 && at < length && text[at] == u' '; ++spaces)
        ++at;
    if (at + 1 >= length || text[at] != u'[')
        return std::nullopt;
    const char16_t first = text[++at];
    if (first == u']' || first == u'\n' || first == u'^' || first == u'#')
        return std::nullopt;
    while (++at < length && text[at] != u']' && text[at] != u'\n') {
    }
    if (at + 1 >= length || text[at] != u']' || text[at + 1] != u':')
        return std::nullopt;
    const int32_t address = afterBlanks(text, length, at + 2);
    if (address < length && text[address] == u'<') {
        int32_t close = address + 1;
        while (close < length && text[close] != u'<' && text[close] != u'>' && text[close] != u'\n')
            ++close;
        if (close < length && text[close] == u'>')
            return engine::TextRange{address, close + 1};
    }
    int32_t end = address;
    // ICU's \s is exactly White_Space, which no supplementary character has.
    while (end < length && !u_isUWhiteSpace(text[end]))
        ++end;
    if (end == address)
        return std::nullopt;
    return engine::TextRange{address, end};
}

std::vector<InlineLink> inlineLinks(const icu::UnicodeString& text, const icu::UnicodeString& opening,
                                    LinkClosing closing) {
    std::vector<InlineLink> links;
    const char16_t* buffer = text.getBuffer();
    TitleSearch last;
    for (int32_t at = engine::findLiteral(text, opening); at >= 0; at = engine::findLiteral(text, opening, at + 1)) {
        std::optional<InlineLink> link = inlineLinkAt(buffer, text.length(), at, opening.length(), closing, last);
        if (!link)
            continue;
        links.push_back(*link);
        at = link->end - 1;
    }
    return links;
}

std::vector<ReferenceLink> referenceLinks(const icu::UnicodeString& text,
                                          const std::function<bool(const ReferenceLink&)>& takes) {
    std::vector<ReferenceLink> links;
    const char16_t* buffer = text.getBuffer();
    for (int32_t at = engine::findUnit(text, u'['); at >= 0; at = engine::findUnit(text, u'[', at + 1)) {
        std::optional<ReferenceLink> link = referenceLinkAt(buffer, text.length(), at);
        if (!link || (takes && !takes(*link)))
            continue;
        links.push_back(*link);
        at = link->end - 1;
    }
    return links;
}

}  // namespace markdown
