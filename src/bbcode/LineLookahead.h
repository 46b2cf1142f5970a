#pragma once
// Whether a "]" stands on the rest of a line, for walks that ask it at every
// "[" of a text: the next "]" and the next line end are found again only
// once passed, so a long line of unfinished tags is read once.

#include <climits>
#include <unicode/unistr.h>

struct LineLookahead {
    const icu::UnicodeString& text;
    int32_t bracket = -1;
    int32_t lineEnd = -1;

    // The next "]" from `at` when no line end comes first, or -1.
    int32_t bracketOnLineFrom(int32_t at) {
        if (bracket != INT32_MAX && bracket < at) {
            bracket = text.indexOf(u']', at);
            if (bracket < 0)
                bracket = INT32_MAX;
        }
        if (lineEnd != INT32_MAX && lineEnd < at) {
            lineEnd = text.indexOf(u'\n', at);
            if (lineEnd < 0)
                lineEnd = INT32_MAX;
        }
        return bracket != INT32_MAX && bracket < lineEnd ? bracket : -1;
    }
};
