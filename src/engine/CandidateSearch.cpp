#include "engine/CandidateSearch.h"

#include <algorithm>
#include <memory>

#include "engine/ConversionBudget.h"
#include "engine/LiteralSearch.h"
#include "engine/PatternOpenings.h"
#include "engine/ReplacementTemplate.h"
#include "engine/TextUtilities.h"

namespace engine {
namespace {

// Walks the plan's starts in order and calls `onMatch(matcher)` for each
// match, left to right and without overlaps, as a find loop would find them.
template <typename OnMatch>
RegexResult forEachPlannedMatch(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                const SearchPlan& plan, uint32_t options, OnMatch onMatch) {
    RegexResult result;
    const icu::RegexPattern* compiled = compiledPattern(pattern, options, &result.error);
    if (!compiled) {
        result.status = RegexStatus::invalidPattern;
        return result;
    }
    if (plan.starts.empty())
        return result;
    const int32_t limit = plan.limit < 0 || plan.limit > text.length() ? text.length() : plan.limit;
    auto matcher = timedMatcher(*compiled, text);
    UErrorCode status = U_ZERO_ERROR;
    // Look-arounds and anchors see past the region, as they would see the
    // text around a position that a find loop tries.
    matcher->useTransparentBounds(true);
    matcher->useAnchoringBounds(false);
    // A failed try where the pattern's opening stands rules out the later
    // openings within its run (see OpeningRun).
    const std::optional<OpeningRun> run =
        options & kCaseInsensitive ? std::nullopt : OpeningRun::of(pattern, options & kDotMatchesLineSeparators);
    const std::vector<icu::UnicodeString> openings = run ? literalOpenings(pattern) : std::vector<icu::UnicodeString>{};
    const int32_t lastTry = run ? run->lastTryIn(text, 0, limit) : limit;
    int32_t searchFrom = 0;
    for (int32_t start : plan.starts) {
        if (start < searchFrom || start > limit)
            continue;
        if (start > lastTry)
            break;
        stopIfOverBudget();
        matcher->region(start, limit, status);
        if (U_FAILURE(status) || !matcher->lookingAt(status)) {
            if (searchFailed(status, pattern, result))
                return result;
            if (run && std::any_of(openings.begin(), openings.end(), [&](const icu::UnicodeString& opening) {
                    return text.compare(start, opening.length(), opening) == 0;
                }))
                searchFrom = run->nextTryAfterFailure(text, start, limit);
            continue;
        }
        onMatch(*matcher);
        const int32_t end = matcher->end(status);
        searchFrom = end > start ? end : start + 1;
    }
    return result;
}

}  // namespace

std::optional<std::vector<Match>> findAllPlanned(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                                 const SearchPlan& plan, uint32_t options, RegexResult* result) {
    std::vector<Match> matches;
    RegexResult outcome = forEachPlannedMatch(text, pattern, plan, options, [&](const icu::RegexMatcher& matcher) {
        matches.push_back(matchFrom(matcher, text));
    });
    if (result)
        *result = outcome;
    if (!outcome.ok())
        return std::nullopt;
    return matches;
}

RegexResult replaceAllPlanned(icu::UnicodeString& text, const icu::UnicodeString& pattern,
                              const icu::UnicodeString& replacementTemplate, const SearchPlan& plan,
                              uint32_t options) {
    icu::UnicodeString out;
    int32_t copiedUpTo = 0;
    bool replacedAny = false;
    RegexResult result = forEachPlannedMatch(text, pattern, plan, options, [&](const icu::RegexMatcher& matcher) {
        UErrorCode status = U_ZERO_ERROR;
        if (!replacedAny)
            out = emptyWithRoomFor(text);
        replacedAny = true;
        const int32_t start = matcher.start(status);
        out.append(text, copiedUpTo, start - copiedUpTo);
        appendEvaluatedTemplate(out, replacementTemplate, matcher, text);
        copiedUpTo = matcher.end(status);
    });
    // On a failure the text stays as it was, as with replaceAll.
    if (result.ok() && replacedAny) {
        out.append(text, copiedUpTo, text.length() - copiedUpTo);
        text = std::move(out);
    }
    return result;
}

std::vector<int32_t> occurrencesOf(const icu::UnicodeString& text, const icu::UnicodeString& literal) {
    std::vector<int32_t> starts;
    if (literal.isEmpty())
        return starts;
    for (int32_t at = findLiteral(text, literal); at >= 0; at = findLiteral(text, literal, at + 1))
        starts.push_back(at);
    return starts;
}

int32_t lineStartAt(const icu::UnicodeString& text, int32_t position) {
    int32_t at = position < text.length() ? position : text.length();
    while (at > 0 && !endsLineForDot(text.charAt(at - 1)))
        --at;
    return at;
}

int32_t endOfLastOccurrence(const icu::UnicodeString& text, const icu::UnicodeString& literal) {
    const int32_t at = text.lastIndexOf(literal);
    return at < 0 ? -1 : at + literal.length();
}

SearchPlan pairedLiteralPlan(const icu::UnicodeString& text, const icu::UnicodeString& literal) {
    return {occurrencesOf(text, literal), endOfLastOccurrence(text, literal)};
}

SearchPlan linesEndingBefore(const icu::UnicodeString& text, const icu::UnicodeString& lineEndThenMark) {
    SearchPlan plan;
    for (int32_t at : occurrencesOf(text, lineEndThenMark))
        plan.starts.push_back(lineStartAt(text, at));
    return plan;
}

SearchPlan linesStartingWith(const icu::UnicodeString& text, const icu::UnicodeString& literal,
                             int32_t leadingSpaces) {
    SearchPlan plan;
    for (int32_t at : occurrencesOf(text, literal)) {
        int32_t lineStart = at;
        while (lineStart > 0 && at - lineStart < leadingSpaces && text.charAt(lineStart - 1) == u' ')
            --lineStart;
        // A find loop never starts a line between the "\r" and "\n" of a
        // line end, though "^" holds there.
        const bool lineStarts = lineStart == 0 || (endsLineForDot(text.charAt(lineStart - 1)) &&
                                                   !(text.charAt(lineStart - 1) == u'\r' && text.charAt(lineStart) == u'\n'));
        if (lineStarts)
            plan.starts.push_back(lineStart);
    }
    return plan;
}

SearchPlan linesStartingWithAny(const icu::UnicodeString& text, const std::vector<icu::UnicodeString>& literals) {
    SearchPlan plan;
    for (const icu::UnicodeString& literal : literals) {
        const std::vector<int32_t> starts = linesStartingWith(text, literal).starts;
        plan.starts.insert(plan.starts.end(), starts.begin(), starts.end());
    }
    std::sort(plan.starts.begin(), plan.starts.end());
    plan.starts.erase(std::unique(plan.starts.begin(), plan.starts.end()), plan.starts.end());
    return plan;
}

}  // namespace engine
