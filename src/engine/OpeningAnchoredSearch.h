#pragma once
// Searching for a pattern only where one of its literal openings stands
// ("\nh1." of a headline block, "[[" of a link). ICU tries a pattern at
// every position of the text, or at every line start for "(?m)^", and each
// try costs far more than comparing a few characters.

#include <optional>
#include <vector>
#include <unicode/unistr.h>

#include "engine/Regex.h"

namespace engine {

// The same matches as findAll(text, pattern, options): when every match
// begins with one of the pattern's literalOpenings and the options are not
// case-insensitive, a match is tried only where an opening stands; any other
// pattern is searched as findAll does.
std::optional<std::vector<Match>> findAllAtOpenings(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                                    uint32_t options = kNoOptions, RegexResult* result = nullptr);

// The same text as replaceAll(text, pattern, template, options), searched
// as findAllAtOpenings searches.
RegexResult replaceAllAtOpenings(icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                 const icu::UnicodeString& replacementTemplate, uint32_t options = kNoOptions);

}  // namespace engine
