#pragma once
// Searching only where a match can start. ICU tries a pattern at every
// position of the text when it cannot tell where matches begin (a pattern
// that starts with "^(.+?)" or a counted set, say), and each try may scan on
// to the end of a line or of the text. When the caller knows every position
// at which a match can start (the line before each "\n=" for a heading
// underline, say), trying the pattern at just those positions gives the very
// same matches at a fraction of the cost.

#include <cstdint>
#include <optional>
#include <vector>
#include <unicode/unistr.h>

#include "engine/Regex.h"

namespace engine {

// Where a search needs to look: every position at which a match can start
// (ascending; repeats are harmless), and the end of the text that any match
// lies within (no match ends after `limit`; -1: the end of the text).
struct SearchPlan {
    std::vector<int32_t> starts;
    int32_t limit = -1;
};

// The same matches as findAll(text, pattern, options) for a pattern that
// never matches the empty string, when `plan` holds every position where a
// match can start and no match ends after its limit. Look-arounds and
// anchors still see the whole text.
std::optional<std::vector<Match>> findAllPlanned(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                                 const SearchPlan& plan, uint32_t options = kNoOptions,
                                                 RegexResult* result = nullptr);

// The same result as replaceAll(text, pattern, template, options) under the
// same conditions.
RegexResult replaceAllPlanned(icu::UnicodeString& text, const icu::UnicodeString& pattern,
                              const icu::UnicodeString& replacementTemplate, const SearchPlan& plan,
                              uint32_t options = kNoOptions);

// The start of every occurrence of `literal`, overlapping ones included.
std::vector<int32_t> occurrencesOf(const icu::UnicodeString& text, const icu::UnicodeString& literal);

// The start of the line that holds `position`, lines ending as they end for
// ICU's "." and multi-line "^": after the last line-end character before it.
int32_t lineStartAt(const icu::UnicodeString& text, int32_t position);

// The end of the last occurrence of `literal` (-1 when there is none): no
// match that ends with the literal ends later.
int32_t endOfLastOccurrence(const icu::UnicodeString& text, const icu::UnicodeString& literal);

// For a pattern "L(.*?)L" (dot-all or not) around a literal L: matches start
// at an L and end with one, so none ends after the last L.
SearchPlan pairedLiteralPlan(const icu::UnicodeString& text, const icu::UnicodeString& literal);

// For a pattern "^(.+?)…\n<mark>…" whose first line may hold no line end:
// matches start on the line that ends just before each occurrence of
// `lineEndThenMark` ("\n=" for a heading underline).
SearchPlan linesEndingBefore(const icu::UnicodeString& text, const icu::UnicodeString& lineEndThenMark);

// For a pattern "(?m)^[ ]{0,n}<literal>…": matches start at the start of a
// line whose literal comes after at most `leadingSpaces` spaces.
SearchPlan linesStartingWith(const icu::UnicodeString& text, const icu::UnicodeString& literal,
                             int32_t leadingSpaces = 0);

// The same for a pattern whose lines may start with any of `literals`: the
// starts of all of them, in order.
SearchPlan linesStartingWithAny(const icu::UnicodeString& text, const std::vector<icu::UnicodeString>& literals);

}  // namespace engine
