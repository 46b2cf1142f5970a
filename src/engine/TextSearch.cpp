#include "engine/TextSearch.h"

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/TextUtilities.h"

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

int32_t firstOfUnits(const char16_t* chars, int32_t from, int32_t to, char16_t a, char16_t b, char16_t c) {
    int32_t at = from;
#if defined(__SSE2__)
    const __m128i wantedA = _mm_set1_epi16(static_cast<short>(a));
    const __m128i wantedB = _mm_set1_epi16(static_cast<short>(b));
    const __m128i wantedC = _mm_set1_epi16(static_cast<short>(c));
    for (; at + 8 <= to; at += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chars + at));
        const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(units, wantedA), _mm_cmpeq_epi16(units, wantedB)),
                                          _mm_cmpeq_epi16(units, wantedC));
        const int mask = _mm_movemask_epi8(hits);
        if (mask != 0)
            return at + __builtin_ctz(static_cast<unsigned>(mask)) / 2;
    }
#endif
    for (; at < to; ++at)
        if (chars[at] == a || chars[at] == b || chars[at] == c)
            return at;
    return to;
}

namespace {

char16_t asciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

}  // namespace

bool startsWithIgnoringAsciiCase(const icu::UnicodeString& text, int32_t at, const icu::UnicodeString& lowerPiece) {
    const int32_t length = lowerPiece.length();
    if (at < 0 || at + length > text.length())
        return false;
    const char16_t* units = text.getBuffer() + at;
    const char16_t* piece = lowerPiece.getBuffer();
    for (int32_t i = 0; i < length; ++i)
        if (asciiLower(units[i]) != piece[i])
            return false;
    return true;
}

int32_t indexOfIgnoringAsciiCase(const icu::UnicodeString& text, const icu::UnicodeString& lowerPiece, int32_t from) {
    const int32_t length = lowerPiece.length();
    if (length == 0)
        return from <= text.length() ? from : -1;
    const char16_t* units = text.getBuffer();
    const char16_t* piece = lowerPiece.getBuffer();
    const char16_t first = piece[0];
    const char16_t firstUpper = first >= u'a' && first <= u'z' ? static_cast<char16_t>(first - (u'a' - u'A')) : first;
    const bool firstIsLetter = first != firstUpper;
    for (int32_t i = from < 0 ? 0 : from; i + length <= text.length(); ++i) {
        if (!firstIsLetter) {
            // A tag's "<": memchr is the fastest way there.
            i = findUnit(text, first, i);
            if (i < 0 || i + length > text.length())
                return -1;
        } else if (units[i] != first && units[i] != firstUpper) {
            continue;
        }
        int32_t j = 1;
        while (j < length && asciiLower(units[i + j]) == piece[j])
            ++j;
        if (j == length)
            return i;
    }
    return -1;
}

bool containsIgnoringAsciiCase(const icu::UnicodeString& text, const icu::UnicodeString& lowerPiece) {
    return indexOfIgnoringAsciiCase(text, lowerPiece) >= 0;
}

namespace {

// Replaces, left to right, each piece of `length` units that `next(from)`
// finds (-1: none left) by `replacement`.
template <typename Next>
void replaceFound(icu::UnicodeString& text, int32_t length, const icu::UnicodeString& replacement, Next next) {
    int32_t at = next(0);
    if (at < 0)
        return;
    icu::UnicodeString out = emptyWithRoomFor(text);
    int32_t copiedUpTo = 0;
    while (at >= 0) {
        out.append(text, copiedUpTo, at - copiedUpTo).append(replacement);
        copiedUpTo = at + length;
        at = next(copiedUpTo);
    }
    out.append(text, copiedUpTo, text.length() - copiedUpTo);
    text = std::move(out);
}

}  // namespace

void replaceAllLiteral(icu::UnicodeString& text, const icu::UnicodeString& target,
                       const icu::UnicodeString& replacement) {
    if (!target.isEmpty())
        replaceFound(text, target.length(), replacement, [&](int32_t from) { return findLiteral(text, target, from); });
}

void replaceAllIgnoringAsciiCase(icu::UnicodeString& text, const icu::UnicodeString& lowerPiece,
                                 const icu::UnicodeString& replacement) {
    if (!lowerPiece.isEmpty())
        replaceFound(text, lowerPiece.length(), replacement,
                     [&](int32_t from) { return indexOfIgnoringAsciiCase(text, lowerPiece, from); });
}

}  // namespace engine
