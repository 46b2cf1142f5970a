#include "engine/AsciiCaseSearch.h"

#include "engine/TextUtilities.h"

namespace engine {
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
            // A tag's "<": the library's character search is the fastest way there.
            i = text.indexOf(first, i);
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

void replaceAllIgnoringAsciiCase(icu::UnicodeString& text, const icu::UnicodeString& lowerPiece,
                                 const icu::UnicodeString& replacement) {
    if (lowerPiece.isEmpty())
        return;
    int32_t at = indexOfIgnoringAsciiCase(text, lowerPiece);
    if (at < 0)
        return;
    icu::UnicodeString out = emptyWithRoomFor(text);
    int32_t copiedUpTo = 0;
    while (at >= 0) {
        out.append(text, copiedUpTo, at - copiedUpTo).append(replacement);
        copiedUpTo = at + lowerPiece.length();
        at = indexOfIgnoringAsciiCase(text, lowerPiece, copiedUpTo);
    }
    out.append(text, copiedUpTo, text.length() - copiedUpTo);
    text = std::move(out);
}

}  // namespace engine
