#pragma once
// One rewrite rule of a converter's table, and the table itself.

#include <vector>
#include <unicode/unistr.h>

#include "engine/Candidates.h"

struct RuleRecord {
    icu::UnicodeString name;           // a label, for logs and tests
    icu::UnicodeString pattern;        // ICU pattern, or the text a literal rule finds
    icu::UnicodeString templateText;   // replacement template, or literal replacement
    bool regexReplace = false;         // regex rule, no options
    bool regexMultiLineReplace = false;// regex rule, "." also matches a newline
    bool dotMatch = false;             // for the converters' own appliers
    icu::UnicodeString blockTag;       // for the Textile block pass
    engine::FastPath fastPath;         // how its search may skip (Candidates.h)

    static RuleRecord regex(icu::UnicodeString name, icu::UnicodeString pattern, icu::UnicodeString templateText) {
        return {std::move(name), std::move(pattern), std::move(templateText), true, false, false, {}, {}};
    }
    static RuleRecord multiLine(icu::UnicodeString name, icu::UnicodeString pattern, icu::UnicodeString templateText) {
        return {std::move(name), std::move(pattern), std::move(templateText), false, true, false, {}, {}};
    }
    static RuleRecord literal(icu::UnicodeString name, icu::UnicodeString pattern, icu::UnicodeString templateText) {
        return {std::move(name), std::move(pattern), std::move(templateText), false, false, false, {}, {}};
    }
    // The same rule with `path` as its fast path.
    RuleRecord with(engine::FastPath path) && {
        fastPath = std::move(path);
        return std::move(*this);
    }
};

using RuleTable = std::vector<RuleRecord>;
