#pragma once
// Applying a group of block-local rules block by block: each block (text
// between blank lines) gets every rule of the group in turn, so that a rule
// whose literal a block lacks costs one look at that short block, and the
// text is cut into blocks once for the whole group instead of once per rule.

#include <vector>
#include <unicode/unistr.h>

#include "engine/OpeningSearch.h"
#include "engine/RuleRecord.h"

namespace engine {

struct BlockRule {
    const RuleRecord* rule = nullptr;  // a regex rule without options
    icu::UnicodeString required;        // a literal every match contains
    // When set, the rule is searched as findAllFailingOncePerLine searches.
    NextOpening openings;
};

// The same text as replaceAllInBlocksContaining(text, pattern, template,
// required) for each rule in turn, under the same conditions on each rule
// (its matches never hold a blank line, its look-arounds never look across
// one). A pattern that does not compile is logged and changes nothing; a
// search that runs away leaves that rule's block as it was.
void applyRulesBlockByBlock(icu::UnicodeString& text, const std::vector<BlockRule>& rules);

}  // namespace engine
