#pragma once
// Applying a group of block-local rules block by block: each block (text
// between blank lines) gets every rule of the group in turn, so that a rule
// whose literal a block lacks costs one look at that short block, and the
// text is cut into blocks once for the whole group instead of once per rule.

#include <vector>
#include <unicode/unistr.h>

#include "engine/RuleRecord.h"

namespace engine {

// The same text as replacing all matches of each rule of `rules` in turn
// (regex rules without options), for rules whose FastPath names a
// `blockLiteral` that every match holds, whose matches never hold a blank
// line and whose look-arounds never look across one. A rule with
// `lineOpenings` is tried where those stand (see failingOncePerLine). A
// pattern that does not compile is logged and changes nothing; a search that
// runs away leaves that rule's block as it was.
void applyRulesBlockByBlock(icu::UnicodeString& text, const std::vector<const RuleRecord*>& rules);

}  // namespace engine
