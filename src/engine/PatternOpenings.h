#pragma once
// Reading the start of a regular expression as plain text, so that a search
// can skip to where a match can begin before the regex runs.

#include <optional>
#include <vector>
#include <unicode/unistr.h>

namespace engine {

// The texts every match of `pattern` begins with, as far as the start of the
// pattern reads as plain text: literal and escaped characters, a class of
// plain characters ("[Bb]", "[1-6]") and a group of plain alternatives
// ("(sup|sub)") or plain pieces ("([1-6])"),
// up to the first other construct; a quantified piece counts as often as it
// must stand and ends the reading. A leading "(?m)", "^" and look-behinds
// are passed over, as they take no text. A list holding the
// empty text means that a match may begin anywhere.
std::vector<icu::UnicodeString> literalOpenings(const icu::UnicodeString& pattern);

// The plain text every match of `pattern` ends with ("[/img]" for
// "\[img\](.*?)\[\/img\]"); empty when the pattern ends otherwise.
icu::UnicodeString endText(const icu::UnicodeString& pattern);

// The run that follows a pattern's opening pieces: "(.*?)", "(.*)", or a
// negated class "([^…]*?)" / "([^…]*)" of plain characters. When the rest of
// the pattern neither refers back to a group nor looks behind or at the start
// of the text, a try that fails at one opening fails at every later opening
// whose own run starts within the failed opening's run: whatever follows the
// later run can follow the earlier, longer one. A search may then skip those
// openings; a long line of openings that never close costs one try.
class OpeningRun {
public:
    // Nothing when the pattern is not of that shape, or when its openings
    // differ in length and one could begin inside another.
    static std::optional<OpeningRun> of(const icu::UnicodeString& pattern, bool dotAll);

    // Where to try next, at the earliest, after a try at `at` failed; `end`
    // ends the searched text.
    int32_t nextTryAfterFailure(const icu::UnicodeString& text, int32_t at, int32_t end) const;

    // Where in [start, end) of `text` the last try can start: a pattern that
    // ends with plain text ("\[\/url\]", or one of "\[\/(mail|email)\]")
    // matches only before that text's last occurrence, whatever the runs in
    // between take; `end` when the pattern ends otherwise. Trying no later
    // keeps a line of openings that never close from costing a backtracking
    // try at each.
    int32_t lastTryIn(const icu::UnicodeString& text, int32_t start, int32_t end) const;

private:
    int32_t shortestOpening_ = 0;
    int32_t longestOpening_ = 0;
    std::vector<icu::UnicodeString> closings_;  // the plain texts a match may end with
    bool stopsAtLineEnds_ = false;              // "." without dot-all
    icu::UnicodeString stops_;                  // what a negated class leaves out
};

// The first position in [from, end) of `text` where one of `openings` (none
// empty) begins whole before `end`, or -1.
int32_t firstOpeningIn(const icu::UnicodeString& text, int32_t from, int32_t end,
                       const std::vector<icu::UnicodeString>& openings);

// The characters that begin openings: a table for the ASCII ones, which are
// all that tag tables use, and a list for the others.
class FirstCharacters {
public:
    void add(char16_t c) {
        if (c < 128)
            ascii_[c] = true;
        else if (others_.indexOf(c) < 0)
            others_.append(c);
    }
    bool contains(char16_t c) const { return c < 128 ? ascii_[c] : others_.indexOf(c) >= 0; }

private:
    bool ascii_[128] = {};
    icu::UnicodeString others_;
};

}  // namespace engine
