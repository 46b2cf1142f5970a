#pragma once
// Emphasis ("*a*", "_a_") and strong emphasis ("**a**", "__a__"), found by
// one walk over runs of markers that pairs closers with the nearest opener
// of the same marker, so spans always nest ("***a***" is strong around
// emphasis, never the two crossed).

#include <unicode/unistr.h>

namespace markdown {

struct EmphasisRules {
    // An underscore between two letters or digits is part of the word
    // ("snake_case_name") and neither opens nor closes.
    bool intrawordUnderscoreLiteral = false;
};

// Replaces the markers that pair up by "<em>"/"</em>" and
// "<strong>"/"</strong>". A run opens when a non-blank follows it and closes
// when a non-blank comes before it; a marker after a backslash (itself not
// escaped) is text; spans stay within their paragraph (no empty line) and
// hold at least one character. Unpaired markers stay as written.
void replaceEmphasis(icu::UnicodeString& text, const EmphasisRules& rules);

}  // namespace markdown
