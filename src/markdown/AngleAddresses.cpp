#include "markdown/AngleAddresses.h"

#include "engine/TextUtilities.h"

namespace markdown {

// The pattern this walk replaces,
//   <((?:(?![<>]).)*?)@((?:(?![<>]).)*?)\.((?:(?![<>]).)*?)>
// takes no "<", ">" or line end (the dot's) inside, so a match that starts
// at a "<" ends at the first ">" after it, and only if nothing that stops
// it comes first; the lazy groups just need an "@" and then a "." on the
// way. Where a "<" fails, the next one to try is the character that
// stopped it, if that was a "<", or the next "<" after it.
std::vector<engine::TextRange> angleBracketedAddresses(const icu::UnicodeString& text) {
    std::vector<engine::TextRange> found;
    const char16_t* chars = text.getBuffer();
    const int32_t length = text.length();
    for (int32_t opening = text.indexOf(u'<'); opening >= 0;) {
        int32_t at = opening + 1;
        int32_t firstAt = -1;
        bool dotAfterAt = false;
        for (; at < length; ++at) {
            const char16_t c = chars[at];
            if (c == u'<' || c == u'>' || engine::endsLineForDot(c))
                break;
            if (c == u'@' && firstAt < 0)
                firstAt = at;
            else if (c == u'.' && firstAt >= 0)
                dotAfterAt = true;
        }
        if (at < length && chars[at] == u'>' && dotAfterAt) {
            found.push_back({opening, at + 1});
            opening = text.indexOf(u'<', at + 1);
        } else if (at < length && chars[at] == u'<') {
            opening = at;
        } else {
            opening = at < length ? text.indexOf(u'<', at + 1) : -1;
        }
    }
    return found;
}

}  // namespace markdown
