#pragma once
// Reading the start of a regular expression as plain text, so that a search
// can skip to where a match can begin before the regex runs.

#include <vector>
#include <unicode/unistr.h>

namespace engine {

// The texts every match of `pattern` begins with, as far as the start of the
// pattern reads as plain text: literal and escaped characters, a class of
// plain characters ("[Bb]") and a group of plain alternatives ("(sup|sub)"),
// up to the first other construct; a quantified piece counts as often as it
// must stand and ends the reading. A leading "(?m)", "^" and look-behinds
// are passed over, as they take no text. A list holding the
// empty text means that a match may begin anywhere.
std::vector<icu::UnicodeString> literalOpenings(const icu::UnicodeString& pattern);

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
