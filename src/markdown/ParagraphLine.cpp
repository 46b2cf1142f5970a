#include "markdown/ParagraphLine.h"

#include <algorithm>

#include "engine/TextUtilities.h"
#include "engine/TextSearch.h"

namespace markdown {
namespace {

bool startsAt(const char16_t* chars, int32_t length, int32_t at, const char16_t* piece) {
    for (int32_t i = 0; piece[i] != 0; ++i)
        if (at + i >= length || chars[at + i] != piece[i])
            return false;
    return true;
}

bool sameAt(const char16_t* chars, int32_t at, const icu::UnicodeString& piece) {
    return std::equal(piece.getBuffer(), piece.getBuffer() + piece.length(), chars + at);
}

bool startsAt(const char16_t* chars, int32_t length, int32_t at, const icu::UnicodeString& piece) {
    return at + piece.length() <= length && sameAt(chars, at, piece);
}

// A tag's name and ">" ending at `end`, right after its "<" or "</" (so
// "</sup>" holds no "p>").
bool tagEndsAt(const char16_t* chars, int32_t end, const icu::UnicodeString& piece) {
    const int32_t start = end - piece.length();
    return start >= 1 && (chars[start - 1] == u'<' || chars[start - 1] == u'/') && sameAt(chars, start, piece);
}

// Whether a tag can hold `c` at the place the set stands for.
bool mayFollow(const std::bitset<128>& characters, char16_t c) {
    return c >= 128 || characters.test(c);
}

}  // namespace

ParagraphTagScanner::ParagraphTagScanner(const icu::UnicodeString& voidTagClose) {
    const icu::UnicodeString blockTags[] = {
        u"p>",  u"blockquote>", u"pre>", engine::formatted(u"<hr%@", {voidTagClose}),
        u"<h1", u"<h2",         u"<h3",  u"<h4",
        u"<h5", u"<h6",         u"ul>",  u"ol>",
        u"li>", u"table>",      u"tr>",  u"td>",
        u"th>",
    };
    for (const icu::UnicodeString& tag : blockTags) {
        if (tag.startsWith(u"<"))
            blockTagsFromOpening_.push_back(tag);
        else
            blockTagsToClosing_.push_back(tag);
    }
    for (const icu::UnicodeString& tag : blockTagsFromOpening_)
        if (tag.length() > 1 && tag.charAt(1) < 128)
            afterOpening_.set(tag.charAt(1));
    for (const icu::UnicodeString& tag : blockTagsToClosing_)
        if (tag.length() > 1 && tag.charAt(tag.length() - 2) < 128)
            beforeClosing_.set(tag.charAt(tag.length() - 2));
}

// The item and raw-block tags differ in the character after "<".
void ParagraphTagScanner::lookAtOpening(const char16_t* chars, int32_t length, int32_t lineStart, int32_t at,
                                        ParagraphLineTags& found) const {
    if (at + 1 >= length)
        return;
    const char16_t next = chars[at + 1];
    if (!found.blockTag && mayFollow(afterOpening_, next))
        for (const icu::UnicodeString& tag : blockTagsFromOpening_)
            found.blockTag = found.blockTag || startsAt(chars, length, at, tag);
    switch (next) {
    case u'l':
        found.opensItem = found.opensItem || startsAt(chars, length, at, u"<li>");
        break;
    case u'p':
    case u'b':
        if (startsAt(chars, length, at, u"<pre>") || startsAt(chars, length, at, u"<pre ") ||
            startsAt(chars, length, at, u"<blockquote>"))
            found.lastRawOpening = at;
        break;
    case u'd':
        if (at == lineStart && (startsAt(chars, length, at, u"<div>") || startsAt(chars, length, at, u"<div ")))
            found.lastRawOpening = at;
        break;
    case u'/':
        found.closesItem = found.closesItem || startsAt(chars, length, at, u"</li>");
        if (startsAt(chars, length, at, u"</pre>") || startsAt(chars, length, at, u"</blockquote>") ||
            startsAt(chars, length, at, u"</div>"))
            found.lastRawClosing = at;
        break;
    default:
        break;
    }
}

void ParagraphTagScanner::lookAtClosing(const char16_t* chars, int32_t at, ParagraphLineTags& found) const {
    if (found.blockTag || at == 0 || !mayFollow(beforeClosing_, chars[at - 1]))
        return;
    for (const icu::UnicodeString& tag : blockTagsToClosing_)
        found.blockTag = found.blockTag || tagEndsAt(chars, at + 1, tag);
}

// The walk stops only at the characters it looks for.
ParagraphLineTags ParagraphTagScanner::scanLine(const icu::UnicodeString& text, int32_t from) const {
    ParagraphLineTags found;
    const char16_t* chars = text.getBuffer();
    const int32_t length = text.length();
    int32_t at = from;
    for (;; ++at) {
        at = engine::firstOfUnits(chars, at, length, u'\n', u'<', u'>');
        if (at >= length || chars[at] == u'\n')
            break;
        if (chars[at] == u'<')
            lookAtOpening(chars, length, from, at, found);
        else
            lookAtClosing(chars, at, found);
    }
    found.end = at;
    return found;
}

}  // namespace markdown
