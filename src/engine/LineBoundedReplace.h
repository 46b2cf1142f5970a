#pragma once
// Replacement for single-line tag-pair rules ("[b](.*?)[/b]") that stays
// linear on long lines full of unclosed tags.

#include <unicode/unistr.h>

#include "engine/Regex.h"

namespace engine {

// The same result as replaceAll(text, pattern, template) for a pattern that
// cannot match across a line end and whose every match ends with a match of
// `closing`: within each line the search stops at the end of the last
// `closing`, because no match can end later, so an opening without its
// closing tag costs nothing instead of a scan to the end of its line.
RegexResult replaceAllUpToLastClosing(icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                      const icu::UnicodeString& replacementTemplate,
                                      const icu::UnicodeString& closing);

}  // namespace engine
