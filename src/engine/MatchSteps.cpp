#include "engine/MatchSteps.h"

#include <algorithm>

#include "engine/ConversionBudget.h"
#include "engine/ReplacementTemplate.h"
#include "engine/TextUtilities.h"

namespace engine {

MatchSteps::MatchSteps(icu::RegexMatcher& matcher, const icu::UnicodeString& text, Candidates* candidates,
                       int32_t start, int32_t end)
    : matcher_(matcher), candidates_(candidates), from_(start), end_(end < 0 ? text.length() : end) {
    if (candidates_) {
        end_ = candidates_->begin(text, start, end_);
    } else if (start > 0 || end_ < text.length()) {
        UErrorCode status = U_ZERO_ERROR;
        matcher_.region(start, end_, status);
    }
}

bool MatchSteps::find(UErrorCode& status) {
    if (!candidates_)
        return U_SUCCESS(status) && matcher_.find(status);
    while (U_SUCCESS(status) && from_ <= end_) {
        const int32_t at = candidates_->next(from_);
        if (at < 0 || at > end_)
            break;
        stopIfOverBudget();
        matcher_.region(at, end_, status);
        if (U_SUCCESS(status) && matcher_.lookingAt(status)) {
            const int32_t end = matcher_.end(status);
            from_ = end > at ? end : at + 1;
            return U_SUCCESS(status);
        }
        if (U_SUCCESS(status))
            from_ = std::max(at + 1, candidates_->afterFailure(at));
    }
    from_ = end_ + 1;
    return false;
}

namespace {

// A matcher over the whole text whose regions hide nothing of it; null (and
// `result` filled) when the pattern does not compile.
std::unique_ptr<icu::RegexMatcher> seeingMatcher(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                                 uint32_t options, RegexResult& result) {
    result = {};
    const icu::RegexPattern* compiled = compiledPattern(pattern, options, &result.error);
    if (!compiled) {
        result.status = RegexStatus::invalidPattern;
        return nullptr;
    }
    auto matcher = timedMatcher(*compiled, text);
    matcher->useTransparentBounds(true);
    matcher->useAnchoringBounds(false);
    return matcher;
}

}  // namespace

std::optional<std::vector<Match>> findAllAt(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                            const std::unique_ptr<Candidates>& candidates, uint32_t options, RegexResult* result) {
    RegexResult local;
    RegexResult& outcome = result ? *result : local;
    auto matcher = seeingMatcher(text, pattern, options, outcome);
    if (!matcher)
        return std::nullopt;
    MatchSteps steps(*matcher, text, candidates.get());
    std::vector<Match> matches;
    UErrorCode status = U_ZERO_ERROR;
    while (steps.find(status))
        matches.push_back(matchFrom(*matcher, text));
    if (searchFailed(status, pattern, outcome))
        return std::nullopt;
    return matches;
}

std::vector<TextRange> matchRangesAtOpenings(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                             uint32_t options) {
    RegexResult outcome;
    auto matcher = seeingMatcher(text, pattern, options, outcome);
    if (!matcher)
        return {};
    const std::unique_ptr<Candidates> candidates = atOpenings(pattern, options);
    MatchSteps steps(*matcher, text, candidates.get());
    std::vector<TextRange> ranges;
    UErrorCode status = U_ZERO_ERROR;
    while (steps.find(status))
        ranges.push_back({static_cast<int32_t>(matcher->start(status)), static_cast<int32_t>(matcher->end(status))});
    if (searchFailed(status, pattern, outcome))
        return {};
    return ranges;
}

bool replaceSteps(MatchSteps& steps, const icu::RegexMatcher& matcher, const icu::UnicodeString& text,
                  const icu::UnicodeString& replacementTemplate, icu::UnicodeString& out, UErrorCode& status,
                  const std::vector<TextRange>& keptRanges) {
    int32_t copiedUpTo = 0;
    bool replacedAny = false;
    auto kept = keptRanges.begin();
    while (steps.find(status)) {
        UErrorCode rangeStatus = U_ZERO_ERROR;
        const int32_t start = matcher.start(rangeStatus);
        while (kept != keptRanges.end() && kept->end <= start)
            ++kept;
        if (kept != keptRanges.end() && kept->start <= start)
            continue;
        if (!replacedAny)
            out = emptyWithRoomFor(text);
        replacedAny = true;
        out.append(text, copiedUpTo, start - copiedUpTo);
        appendEvaluatedTemplate(out, replacementTemplate, matcher, text);
        copiedUpTo = matcher.end(rangeStatus);
    }
    if (U_FAILURE(status) || !replacedAny)
        return false;
    out.append(text, copiedUpTo, text.length() - copiedUpTo);
    return true;
}

RegexResult replaceAllAt(icu::UnicodeString& text, const icu::UnicodeString& pattern,
                         const icu::UnicodeString& replacementTemplate,
                         const std::unique_ptr<Candidates>& candidates, uint32_t options,
                         const std::vector<TextRange>& keptRanges) {
    RegexResult result;
    auto matcher = seeingMatcher(text, pattern, options, result);
    if (!matcher)
        return result;
    MatchSteps steps(*matcher, text, candidates.get());
    UErrorCode status = U_ZERO_ERROR;
    icu::UnicodeString replaced;
    if (replaceSteps(steps, *matcher, text, replacementTemplate, replaced, status, keptRanges))
        text = std::move(replaced);
    searchFailed(status, pattern, result);
    return result;
}

}  // namespace engine
