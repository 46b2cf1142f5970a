#pragma once
// Where code spans are, found by walking the text instead of by the span
// rules' regular expressions, which ICU tries from every backtick and which
// scan to the end of the text from an opening that never closes. Each
// function gives exactly the matches of the rule it names, in order.

#include <cstdint>
#include <vector>
#include <unicode/unistr.h>

#include "engine/Regex.h"

namespace markdown {

// The matches of "(?s)[`]{2,}(.*?)[`]{2,}": a run of two or more backticks,
// then the first later place where two backticks follow each other, up to
// the end of that run. A run of four or more that nothing closes is a span
// of its own ("``" opens, the rest closes). Backticks inside an HTML tag
// ("<span title=\"``x``\">") open nothing.
std::vector<engine::TextRange> doubledBacktickSpans(const icu::UnicodeString& text);

// The matches of "(?s)[`]{1,1}((?:(?!\n\n).)*?)[`]{1,1}": a backtick and the
// next one, unless an empty line ("\n\n") lies between them; a backtick
// inside an HTML tag opens nothing.
std::vector<engine::TextRange> singleBacktickSpans(const icu::UnicodeString& text);

// The starts of the matches of "(?<![\\`])\\`": a backslash before a
// backtick, itself after neither a backslash nor a backtick; none inside an
// HTML tag.
std::vector<int32_t> escapedBacktickStarts(const icu::UnicodeString& text);

}  // namespace markdown
