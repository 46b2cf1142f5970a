#include "engine/OpeningSearch.h"

#include <algorithm>

#include "engine/ConversionBudget.h"
#include "engine/TextUtilities.h"

namespace engine {
namespace {

int32_t nextLineStart(const icu::UnicodeString& text, int32_t from) {
    while (from < text.length() && !endsLineForDot(text.charAt(from)))
        ++from;
    return from + 1;
}

int32_t stretchEndFrom(const icu::UnicodeString& text, int32_t from, bool (*endsStretch)(char16_t)) {
    if (!endsStretch)
        endsStretch = endsLineForDot;
    while (from < text.length() && !endsStretch(text.charAt(from)))
        ++from;
    return from;
}

}  // namespace

OncePerLineSteps::OncePerLineSteps(icu::RegexMatcher& matcher, const icu::UnicodeString& text,
                                   const NextOpening& next)
    : matcher_(matcher), text_(text), next_(next) {}

bool OncePerLineSteps::find(UErrorCode& status) {
    while (U_SUCCESS(status) && from_ <= text_.length()) {
        const LineOpening at = next_(text_, from_);
        if (at.start < 0)
            break;
        from_ = at.start + 1;
        stopIfOverBudget();
        if (matcher_.lookingAt(at.start, status)) {
            from_ = std::max(from_, static_cast<int32_t>(matcher_.end(status)));
            return U_SUCCESS(status);
        }
        // An opening may stand on the line end itself (a newline before a
        // phrase), its run on the next line.
        if (at.run >= 0)
            from_ = std::max(from_, stretchEndFrom(text_, at.run, at.endsStretch));
    }
    from_ = text_.length() + 1;
    return false;
}

// The pattern compiled, with a fresh outcome; null (the outcome saying so)
// when it does not compile.
static const icu::RegexPattern* compiledForSearch(const icu::UnicodeString& pattern, uint32_t options, RegexResult& outcome) {
    outcome = {};
    const icu::RegexPattern* compiled = compiledPattern(pattern, options, &outcome.error);
    if (!compiled)
        outcome.status = RegexStatus::invalidPattern;
    return compiled;
}

std::optional<std::vector<Match>> findAllFailingOncePerLine(const icu::UnicodeString& text,
                                                            const icu::UnicodeString& pattern,
                                                            const NextOpening& next, uint32_t options,
                                                            RegexResult* result) {
    RegexResult local;
    RegexResult& outcome = result ? *result : local;
    const icu::RegexPattern* compiled = compiledForSearch(pattern, options, outcome);
    if (!compiled)
        return std::nullopt;
    auto matcher = timedMatcher(*compiled, text);
    OncePerLineSteps steps(*matcher, text, next);
    std::vector<Match> matches;
    UErrorCode status = U_ZERO_ERROR;
    while (steps.find(status))
        matches.push_back(matchFrom(*matcher, text));
    if (searchFailed(status, pattern, outcome))
        return std::nullopt;
    return matches;
}

std::optional<std::vector<Match>> findAllFromOpenings(const icu::UnicodeString& text,
                                                      const icu::UnicodeString& pattern,
                                                      const icu::UnicodeString& opening,
                                                      uint32_t options, RegexResult* result) {
    RegexResult local;
    RegexResult& outcome = result ? *result : local;
    const icu::RegexPattern* compiled = compiledForSearch(pattern, options, outcome);
    if (!compiled)
        return std::nullopt;
    if (opening.isEmpty())
        return findAll(text, pattern, options, &outcome);

    auto matcher = timedMatcher(*compiled, text);
    std::vector<Match> matches;
    UErrorCode status = U_ZERO_ERROR;
    for (int32_t at = text.indexOf(opening); at >= 0 && U_SUCCESS(status);) {
        stopIfOverBudget();
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
