#pragma once
// The external link rules "[address label]" and "[address]" applied by
// walks instead of their patterns: a pattern tried at every "[" of a line
// without "]" searches the rest of the line from each one.

#include <unicode/unistr.h>

#include "engine/RuleRecord.h"

namespace wikitext {

// True for a rule of the table that applyBracketLinkRule applies.
bool isBracketLinkRule(const RuleRecord& rule);

// The text that replacing every match of the rule's pattern,
//   \[([^\]\n]*?) ([^\]\n]*?)\]   (named: groups address and label)
//   \[(.*?)\]                     (unnamed: group address)
// by its template gives.
void applyBracketLinkRule(icu::UnicodeString& text, const RuleRecord& rule);

}  // namespace wikitext
