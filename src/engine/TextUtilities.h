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

// The characters ICU's "." does not match without the dot-all option.
inline bool endsLineForDot(char16_t c) {
    return (c >= 0x000A && c <= 0x000D) || c == 0x0085 || c == 0x2028 || c == 0x2029;
}

// A number in decimal digits.
icu::UnicodeString number(int64_t n);

// True when the text holds nothing but white space and line ends.
bool isBlank(const icu::UnicodeString& text);

// Trims white space and line ends at both ends.
icu::UnicodeString trimmed(const icu::UnicodeString& text);
// What trimmed() keeps, as a read-only alias of the text's buffer instead of
// a copy: valid while the text lives unchanged.
icu::UnicodeString trimmedInPlace(const icu::UnicodeString& text);
// Trims the code units for which `isTrimmed` holds at both ends.
icu::UnicodeString trimmedWhere(const icu::UnicodeString& text, bool (*isTrimmed)(char16_t));
// Trims spaces and tabs only.
icu::UnicodeString trimmedOfSpacesAndTabs(const icu::UnicodeString& text);

// Fills each "%@" of the format, in order, with the next argument; missing
// arguments leave their "%@" as written. A stop point of the conversion's
// budget (see ConversionBudget).
icu::UnicodeString formatted(const icu::UnicodeString& format, std::initializer_list<icu::UnicodeString> arguments);

// True when the text holds any of the pieces (case-sensitive).
bool containsAny(const icu::UnicodeString& text, std::initializer_list<const char16_t*> pieces);
// True when the text, lower-cased, holds the (lower-case) piece.
bool containsIgnoringCase(const icu::UnicodeString& text, const icu::UnicodeString& lowerPiece);

// The text with "<" and ">" written as character references, so that it
// shows as written and opens no tag; "&" stays, so that references the
// author wrote still show as their characters.
icu::UnicodeString escapedTagCharacters(const icu::UnicodeString& text);
// The text with "&", "<" and ">" written as character references: code shown
// exactly as written.
icu::UnicodeString escapedHTML(const icu::UnicodeString& text);
// A value fit to stand between the double quotes of an attribute: '"', "<"
// and ">" as references, and "&" unless it already starts one ("&amp;").
icu::UnicodeString escapedAttributeValue(const icu::UnicodeString& text);

// Whether a region such as "<pre>" … "</pre>" is open after `line`, given
// whether it was open before: the later of the line's last opening and last
// closing decides; a line with neither leaves it as it was.
bool regionOpenAfter(const icu::UnicodeString& line, bool openBefore, std::initializer_list<const char16_t*> openings,
                     std::initializer_list<const char16_t*> closings);

// An empty string with room for a rewritten copy of `text`, so that building
// the copy piece by piece does not reallocate as it grows.
icu::UnicodeString emptyWithRoomFor(const icu::UnicodeString& text);
// An empty string with room for `length` code units (as many as a string can
// hold, if more), for a result whose final length is known.
icu::UnicodeString emptyWithRoomForLength(int64_t length);

icu::UnicodeString fromUtf8(std::string_view utf8);
std::string toUtf8(const icu::UnicodeString& text);

}  // namespace engine
