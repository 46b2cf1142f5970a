#pragma once
// Placeholder tokens: pieces of text cut out of the working text and put back
// after the rules have run, so that the rules cannot rewrite them.

#include <cstdint>
#include <map>
#include <optional>
#include <vector>
#include <unicode/unistr.h>

namespace engine {

// Finds the first occurrence of `target`, searching from the start, replaces
// exactly that occurrence and returns true; returns false and changes nothing
// when there is none.
bool replaceFirstOccurencyOfString(icu::UnicodeString& text, const icu::UnicodeString& target,
                                   const icu::UnicodeString& withString);

// A numbered family of tokens, prefix + number + suffix, each standing for a
// saved text. The suffix keeps a shorter token from being a prefix of a longer
// one ("…(1)%%" against "…(12)%%").
class PlaceholderTable {
public:
    PlaceholderTable(icu::UnicodeString prefix, icu::UnicodeString suffix);

    icu::UnicodeString tokenFor(int64_t number) const;

    // Stores `saved` under the token of `number` and returns the token.
    icu::UnicodeString set(int64_t number, const icu::UnicodeString& saved);
    // Stores `saved` under the next free number and returns the token.
    icu::UnicodeString add(const icu::UnicodeString& saved);

    std::optional<icu::UnicodeString> savedText(int64_t number) const;
    std::optional<icu::UnicodeString> savedTextForToken(const icu::UnicodeString& token) const;
    bool isEmpty() const { return saved_.empty(); }
    size_t size() const { return saved_.size(); }
    const std::map<int64_t, icu::UnicodeString>& entries() const { return saved_; }

    // Puts the saved text back in place of every occurrence of every token of
    // this table, also where a rule copied a token into two places, and again
    // inside restored texts that themselves hold tokens (nested saves). One
    // scan per nesting level, so the cost grows with the text, not with the
    // number of tokens. Tokens of numbers this table does not hold stay.
    void restoreInto(icu::UnicodeString& text) const;

private:
    // A span of the text, [start, end).
    struct Span {
        int32_t start;
        int32_t end;
    };

    // The end of the token of a held number that starts at `at`, or -1;
    // `saved` then points at its text.
    int32_t tokenEndAt(const char16_t* text, int32_t length, int32_t at, const icu::UnicodeString** saved) const;
    // One left-to-right pass that looks for token starts only inside
    // `candidates` (ascending, disjoint); true when anything was replaced.
    // `restored` receives where the restored texts stand in the new text.
    // No text is restored past `longest` units.
    bool restoreOnce(icu::UnicodeString& text, const std::vector<Span>& candidates, std::vector<Span>& restored,
                     int64_t longest) const;

    icu::UnicodeString prefix_;
    icu::UnicodeString suffix_;
    std::map<int64_t, icu::UnicodeString> saved_;
    int64_t savedLength_ = 0;  // of all saved texts
};

}  // namespace engine
