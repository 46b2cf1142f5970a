#include "engine/LineBoundedReplace.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "engine/ReplacementTemplate.h"
#include "engine/TextUtilities.h"

namespace engine {
namespace {

struct LineBound {
    int32_t lineStart;
    int32_t end;  // end of the line's last closing match
};

std::vector<LineBound> lastClosingPerLine(const icu::UnicodeString& text, const icu::RegexPattern& closing,
                                          RegexResult& result) {
    std::vector<LineBound> bounds;
    auto matcher = timedMatcher(closing, text);
    int32_t lineStart = 0;
    int32_t scannedUpTo = 0;
    UErrorCode status = U_ZERO_ERROR;
    while (matcher->find(status)) {
        int32_t start = matcher->start(status);
        for (int32_t nl = text.indexOf(u'\n', scannedUpTo, start - scannedUpTo); nl >= 0;
             nl = text.indexOf(u'\n', scannedUpTo, start - scannedUpTo)) {
            lineStart = nl + 1;
            scannedUpTo = nl + 1;
        }
        scannedUpTo = start;
        if (!bounds.empty() && bounds.back().lineStart == lineStart)
            bounds.back().end = matcher->end(status);
        else
            bounds.push_back({lineStart, matcher->end(status)});
    }
    if (U_FAILURE(status))
        result = {RegexStatus::timedOut, icu::UnicodeString::fromUTF8(u_errorName(status))};
    return bounds;
}

}  // namespace

RegexResult replaceAllUpToLastClosing(icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                      const icu::UnicodeString& replacementTemplate,
                                      const icu::UnicodeString& closing) {
    RegexResult result;
    const icu::RegexPattern* compiled = compiledPattern(pattern, kNoOptions, &result.error);
    const icu::RegexPattern* closingCompiled = compiledPattern(closing, kNoOptions, &result.error);
    if (!compiled || !closingCompiled) {
        result.status = RegexStatus::invalidPattern;
        return result;
    }
    std::vector<LineBound> bounds = lastClosingPerLine(text, *closingCompiled, result);
    if (!result.ok() || bounds.empty())
        return result;

    auto matcher = timedMatcher(*compiled, text);
    UErrorCode status = U_ZERO_ERROR;
    icu::UnicodeString out = emptyWithRoomFor(text);
    int32_t copiedUpTo = 0;
    for (const LineBound& bound : bounds) {
        matcher->region(std::max(bound.lineStart, copiedUpTo), bound.end, status);
        while (U_SUCCESS(status) && matcher->find(status)) {
            int32_t start = matcher->start(status);
            out.append(text, copiedUpTo, start - copiedUpTo);
            appendEvaluatedTemplate(out, replacementTemplate, *matcher, text);
            copiedUpTo = matcher->end(status);
        }
        if (searchFailed(status, pattern, result))
            return result;
    }
    matcher.reset();  // it refers to the text being replaced
    out.append(text, copiedUpTo, text.length() - copiedUpTo);
    text = std::move(out);
    return result;
}

}  // namespace engine
