#pragma once
// The block markers of the rule table ("+quote+" to "<blockquote>" and the
// like), all replaced in one walk over the plus signs instead of one search
// of the whole text per marker.

#include <vector>
#include <unicode/unistr.h>

#include "engine/RuleRecord.h"

namespace tessel {

// True when the literal rule is a marker word: "+", ASCII letters, "+", and
// its replacement holds no "+" and some character that is no letter.
bool isMarkerWordRule(const RuleRecord& rule);

// Gives what replacing every occurrence of each rule's marker in table order
// gives, for rules of which isMarkerWordRule holds.
void replaceMarkerWords(icu::UnicodeString& text, const std::vector<const RuleRecord*>& rules);

}  // namespace tessel
