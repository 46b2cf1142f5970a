#pragma once
// Small text helpers shared by the Markdown passes.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>
#include <unicode/unistr.h>

#include "engine/Regex.h"

namespace markdown {

// "\n", "\r", vertical tab, form feed, U+0085, U+2028, U+2029.
bool isNewlineCharacter(char16_t c);
// The index of the next newline character at or after `from`, or the length.
int32_t lineEnd(const icu::UnicodeString& text, int32_t from);
std::vector<icu::UnicodeString> splitAtNewlineCharacters(const icu::UnicodeString& text);
icu::UnicodeString trimmedOfNewlines(const icu::UnicodeString& text);

// True for an empty text, too.
bool consistsOfDecimalDigits(const icu::UnicodeString& text);

// Digits, a period and a space or tab: an ordered-list marker.
bool startsWithOrderedListMarker(const icu::UnicodeString& line);

// All matches; on a pattern that does not compile, logs `errorFormat` with
// the error and returns none.
std::vector<engine::Match> matchesOf(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                     uint32_t options, const char16_t* errorFormat);

}  // namespace markdown

namespace markdown {

// A replacement template of the form "before$1after", with no other group,
// "$" or backslash in it: what a scanner writes around the text of group 1.
struct AroundGroupOne {
    icu::UnicodeString before;
    icu::UnicodeString after;
};
std::optional<AroundGroupOne> splitAroundGroupOne(const icu::UnicodeString& replacementTemplate);

}  // namespace markdown
