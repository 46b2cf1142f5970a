#pragma once
// Spans between doubled markers ("**bold**", "~~sub~~") found by comparing
// characters. The patterns "cc(.*?)cc" and pairedSpanPattern(c) end a span at
// the first "cc" after the opening one; a walk from one "cc" to the next
// gives the same spans without a regular expression machine.

#include <cstdint>
#include <vector>
#include <unicode/unistr.h>

namespace engine {

// One span: the whole match [start, end), markers included; the text between
// the markers is [start + 2, end - 2).
struct MarkerSpan {
    int32_t start = 0;
    int32_t end = 0;
};

enum class SpanLines {
    // "cc(.*?)cc" with the dot matching line ends, or pairedSpanPattern(c).
    mayCross,
    // "cc(.*?)cc" without: no line end (as ICU's "." knows them) in between.
    withinLine,
};

// The spans that a find loop over the pattern finds, left to right, without
// overlaps.
std::vector<MarkerSpan> doubledMarkerSpans(const icu::UnicodeString& text, char16_t marker, SpanLines lines);

// Replaces every span by `before` + the text between its markers + `after`,
// as replacing the pattern by the template "before$1after" does.
void replaceDoubledMarkerSpans(icu::UnicodeString& text, char16_t marker, SpanLines lines,
                               const icu::UnicodeString& before, const icu::UnicodeString& after);

}  // namespace engine
