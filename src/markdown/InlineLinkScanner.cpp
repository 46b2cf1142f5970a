#include "markdown/InlineLinkScanner.h"

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
// position after the "(", or -1.
int32_t afterLinkText(const char16_t* text, int32_t length, int32_t at) {
    while (at < length) {
        const char16_t c = text[at];
        if (c == u'\n')
            return -1;
        if (c == u']')
            return at + 1 < length && text[at + 1] == u'(' ? at + 2 : -1;
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

// "[ \t]+"(.*?)"[ \t]*\)": the title ends at the first quote that a closing
// parenthesis follows, on the quote's line ("." stops at every line end).
int32_t titleClosingEnd(const char16_t* text, int32_t length, int32_t at) {
    const int32_t quote = afterBlanks(text, length, at);
    if (quote == at || quote >= length || text[quote] != u'"')
        return -1;
    for (int32_t inside = quote + 1; inside < length; ++inside) {
        if (text[inside] == u'"') {
            const int32_t end = plainClosingEnd(text, length, inside + 1);
            if (end >= 0)
                return end;
        }
        if (engine::endsLineForDot(text[inside]))
            return -1;
    }
    return -1;
}

int32_t closingEnd(const char16_t* text, int32_t length, int32_t at, LinkClosing closing) {
    return closing == LinkClosing::plain ? plainClosingEnd(text, length, at) : titleClosingEnd(text, length, at);
}

// "(((?:[^()\n]|\([^()\n]*\))*?))>?" and the closing, the address starting
// at `at`: the shortest address after which the closing follows. At a ">"
// only the closing after it can follow (neither closing starts with ">").
int32_t addressAndClosingEnd(const char16_t* text, int32_t length, int32_t at, LinkClosing closing) {
    for (;;) {
        const bool atAngle = at < length && text[at] == u'>';
        const int32_t end = closingEnd(text, length, atAngle ? at + 1 : at, closing);
        if (end >= 0)
            return end;
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

}  // namespace

int32_t inlineLinkEnd(const char16_t* text, int32_t length, int32_t at, int32_t openingLength, LinkClosing closing) {
    const int32_t addressArea = afterLinkText(text, length, at + openingLength);
    if (addressArea < 0)
        return -1;
    // "[ \t]*<?" takes all blanks and the "<" first, then gives the "<" back.
    const int32_t afterLeadingBlanks = afterBlanks(text, length, addressArea);
    if (afterLeadingBlanks < length && text[afterLeadingBlanks] == u'<') {
        const int32_t end = addressAndClosingEnd(text, length, afterLeadingBlanks + 1, closing);
        if (end >= 0)
            return end;
    }
    const int32_t end = addressAndClosingEnd(text, length, afterLeadingBlanks, closing);
    if (end >= 0)
        return end;
    // Then it gives blanks back to an empty address. Only a title's closing,
    // which needs a blank, can match there ("[a]( "title")"); giving back
    // more blanks reaches nothing new.
    if (closing == LinkClosing::withTitle && afterLeadingBlanks > addressArea)
        return titleClosingEnd(text, length, afterLeadingBlanks - 1);
    return -1;
}

}  // namespace markdown
