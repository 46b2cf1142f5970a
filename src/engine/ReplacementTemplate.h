#pragma once
// Evaluation of a replacement template against one match.

#include <vector>

#include <unicode/regex.h>
#include <unicode/unistr.h>

#include "engine/Regex.h"

namespace engine {

// Appends the template, evaluated against the matcher's current match over
// `input` (the text the matcher searches), to `out`. "$n" inserts group n, taking as many digits as still name a group
// (a group that took no part, or does not exist, inserts nothing); a "$" not
// followed by a digit is literal; a backslash makes the next character
// literal.
void appendEvaluatedTemplate(icu::UnicodeString& out, const icu::UnicodeString& replacementTemplate,
                             const icu::RegexMatcher& matcher, const icu::UnicodeString& input);

// The same for a match found without a matcher: `groups[n]` is the range of
// group n in `input` (group 0 the whole match; a start of -1: it took no part).
void appendEvaluatedTemplate(icu::UnicodeString& out, const icu::UnicodeString& replacementTemplate,
                             const std::vector<TextRange>& groups, const icu::UnicodeString& input);

}  // namespace engine
