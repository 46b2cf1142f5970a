#include "engine/DoubledMarkerSpans.h"

#include "engine/TextSearch.h"
#include "engine/TextUtilities.h"

namespace engine {
namespace {

// The first "cc" at or after `from`, or -1.
int32_t doubledAt(const icu::UnicodeString& text, char16_t marker, int32_t from) {
    const int32_t length = text.length();
    for (int32_t at = findUnit(text, marker, from); at >= 0 && at + 1 < length; at = findUnit(text, marker, at + 1))
        if (text.charAt(at + 1) == marker)
            return at;
    return -1;
}

// The first line end for ICU's "." at or after `from`, or `length`.
int32_t lineEndFrom(const char16_t* text, int32_t length, int32_t from) {
    for (int32_t at = from; at < length; ++at)
        if (endsLineForDot(text[at]))
            return at;
    return length;
}

}  // namespace

icu::UnicodeString spanBeforeDoubled(const icu::UnicodeString& escapedCharacter) {
    const icu::UnicodeString& c = escapedCharacter;
    return formatted(u"((?:[^%@]++|%@(?!%@))*+)", {c, c, c});
}

icu::UnicodeString pairedSpanPattern(const icu::UnicodeString& escapedCharacter) {
    const icu::UnicodeString& c = escapedCharacter;
    return formatted(u"%@%@%@%@%@", {c, c, spanBeforeDoubled(c), c, c});
}

// A try at an opening "cc" succeeds at the first "cc" that starts two or more
// characters later (lazy "(.*?)" stops there, and so does the possessive
// span of pairedSpanPattern, which takes a single c only when no second c
// follows); within a line it also fails when a line end comes first. A
// failed try is followed by one at the next opening, an overlapping one
// included, as a find loop moves on by one position; a match moves the
// search past its end.
std::vector<TextRange> doubledMarkerSpans(const icu::UnicodeString& text, char16_t marker, SpanLines lines) {
    std::vector<TextRange> spans;
    const char16_t* chars = text.getBuffer();
    const int32_t length = text.length();
    int32_t lineEnd = -1;  // the first line end at or after the last opening's inside
    for (int32_t open = doubledAt(text, marker, 0); open >= 0;) {
        const int32_t close = doubledAt(text, marker, open + 2);
        if (close < 0)
            break;  // no later opening can close either
        if (lines == SpanLines::withinLine) {
            if (lineEnd < open + 2)
                lineEnd = lineEndFrom(chars, length, open + 2);
            if (lineEnd < close) {
                open = doubledAt(text, marker, open + 1);
                continue;
            }
        }
        spans.push_back({open, close + 2});
        open = doubledAt(text, marker, close + 2);
    }
    return spans;
}

void replaceDoubledMarkerSpans(icu::UnicodeString& text, char16_t marker, SpanLines lines,
                               const icu::UnicodeString& before, const icu::UnicodeString& after) {
    const std::vector<TextRange> spans = doubledMarkerSpans(text, marker, lines);
    if (spans.empty())
        return;
    icu::UnicodeString out = emptyWithRoomFor(text);
    int32_t copiedUpTo = 0;
    for (const TextRange& span : spans) {
        out.append(text, copiedUpTo, span.start - copiedUpTo)
            .append(before)
            .append(text, span.start + 2, span.end - span.start - 4)
            .append(after);
        copiedUpTo = span.end;
    }
    text = out.append(text, copiedUpTo, text.length() - copiedUpTo);
}

}  // namespace engine
