#pragma once
// Case-blind searches for short markup pieces ("<li>", "<table><br />") that
// neither copy nor case-map the searched text.

#include <unicode/unistr.h>

namespace engine {

// True when `text` holds `lowerPiece` with its ASCII letters in either case.
// For a piece of ASCII characters without "i", "k" and "s" this is exactly
// what lower-casing the text (or ICU's case-insensitive matching) finds: no
// other character maps to an ASCII letter but "İ" (to "i" and a combining
// dot), the Kelvin sign (to "k") and the long s (to "s").
bool containsIgnoringAsciiCase(const icu::UnicodeString& text, const icu::UnicodeString& lowerPiece);

// True when `lowerPiece` stands at `at`, ASCII letters in either case.
bool startsWithIgnoringAsciiCase(const icu::UnicodeString& text, int32_t at, const icu::UnicodeString& lowerPiece);

// The first position at or after `from` where `lowerPiece` stands, ASCII
// letters in either case; -1 when there is none.
int32_t indexOfIgnoringAsciiCase(const icu::UnicodeString& text, const icu::UnicodeString& lowerPiece,
                                 int32_t from = 0);

// Replaces every occurrence of `lowerPiece` (ASCII letters in either case),
// left to right, by `replacement`.
void replaceAllIgnoringAsciiCase(icu::UnicodeString& text, const icu::UnicodeString& lowerPiece,
                                 const icu::UnicodeString& replacement);

}  // namespace engine
