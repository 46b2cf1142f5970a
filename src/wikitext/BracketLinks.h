#pragma once
// The external link rules "[address label]" and "[address]" applied by
// walks instead of their patterns: a pattern tried at every "[" of a line
// without "]" searches the rest of the line from each one.

#include <unicode/unistr.h>

#include "engine/RuleRecord.h"

namespace wikitext {

// The walks a rule's fast path names: the named and the unnamed link, the
// bare address that is linked outside tags and links only, and emphasis.
enum Walk : int { kNamedBracketLinkWalk = 1, kBracketLinkWalk, kBareAddressWalk, kEmphasisWalk };

// True for a rule of the table that applyBracketLinkRule applies.
bool isBracketLinkRule(const RuleRecord& rule);

// The text that replacing every match of the rule's pattern,
//   \[([^\]\n]*?) ([^\]\n]*?)\]   (named: groups address and label)
//   \[(.*?)\]                     (unnamed: group address)
// by its template gives.
void applyBracketLinkRule(icu::UnicodeString& text, const RuleRecord& rule);

}  // namespace wikitext
