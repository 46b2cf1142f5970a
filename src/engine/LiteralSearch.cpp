#include "engine/LiteralSearch.h"

#include <cstring>

namespace engine {
namespace {

// How often a unit is to be expected in running text: lower is rarer.
int commonness(char16_t c) {
    static const char kLettersRareFirst[] = "zqxjkvbpygfwmucldrhsnioateZQXJKVBPYGFWMUCLDRHSNIOATE";
    if (c >= 0x80)
        return 1;
    if (c >= u'0' && c <= u'9')
        return 2;
    if (const char* letter = std::strchr(kLettersRareFirst, static_cast<char>(c)); letter && c != 0)
        return 3 + static_cast<int>((letter - kLettersRareFirst) % 26);
    return c == u' ' || c == u'\n' ? 40 : 0;
}

// The first position at or after `from` (and before `length`) of `c` in
// `units`, by memchr over the byte of `c` that lies first in memory.
int32_t unitFrom(const char16_t* units, int32_t length, char16_t c, int32_t from) {
    unsigned char firstByte;
    std::memcpy(&firstByte, &c, 1);
    const auto* bytes = reinterpret_cast<const unsigned char*>(units);
    const size_t end = static_cast<size_t>(length) * 2;
    for (size_t at = static_cast<size_t>(from) * 2; at < end;) {
        const void* hit = std::memchr(bytes + at, firstByte, end - at);
        if (!hit)
            return -1;
        const size_t offset = static_cast<const unsigned char*>(hit) - bytes;
        if (offset % 2 == 0 && units[offset / 2] == c)
            return static_cast<int32_t>(offset / 2);
        at = offset + 1;
    }
    return -1;
}

}  // namespace

int32_t findUnit(const icu::UnicodeString& text, char16_t c, int32_t from) {
    if (from < 0)
        from = 0;
    if (from >= text.length())
        return -1;
    return unitFrom(text.getBuffer(), text.length(), c, from);
}

int32_t findLiteral(const icu::UnicodeString& text, const icu::UnicodeString& literal, int32_t from) {
    const int32_t literalLength = literal.length();
    // An empty literal, and one that must not split a surrogate pair, as
    // ICU finds them.
    if (literalLength == 0 || U16_IS_TRAIL(literal.charAt(0)) || U16_IS_LEAD(literal.charAt(literalLength - 1)))
        return text.indexOf(literal, from);
    if (from < 0)
        from = 0;
    const int32_t length = text.length();
    if (from > length - literalLength)
        return -1;
    const char16_t* needle = literal.getBuffer();
    int32_t key = 0;  // the unit of the literal searched for
    for (int32_t i = 1; i < literalLength; ++i)
        if (commonness(needle[i]) < commonness(needle[key]))
            key = i;
    const char16_t* units = text.getBuffer();
    const int32_t lastStart = length - literalLength;
    for (int32_t at = unitFrom(units, length, needle[key], from + key); at >= 0;
         at = unitFrom(units, length, needle[key], at + 1)) {
        const int32_t start = at - key;
        if (start > lastStart)
            return -1;
        if (std::memcmp(units + start, needle, static_cast<size_t>(literalLength) * 2) == 0)
            return start;
    }
    return -1;
}

}  // namespace engine
