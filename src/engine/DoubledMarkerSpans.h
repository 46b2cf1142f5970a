#pragma once
// Spans between doubled markers ("**bold**", "~~sub~~"): "cc(.*?)cc" ends a
// span at the first "cc" after the opening one. Two ways to find them that
// give the pattern's spans: a cheaper spelling of the pattern for the rule
// tables, and a walk from one "cc" to the next that needs no regular
// expression machine at all.

#include <cstdint>
#include <vector>
#include <unicode/unistr.h>

#include "engine/Regex.h"

namespace engine {

// "cc((?:[^c]++|c(?!c))*+)cc" for the marker character c (given escaped, as
// it stands in a pattern, "\\*" for "*"): with the dot matching line ends,
// the same matches as "cc(.*?)cc", found without the lazy loop's saved state
// for every character of a span that may run over much of the text. Runs of
// other characters are taken whole and a single c only when no second one
// follows, so the span stops at the first "cc" after the opening one; where
// no "cc" follows, neither matches. Group 1 is the span between.
icu::UnicodeString pairedSpanPattern(const icu::UnicodeString& escapedCharacter);

// "((?:[^c]++|c(?!c))*+)": with the dot matching line ends, the same as a
// "(.*?)" that cc follows, for patterns such as "…(.*?)\n\n" (c = "\n").
icu::UnicodeString spanBeforeDoubled(const icu::UnicodeString& escapedCharacter);

enum class SpanLines {
    // "cc(.*?)cc" with the dot matching line ends, or pairedSpanPattern(c).
    mayCross,
    // "cc(.*?)cc" without: no line end (as ICU's "." knows them) in between.
    withinLine,
};

// The spans that a find loop over the pattern finds, left to right, without
// overlaps: whole matches, markers included; the text between the markers
// is [start + 2, end - 2).
std::vector<TextRange> doubledMarkerSpans(const icu::UnicodeString& text, char16_t marker, SpanLines lines);

// Replaces every span by `before` + the text between its markers + `after`,
// as replacing the pattern by the template "before$1after" does.
void replaceDoubledMarkerSpans(icu::UnicodeString& text, char16_t marker, SpanLines lines,
                               const icu::UnicodeString& before, const icu::UnicodeString& after);

}  // namespace engine
