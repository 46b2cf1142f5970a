#include "engine/LineFilteredSearch.h"

#include <algorithm>

#include "engine/ConversionBudget.h"
#include "engine/LiteralSearch.h"
#include "engine/PatternOpenings.h"

namespace engine {
namespace {

// Start offsets of the lines that hold a needle, in text order, each once.
std::vector<int32_t> linesWith(const icu::UnicodeString& text, const std::vector<icu::UnicodeString>& needles) {
    std::vector<int32_t> lineStarts;
    for (const icu::UnicodeString& needle : needles) {
        if (needle.isEmpty())
            continue;
        for (int32_t at = findLiteral(text, needle); at >= 0;) {
            int32_t lineStart = text.lastIndexOf(u'\n', 0, at) + 1;
            lineStarts.push_back(lineStart);
            int32_t lineEnd = findUnit(text, u'\n', at);
            if (lineEnd < 0)
                break;
            at = findLiteral(text, needle, lineEnd + 1);
        }
    }
    std::sort(lineStarts.begin(), lineStarts.end());
    lineStarts.erase(std::unique(lineStarts.begin(), lineStarts.end()), lineStarts.end());
    return lineStarts;
}

// The matches of a line for a pattern with a run after its opening (see
// OpeningRun): tried at each opening, skipping those that a failed try rules
// out. Such a pattern takes nothing before its opening into account, so a
// region from the opening sees what the line's region would.
void searchOpenings(icu::RegexMatcher& matcher, const icu::UnicodeString& text, int32_t lineStart,
                    int32_t lineEnd, const std::vector<icu::UnicodeString>& openings, const OpeningRun& run,
                    std::vector<Match>& matches, UErrorCode& error) {
    const int32_t lastTry = run.lastTryIn(text, lineStart, lineEnd);
    for (int32_t at = firstOpeningIn(text, lineStart, lineEnd, openings); at >= 0 && at <= lastTry && U_SUCCESS(error);) {
        stopIfOverBudget();
        matcher.region(at, lineEnd, error);
        if (U_FAILURE(error))
            return;
        int32_t from = 0;
        if (matcher.lookingAt(error)) {
            matches.push_back(matchFrom(matcher, text));
            const int32_t end = matcher.end(error);
            from = end > at ? end : at + 1;
        } else {
            from = run.nextTryAfterFailure(text, at, lineEnd);
        }
        at = firstOpeningIn(text, from, lineEnd, openings);
    }
}

}  // namespace

std::optional<std::vector<Match>> findAllInLinesWith(const icu::UnicodeString& text,
                                                     const icu::UnicodeString& pattern,
                                                     const std::vector<icu::UnicodeString>& needles,
                                                     uint32_t options, RegexResult* result) {
    RegexResult status;
    std::vector<Match> matches;
    // An empty search still reports a pattern that does not compile.
    const icu::RegexPattern* compiled = compiledPattern(pattern, options, &status.error);
    if (!compiled) {
        status.status = RegexStatus::invalidPattern;
        if (result)
            *result = status;
        return std::nullopt;
    }
    const std::vector<int32_t> lineStarts = linesWith(text, needles);
    if (!lineStarts.empty()) {
        // One matcher, its region set to each line in turn: with opaque and
        // anchoring bounds it sees the line as if the line were the whole
        // text, without a copy of the line and a matcher for each.
        auto matcher = timedMatcher(*compiled, text);
        UErrorCode error = U_ZERO_ERROR;
        const std::optional<OpeningRun> run = options & kCaseInsensitive
                                                  ? std::nullopt
                                                  : OpeningRun::of(pattern, options & kDotMatchesLineSeparators);
        const std::vector<icu::UnicodeString> openings = run ? literalOpenings(pattern) : std::vector<icu::UnicodeString>{};
        for (int32_t lineStart : lineStarts) {
            int32_t lineEnd = findUnit(text, u'\n', lineStart);
            if (lineEnd < 0)
                lineEnd = text.length();
            if (run)
                searchOpenings(*matcher, text, lineStart, lineEnd, openings, *run, matches, error);
            else {
                matcher->region(lineStart, lineEnd, error);
                while (U_SUCCESS(error) && matcher->find(error))
                    matches.push_back(matchFrom(*matcher, text));
            }
            if (searchFailed(error, pattern, status)) {
                if (result)
                    *result = status;
                return std::nullopt;
            }
        }
    }
    if (result)
        *result = status;
    return matches;
}

}  // namespace engine
