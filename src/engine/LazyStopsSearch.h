#pragma once
// Matches of patterns made of a literal opening and lazy "(.*?)" runs up to
// literal stops, such as "\[\^(.*?)\]\:(.*?)\n" (a footnote definition) or
// "\[(.*?)\]\[\#(.*?)\]" (a citation), found without running the pattern.
// Without dot-all, each run ends at its first stop before a line end; were
// the match to fail after it, a longer run would only reach a later stop on
// the same line, after which the next stop can no more be found. So the
// first stop of each run is the pattern's, and a walk finds the same matches.

#include <cstdint>
#include <initializer_list>
#include <vector>
#include <unicode/unistr.h>

#include "engine/Regex.h"

namespace engine {

// Every match of "<opening>(.*?)<stop 1>(.*?)<stop 2>…" (each piece a
// literal, stops not empty), left to right and without overlaps, as a find
// loop over the text finds them.
std::vector<TextRange> lazyStopsMatches(const icu::UnicodeString& text, const icu::UnicodeString& opening,
                                        std::initializer_list<const char16_t*> stops);

}  // namespace engine
