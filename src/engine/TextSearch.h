#pragma once
// Finding code units and short literals in large UTF-16 texts, faster than
// UnicodeString's own searches and with the same results: the primitives
// under every search of the engine (Candidates.h) and under the converters'
// own walks.

#include <cstdint>
#include <unicode/unistr.h>

namespace engine {

// By the C library's memchr, which compares many bytes at a time: the byte
// searched for is one of a unit of the literal that ordinary text holds
// rarely (punctuation before digits before rare letters), and each byte found
// is checked as a whole unit and then as the whole literal.

// The first position at or after `from` of the unit `c`, or -1; what
// UnicodeString::indexOf(c, from) gives.
int32_t findUnit(const icu::UnicodeString& text, char16_t c, int32_t from = 0);

// The first position at or after `from` where `literal` stands, or -1; what
// UnicodeString::indexOf(literal, from) gives for a literal that is not empty.
int32_t findLiteral(const icu::UnicodeString& text, const icu::UnicodeString& literal, int32_t from = 0);

// Eight units at a time where the processor allows: a walk that stops only
// at "<", ">" and "\n", say, spends its time on the stretches between them.

// The first position in [from, to) whose code unit is `a`, `b` or `c`, or
// `to` when there is none.
int32_t firstOfUnits(const char16_t* chars, int32_t from, int32_t to, char16_t a, char16_t b, char16_t c);

// Case-blind searches for short markup pieces ("<li>", "<table><br />") that
// neither copy nor case-map the searched text.

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

// Replaces every occurrence of `target` by `replacement`, code unit by code
// unit, left to right, without interpreting either.
void replaceAllLiteral(icu::UnicodeString& text, const icu::UnicodeString& target,
                       const icu::UnicodeString& replacement);

// Replaces every occurrence of `lowerPiece` (ASCII letters in either case),
// left to right, by `replacement`.
void replaceAllIgnoringAsciiCase(icu::UnicodeString& text, const icu::UnicodeString& lowerPiece,
                                 const icu::UnicodeString& replacement);

}  // namespace engine
