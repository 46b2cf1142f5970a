#include "engine/LineFilteredSearch.h"

#include <algorithm>

namespace engine {
namespace {

// Start offsets of the lines that hold a needle, in text order, each once.
std::vector<int32_t> linesWith(const icu::UnicodeString& text, const std::vector<icu::UnicodeString>& needles) {
    std::vector<int32_t> lineStarts;
    for (const icu::UnicodeString& needle : needles) {
        if (needle.isEmpty())
            continue;
        for (int32_t at = text.indexOf(needle); at >= 0;) {
            int32_t lineStart = text.lastIndexOf(u'\n', 0, at) + 1;
            lineStarts.push_back(lineStart);
            int32_t lineEnd = text.indexOf(u'\n', at);
            if (lineEnd < 0)
                break;
            at = text.indexOf(needle, lineEnd + 1);
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
    if (!compiledPattern(pattern, options, &status.error)) {
        status.status = RegexStatus::invalidPattern;
        if (result)
            *result = status;
        return std::nullopt;
    }
    for (int32_t lineStart : linesWith(text, needles)) {
        int32_t lineEnd = text.indexOf(u'\n', lineStart);
        if (lineEnd < 0)
            lineEnd = text.length();
        icu::UnicodeString line(text, lineStart, lineEnd - lineStart);
        auto found = findAll(line, pattern, options, &status);
        if (!found) {
            if (result)
                *result = status;
            return std::nullopt;
        }
        for (Match& match : *found) {
            for (size_t g = 0; g < match.starts.size(); ++g) {
                if (match.starts[g] >= 0) {
                    match.starts[g] += lineStart;
                    match.ends[g] += lineStart;
                }
            }
            matches.push_back(std::move(match));
        }
    }
    if (result)
        *result = status;
    return matches;
}

}  // namespace engine
