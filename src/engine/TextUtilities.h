#pragma once
// Small string helpers that every converter needs.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>
#include <unicode/unistr.h>

namespace engine {

// Splits at every occurrence of the separator; n separators give n + 1
// pieces, empty ones included (the usual component split).
std::vector<icu::UnicodeString> split(const icu::UnicodeString& text, const icu::UnicodeString& separator);

icu::UnicodeString join(const std::vector<icu::UnicodeString>& pieces, const icu::UnicodeString& separator);

// True when the text holds nothing but white space and line ends.
bool isBlank(const icu::UnicodeString& text);

// Trims white space and line ends at both ends.
icu::UnicodeString trimmed(const icu::UnicodeString& text);
// Trims the code units for which `isTrimmed` holds at both ends.
icu::UnicodeString trimmedWhere(const icu::UnicodeString& text, bool (*isTrimmed)(char16_t));
// Trims spaces and tabs only.
icu::UnicodeString trimmedOfSpacesAndTabs(const icu::UnicodeString& text);

// Fills each "%@" of the format, in order, with the next argument; missing
// arguments leave their "%@" as written.
icu::UnicodeString formatted(const icu::UnicodeString& format, std::initializer_list<icu::UnicodeString> arguments);

// True when the text holds any of the pieces (case-sensitive).
bool containsAny(const icu::UnicodeString& text, std::initializer_list<const char16_t*> pieces);
// True when the text, lower-cased, holds the (lower-case) piece.
bool containsIgnoringCase(const icu::UnicodeString& text, const icu::UnicodeString& lowerPiece);

// An empty string with room for a rewritten copy of `text`, so that building
// the copy piece by piece does not reallocate as it grows.
icu::UnicodeString emptyWithRoomFor(const icu::UnicodeString& text);
// An empty string with room for `length` code units (as many as a string can
// hold, if more), for a result whose final length is known.
icu::UnicodeString emptyWithRoomForLength(int64_t length);

icu::UnicodeString fromUtf8(std::string_view utf8);
std::string toUtf8(const icu::UnicodeString& text);

}  // namespace engine
