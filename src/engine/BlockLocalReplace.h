#pragma once
// Rule application that only searches the blocks (text between blank lines)
// that could hold a match, for rules that are applied many times over large
// texts.

#include <unicode/unistr.h>

#include "engine/Regex.h"

namespace engine {

// The same result as replaceAll(text, pattern, template, options) for a rule
// whose matches never contain a blank line ("\n\n") and whose look-arounds
// never look across one, when every match contains `required`: the text is
// cut between the two newlines of each "\n\n" (no match can span that cut,
// and a search that restarts there finds what the whole-text search finds),
// and only the pieces that contain `required` are searched.
RegexResult replaceAllInBlocksContaining(icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                         const icu::UnicodeString& replacementTemplate,
                                         const icu::UnicodeString& required, uint32_t options = kNoOptions);

}  // namespace engine
