#include "engine/LazyStopsSearch.h"

#include "engine/LiteralSearch.h"
#include "engine/TextUtilities.h"

namespace engine {
namespace {

// The end of "(.*?)<stop>" run from `at`, or -1: the first place where the
// stop stands, before "." meets a line end.
int32_t lazyRunEnd(const icu::UnicodeString& text, int32_t at, const icu::UnicodeString& stop) {
    const int32_t length = text.length();
    for (; at < length; ++at) {
        if (text.compare(at, stop.length(), stop) == 0)
            return at + stop.length();
        if (endsLineForDot(text.charAt(at)))
            return -1;
    }
    return -1;
}

}  // namespace

std::vector<TextRange> lazyStopsMatches(const icu::UnicodeString& text, const icu::UnicodeString& opening,
                                        std::initializer_list<const char16_t*> stops) {
    std::vector<icu::UnicodeString> stopTexts;
    for (const char16_t* stop : stops)
        stopTexts.emplace_back(stop);
    std::vector<TextRange> matches;
    for (int32_t at = findLiteral(text, opening); at >= 0; at = findLiteral(text, opening, at + 1)) {
        int32_t end = at + opening.length();
        for (const icu::UnicodeString& stop : stopTexts) {
            end = lazyRunEnd(text, end, stop);
            if (end < 0)
                break;
        }
        if (end < 0) {
            // A later opening of this line gives runs that end no earlier
            // and meet the same line ends, so it fails too: go on at the
            // next line, so that a line full of openings is walked once.
            while (at < text.length() && !endsLineForDot(text.charAt(at)))
                ++at;
            continue;
        }
        matches.push_back({at, end});
        at = end - 1;
    }
    return matches;
}

}  // namespace engine
