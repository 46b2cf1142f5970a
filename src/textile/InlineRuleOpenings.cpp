// Where a phrase rule ("*strong*", "-deleted-", "??cite??") or an acronym
// can match, so that a long line of phrases that never close costs one try
// per line instead of one scan to the line end per opening.
#include "textile/TextileConverter.h"

#include <unicode/uchar.h>

namespace {

struct PhraseShape {
    icu::UnicodeString delimiter;
    char16_t barredFirst = 0;        // besides white space, what the content cannot begin with
    bool openedByDelimiter = false;  // "??cite??": nothing needs to stand before it
    bool (*endsStretch)(char16_t) = nullptr;
};

bool isTagLetter(char16_t c) {
    return c >= u'a' && c <= u'z';
}

// The start of the phrase's opening before the delimiter at `at`: the white
// space or "(" right before it, or the "<tag>" that ends there; -1 when neither.
int32_t openingBefore(const icu::UnicodeString& text, int32_t at) {
    if (at == 0)
        return -1;
    if (u_isUWhiteSpace(text[at - 1]) || text[at - 1] == u'(')
        return at - 1;
    if (text[at - 1] != u'>')
        return -1;
    int32_t letters = at - 2;
    while (letters >= 0 && isTagLetter(text[letters]))
        --letters;
    return letters >= 0 && letters < at - 2 && text[letters] == u'<' ? letters : -1;
}

// A phrase's content runs on one line (a cite or span may take the line end
// as its last character) from its first character to the first delimiter
// that can close it: once no delimiter on the line closes the content that
// begins at one opening, none closes the content of a later opening, which
// lies within it. Content that cannot begin where it stands fails on its own.
engine::LineOpening nextPhraseOpening(const icu::UnicodeString& text, int32_t from, const PhraseShape& shape) {
    const int32_t length = shape.delimiter.length();
    const int32_t first = shape.openedByDelimiter ? from : from + 1;
    for (int32_t at = text.indexOf(shape.delimiter, first); at >= 0; at = text.indexOf(shape.delimiter, at + 1)) {
        const int32_t start = shape.openedByDelimiter ? at : openingBefore(text, at);
        if (start < from)
            continue;
        const int32_t content = at + length;
        const bool canBegin = content < text.length() && !u_isUWhiteSpace(text[content]) &&
                              text[content] != shape.barredFirst;
        return {start, canBegin ? content : -1, shape.endsStretch};
    }
    return {};
}

bool isCapitalOrDigit(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

bool endsAcronymTitle(char16_t c) {
    return c == u'"' || c == u'<' || c == u'>' || c == u'\n';
}

// "ABC(title)": three capitals or digits or more, then a title up to the
// first ")" before any quote, tag bracket or newline; a title that finds no
// ")" there leaves none to a later "(" before that character either.
engine::LineOpening nextAcronymOpening(const icu::UnicodeString& text, int32_t from) {
    for (int32_t at = text.indexOf(u'(', from); at >= 0; at = text.indexOf(u'(', at + 1)) {
        int32_t start = at;
        while (start > from && isCapitalOrDigit(text[start - 1]))
            --start;
        if (at - start >= 3)
            return {start, at + 1, endsAcronymTitle};
    }
    return {};
}

}  // namespace

engine::NextOpening TextileConverter::phraseOpenings(const icu::UnicodeString& delimiter, char16_t barredFirst,
                                                bool openedByDelimiter, bool (*endsStretch)(char16_t)) {
    const PhraseShape shape{delimiter, barredFirst, openedByDelimiter, endsStretch};
    return [shape](const icu::UnicodeString& text, int32_t from) { return nextPhraseOpening(text, from, shape); };
}

engine::NextOpening TextileConverter::acronymOpenings() {
    return nextAcronymOpening;
}
