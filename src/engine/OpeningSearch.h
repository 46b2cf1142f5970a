#pragma once
// Searching for inline constructs such as "[text](address)" on very long
// lines. ICU tries a lazy pattern again from every opening bracket, each
// try scanning to the end of the line, so a long line of brackets that never
// close costs the square of its length.

#include <functional>
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

// Where a match may begin, as a NextOpening finds it: `start` (-1 when no
// opening is left) and `run`, where the part begins that a later opening on
// the same line could only do worse at (-1: a failure at this opening says
// nothing about later ones).
struct LineOpening {
    int32_t start = -1;
    int32_t run = -1;
    // What ends the stretch within which a failed run rules out later ones;
    // null: a line end, as ICU's "." knows it.
    bool (*endsStretch)(char16_t) = nullptr;
};
// The first opening at or after `from`.
using NextOpening = std::function<LineOpening(const icu::UnicodeString& text, int32_t from)>;

// Steps a matcher from match to match as findAllFailingOncePerLine finds
// them; the matcher and `next` must outlive it.
class OncePerLineSteps {
public:
    OncePerLineSteps(icu::RegexMatcher& matcher, const icu::UnicodeString& text, const NextOpening& next);
    // Leaves the matcher on the next match; false when none is left or the
    // search failed (`status` says which).
    bool find(UErrorCode& status);

private:
    icu::RegexMatcher& matcher_;
    const icu::UnicodeString& text_;
    const NextOpening& next_;
    int32_t from_ = 0;
};

// The same matches as findAll(text, pattern, options) for a pattern without
// look-behind whose every match begins where `next` finds an opening, when
// an attempt that fails at an opening with a run means that every later
// opening whose run lies on the same line fails too, and no opening before
// that line's end has its run on a later line. Then the search goes on at
// the line end once an opening with a run has failed.
std::optional<std::vector<Match>> findAllFailingOncePerLine(const icu::UnicodeString& text,
                                                            const icu::UnicodeString& pattern,
                                                            const NextOpening& next, uint32_t options = kNoOptions,
                                                            RegexResult* result = nullptr);

}  // namespace engine
