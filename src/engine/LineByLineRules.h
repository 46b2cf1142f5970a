#pragma once
// Applying a whole rule table line by line. A table of tag rules ("[b]…[/b]")
// searched rule after rule over a large text costs one scan of the text per
// rule; when no match can leave its line, running the table over each line
// in turn gives the same text, and a rule need only run on the lines where
// one of the texts its matches begin with stands.

#include <vector>
#include <unicode/unistr.h>

#include "engine/Regex.h"
#include "engine/RuleRecord.h"

namespace engine {

// The same text as applying the rules of `rules` one after another to the
// whole text (literal rules and regex rules without options, as
// simpleTransform applies them), for a table whose matches never hold a
// "\n" and whose patterns neither anchor to the start or end of the text nor
// look across a line end. False, with the text unchanged, when the table
// holds a rule of another kind.
bool applyRulesLineByLine(icu::UnicodeString& text, const RuleTable& rules);

}  // namespace engine
