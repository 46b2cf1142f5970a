#pragma once
// Finding a code unit or a short literal in a large UTF-16 text by the C
// library's memchr, which compares many bytes at a time: the byte searched
// for is one of a unit of the literal that ordinary text holds rarely
// (punctuation before digits before rare letters), and each byte found is
// checked as a whole unit and then as the whole literal.

#include <cstdint>
#include <unicode/unistr.h>

namespace engine {

// The first position at or after `from` of the unit `c`, or -1; what
// UnicodeString::indexOf(c, from) gives.
int32_t findUnit(const icu::UnicodeString& text, char16_t c, int32_t from = 0);

// The first position at or after `from` where `literal` stands, or -1; what
// UnicodeString::indexOf(literal, from) gives for a literal that is not empty.
int32_t findLiteral(const icu::UnicodeString& text, const icu::UnicodeString& literal, int32_t from = 0);

}  // namespace engine
