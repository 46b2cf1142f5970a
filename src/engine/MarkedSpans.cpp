#include "engine/MarkedSpans.h"

#include "engine/TextUtilities.h"

namespace engine {
namespace {

// The first marker in [from, limit) that counts, or -1.
int32_t closingIn(const icu::UnicodeString& text, const MarkedSpanRule& rule, int32_t from, int32_t limit) {
    const int32_t markerLength = rule.marker.length();
    for (int32_t at = from; at + markerLength <= limit;) {
        at = text.indexOf(rule.marker, at, limit - at);
        if (at < 0)
            return -1;
        if (!rule.counts || rule.counts(text.getBuffer(), text.length(), at, markerLength))
            return at;
        ++at;
    }
    return -1;
}

// The first "\n\n" at or after `from` that ends a span's inside, or the
// length. ICU's dot takes "\r\n" as one character, so the loop never stands
// between them: the "\n\n" of "\r\n\n" is stepped over.
int32_t emptyLineFrom(const icu::UnicodeString& text, int32_t from) {
    for (int32_t at = text.indexOf(u"\n\n", 2, from); at >= 0; at = text.indexOf(u"\n\n", 2, at + 1))
        if (at == 0 || text.charAt(at - 1) != u'\r')
            return at;
    return text.length();
}

}  // namespace

bool replaceMarkedSpans(icu::UnicodeString& text, const MarkedSpanRule& rule) {
    const int32_t markerLength = rule.marker.length();
    const int32_t length = text.length();
    if (markerLength == 0)
        return false;
    icu::UnicodeString out;
    int32_t copiedUpTo = 0;
    bool replacedAny = false;
    // The first empty line at or after the last span's inside, while it
    // still lies ahead: a span's inside ends before it.
    int32_t paragraphEnd = -1;
    for (int32_t from = 0;;) {
        const int32_t opening = text.indexOf(rule.marker, from);
        if (opening < 0)
            break;
        if (rule.counts && !rule.counts(text.getBuffer(), length, opening, markerLength)) {
            from = opening + 1;
            continue;
        }
        const int32_t inside = opening + markerLength;
        int32_t limit = length;
        if (rule.withinParagraph) {
            if (paragraphEnd < inside)
                paragraphEnd = emptyLineFrom(text, inside);
            limit = paragraphEnd;
        }
        const int32_t closing = closingIn(text, rule, inside, limit);
        // Every later opening before the limit has fewer closings to choose
        // from than this one had.
        if (closing < 0) {
            if (limit >= length)
                break;
            from = limit;
            continue;
        }
        if (!replacedAny)
            out = emptyWithRoomFor(text);
        replacedAny = true;
        out.append(text, copiedUpTo, opening - copiedUpTo)
            .append(rule.before)
            .append(text, inside, closing - inside)
            .append(rule.after);
        copiedUpTo = closing + markerLength;
        from = copiedUpTo;
    }
    if (!replacedAny)
        return false;
    out.append(text, copiedUpTo, length - copiedUpTo);
    text = std::move(out);
    return true;
}

}  // namespace engine
