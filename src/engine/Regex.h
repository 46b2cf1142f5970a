#pragma once
// ICU regular expressions as the converters use them: every pattern is
// compiled once per (pattern, options) and thread; every match runs under a
// time limit so that a pattern that backtracks without end cannot hang a
// conversion (such a rule changes nothing, and the time-out is logged). A
// search also gives up when the conversion's budget runs out (see
// ConversionBudget): that stops the whole conversion.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <unicode/regex.h>
#include <unicode/unistr.h>

#include "engine/TextSearch.h"

namespace engine {

// Compile options, as ICU flags.
constexpr uint32_t kNoOptions = 0;
constexpr uint32_t kDotMatchesLineSeparators = UREGEX_DOTALL;
constexpr uint32_t kCaseInsensitive = UREGEX_CASE_INSENSITIVE;

enum class RegexStatus { ok, invalidPattern, timedOut };

// The outcome of one operation; `error` describes an invalid pattern.
struct RegexResult {
    RegexStatus status = RegexStatus::ok;
    icu::UnicodeString error;
    bool ok() const { return status == RegexStatus::ok; }
};

// One match, with the range and the text of the whole match (group 0) and of
// every capture group. The texts are copies: later edits of the searched
// string do not change them. A group that took no part has start -1 and an
// empty text.
struct Match {
    std::vector<int32_t> starts;
    std::vector<int32_t> ends;
    std::vector<icu::UnicodeString> texts;

    int32_t start(int group = 0) const { return starts.at(group); }
    int32_t end(int group = 0) const { return ends.at(group); }
    const icu::UnicodeString& text(int group = 0) const { return texts.at(group); }
    bool took_part(int group) const { return group < groupCount() + 1 && starts[group] >= 0; }
    int groupCount() const { return static_cast<int>(texts.size()) - 1; }
};

// This thread's compiled pattern, or null with `error` filled when the
// pattern does not compile.
const icu::RegexPattern* compiledPattern(const icu::UnicodeString& pattern, uint32_t options,
                                         icu::UnicodeString* error = nullptr);

// A matcher over `text` with the search time limit set.
std::unique_ptr<icu::RegexMatcher> timedMatcher(const icu::RegexPattern& pattern, const icu::UnicodeString& text);

// A failed search ends it; anything but "no more matches" is a runaway (time
// limit or backtracking stack): `result` says so, the line is logged, and the
// answer is true.
bool searchFailed(UErrorCode status, const icu::UnicodeString& pattern, RegexResult& result);

// The current match of `matcher` over `text`, groups included.
Match matchFrom(const icu::RegexMatcher& matcher, const icu::UnicodeString& text);

// Replaces every non-overlapping match, left to right, by the template
// evaluated against that match ($0-$9 and longer group numbers, "\" makes the
// next character literal). On any failure the text is left unchanged.
RegexResult replaceAll(icu::UnicodeString& text, const icu::UnicodeString& pattern,
                       const icu::UnicodeString& replacementTemplate, uint32_t options = kNoOptions);

// A range of a text, [start, end) in code units.
struct TextRange {
    int32_t start = 0;
    int32_t end = 0;
};

// As replaceAll, but a match that starts inside one of `keptRanges` (sorted,
// not overlapping) stays as it is: text that must not be rewritten, such as
// the inside of a tag.
RegexResult replaceAllOutside(icu::UnicodeString& text, const icu::UnicodeString& pattern,
                              const icu::UnicodeString& replacementTemplate, const std::vector<TextRange>& keptRanges,
                              uint32_t options = kNoOptions);

// All matches in text order (nullopt on failure; `result` says why).
std::optional<std::vector<Match>> findAll(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                                          uint32_t options = kNoOptions, RegexResult* result = nullptr);

// The first match at or after `from`, if any.
std::optional<Match> findFirst(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                               uint32_t options = kNoOptions, int32_t from = 0);

// True when the pattern matches somewhere in the text.
bool containsMatch(const icu::UnicodeString& text, const icu::UnicodeString& pattern,
                   uint32_t options = kNoOptions);


// Escapes every pattern metacharacter so the text matches itself.
icu::UnicodeString escapedPattern(const icu::UnicodeString& literal);

}  // namespace engine
