#include "engine/OpeningSearch.h"

#include "engine/TextUtilities.h"

namespace engine {
namespace {

int32_t nextLineStart(const icu::UnicodeString& text, int32_t from) {
    while (from < text.length() && !endsLineForDot(text.charAt(from)))
        ++from;
    return from + 1;
}

}  // namespace

std::optional<std::vector<Match>> findAllFromOpenings(const icu::UnicodeString& text,
                                                      const icu::UnicodeString& pattern,
                                                      const icu::UnicodeString& opening,
                                                      uint32_t options, RegexResult* result) {
    RegexResult local;
    RegexResult& outcome = result ? *result : local;
    outcome = {};
    const icu::RegexPattern* compiled = compiledPattern(pattern, options, &outcome.error);
    if (!compiled) {
        outcome.status = RegexStatus::invalidPattern;
        return std::nullopt;
    }
    if (opening.isEmpty())
        return findAll(text, pattern, options, &outcome);

    auto matcher = timedMatcher(*compiled, text);
    std::vector<Match> matches;
    UErrorCode status = U_ZERO_ERROR;
    for (int32_t at = text.indexOf(opening); at >= 0 && U_SUCCESS(status);) {
        if (matcher->lookingAt(at, status)) {
            matches.push_back(matchFrom(*matcher, text));
            const int32_t end = matcher->end(status);
            at = text.indexOf(opening, end > at ? end : at + 1);
        } else if (U_SUCCESS(status)) {
            const int32_t next = nextLineStart(text, at + opening.length());
            at = next < text.length() ? text.indexOf(opening, next) : -1;
        }
    }
    if (searchFailed(status, pattern, outcome))
        return std::nullopt;
    return matches;
}

}  // namespace engine
