#pragma once
// Where a definition list's term and first definition match, found by a walk
// instead of the rule's pattern, which ICU steps one character at a time.

#include <cstdint>
#include <unicode/unistr.h>

namespace markdown {

// The end of the match of
//   (?m)^(.*?)[\n]{1,2}:[ \t]{1,}(.*?)$
// tried at `at`, or -1. The term runs to its line's end, which must be a
// "\n" followed by ":" (or by an empty line and ":") and a blank; the
// definition runs to the next line end.
int32_t definitionTermEnd(const icu::UnicodeString& text, int32_t at);

}  // namespace markdown
