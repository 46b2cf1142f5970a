#include "engine/LineFilteredSearch.h"

#include <algorithm>

#include "engine/MatchSteps.h"
#include "engine/TextSearch.h"
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
        // text, without a copy of the line and a matcher for each. A pattern
        // with a run after its opening (see OpeningRun) takes nothing before
        // its opening into account, so a region from an opening sees what
        // the line's region would: it is tried at its openings only.
        auto matcher = timedMatcher(*compiled, text);
        UErrorCode error = U_ZERO_ERROR;
        const bool hasRun = !(options & kCaseInsensitive) && OpeningRun::of(pattern, options & kDotMatchesLineSeparators);
        const std::unique_ptr<Candidates> openings = hasRun ? atOpenings(pattern, options) : nullptr;
        for (int32_t lineStart : lineStarts) {
            int32_t lineEnd = findUnit(text, u'\n', lineStart);
            if (lineEnd < 0)
                lineEnd = text.length();
            MatchSteps steps(*matcher, text, openings.get(), lineStart, lineEnd);
            while (steps.find(error))
                matches.push_back(matchFrom(*matcher, text));
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
