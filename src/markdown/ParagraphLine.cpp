#include "markdown/ParagraphLine.h"

#include <algorithm>

#include "engine/TextUtilities.h"

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

bool endsAt(const char16_t* chars, int32_t end, const icu::UnicodeString& piece) {
    return end >= piece.length() && sameAt(chars, end - piece.length(), piece);
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

void ParagraphTagScanner::lookAtOpening(const char16_t* chars, int32_t length, int32_t at,
                                        ParagraphLineTags& found) const {
    if (!found.blockTag && (at + 1 >= length || mayFollow(afterOpening_, chars[at + 1])))
        for (const icu::UnicodeString& tag : blockTagsFromOpening_)
            found.blockTag = found.blockTag || startsAt(chars, length, at, tag);
    found.opensItem = found.opensItem || startsAt(chars, length, at, u"<li>");
    found.closesItem = found.closesItem || startsAt(chars, length, at, u"</li>");
    if (startsAt(chars, length, at, u"<pre>") || startsAt(chars, length, at, u"<pre ") ||
        startsAt(chars, length, at, u"<blockquote>"))
        found.lastRawOpening = at;
    if (startsAt(chars, length, at, u"</pre>") || startsAt(chars, length, at, u"</blockquote>"))
        found.lastRawClosing = at;
}

void ParagraphTagScanner::lookAtClosing(const char16_t* chars, int32_t at, ParagraphLineTags& found) const {
    if (found.blockTag || at == 0 || !mayFollow(beforeClosing_, chars[at - 1]))
        return;
    for (const icu::UnicodeString& tag : blockTagsToClosing_)
        found.blockTag = found.blockTag || endsAt(chars, at + 1, tag);
}

// Most characters are letters, above every character the walk looks for.
ParagraphLineTags ParagraphTagScanner::scanLine(const icu::UnicodeString& text, int32_t from) const {
    ParagraphLineTags found;
    const char16_t* chars = text.getBuffer();
    const int32_t length = text.length();
    int32_t at = from;
    for (; at < length; ++at) {
        const char16_t c = chars[at];
        if (c > u'>')
            continue;
        if (c == u'\n')
            break;
        if (c == u'<')
            lookAtOpening(chars, length, at, found);
        else if (c == u'>')
            lookAtClosing(chars, at, found);
    }
    found.end = at;
    return found;
}

}  // namespace markdown
