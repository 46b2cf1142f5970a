#pragma once
// A cheaper spelling of "cc(.*?)cc" with the dot matching line ends, for a
// doubled marker such as "**" or "~~": the same matches, found without the
// lazy loop's saved state for every character of a span that may run over
// much of the text.

#include <unicode/unistr.h>

namespace engine {

// "cc((?:[^c]++|c(?!c))*+)cc" for the marker character c (given escaped, as
// it stands in a pattern, "\\*" for "*"). Runs of other characters are taken
// whole and a single c only when no second one follows, so the span stops
// at the first "cc" after the opening one, exactly where "(.*?)" stops;
// where no "cc" follows, neither matches. Group 1 is the span between.
icu::UnicodeString pairedSpanPattern(const icu::UnicodeString& escapedCharacter);

// "((?:[^c]++|c(?!c))*+)": with the dot matching line ends, the same as a
// "(.*?)" that cc follows, for patterns such as "…(.*?)\n\n" (c = "\n").
icu::UnicodeString spanBeforeDoubled(const icu::UnicodeString& escapedCharacter);

}  // namespace engine
