#pragma once
// Searching for inline constructs such as "[text](address)" on very long
// lines. ICU tries a lazy pattern again from every opening bracket, each
// try scanning to the end of the line, so a long line of brackets that never
// close costs the square of its length.

#include <optional>
#include <vector>
#include <unicode/unistr.h>

#include "engine/Regex.h"

namespace engine {

// The same matches as findAll(text, pattern, options) for a pattern that
// begins with the literal `opening`, has no look-behind, and whose chance to
// match can only shrink along a line: its first part after the opening is a
// lazy or greedy "(.*?)"/"(.*)" up to literals that must follow on the same
// line (whatever comes after those literals depends only on where they
// stand). Every way a later opening on the line could go on is then open to
// an earlier one as well, so once an opening finds no match the rest of its
// line is skipped.
std::optional<std::vector<Match>> findAllFromOpenings(const icu::UnicodeString& text,
                                                      const icu::UnicodeString& pattern,
                                                      const icu::UnicodeString& opening,
                                                      uint32_t options = kNoOptions,
                                                      RegexResult* result = nullptr);

}  // namespace engine
