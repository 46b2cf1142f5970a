// notextile blocks, paragraphs and line breaks: the passes that frame the
// conversion.
#include "textile/TextileConverter.h"

#include <algorithm>
#include <set>
#include <unicode/uchar.h>

#include "engine/TextSearch.h"
#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"

// "notextile." up to the blank line (looked at, not taken, so that it can be
// the blank line in front of the next notextile block), or "notextile.." up
// to the next block signature, blank lines included.
void TextileConverter::saveNotextileBlocks() {
    auto matches = matchesForDotMatchedPattern(u"(?m)^\\nnotextile(?:\\.[ ](.*?)\\n(?=\\n)|\\.\\.[ ](.*?)" +
                                               extendedBlockEndPattern() + u")");
    if (!matches)
        return;
    // The token keeps the block's newlines around it; only the bare
    // "§§N0T3XT1LE-n§§" stands for the text, so a pass that takes a newline
    // next to it (an alias line above) cannot make it unrestorable. The
    // saved text starts behind "notextile." and one space; further spaces stay.
    std::vector<engine::RangeEdit> edits;
    int64_t number = 1;
    for (const engine::Match& match : *matches) {
        const icu::UnicodeString& saved = match.took_part(1) ? match.text(1) : match.text(2);
        icu::UnicodeString token = noTextileDic.set(number++, saved);
        edits.push_back({match.start(), match.end(), u"\n" + token + u"\n"});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

void TextileConverter::returnNoTextileBlocks() {
    noTextileDic.restoreInto(str);
}

namespace {

// Whether a line starts with a tag of block level that the letters below
// do not catch ("<div", "<section", "<script").
bool startsBlockTag(const icu::UnicodeString& t) {
    static const std::set<icu::UnicodeString> blockTags = {
        u"address", u"article", u"aside",  u"details", u"div",     u"fieldset", u"figcaption", u"figure", u"footer",
        u"form",    u"header",  u"hr",     u"main",    u"nav",     u"noscript", u"script",     u"section", u"style",
        u"summary", u"center",  u"iframe", u"video",   u"audio",   u"canvas",   u"object",     u"menu",   u"svg"};
    int32_t at = t.startsWith(u"</") ? 2 : 1;
    int32_t end = at;
    while (end < t.length() && u_isalnum(t[end]))
        ++end;
    if (end == at || (end < t.length() && t[end] != u'>' && t[end] != u'/' && !u_isUWhiteSpace(t[end])))
        return false;
    return blockTags.count(icu::UnicodeString(t, at, end - at).toLower()) > 0;
}

// Whether a line keeps a paragraph from starting: a placeholder, or a tag
// of block level ("<p", "<pre", "<table", "<h1", "<li", "<ol", "<ul", a
// closing tag, "<blockquote", "<dl", "<code", "<div" …).
bool startsBlockLevel(const icu::UnicodeString& t) {
    if (t.startsWith(u"<") && startsBlockTag(t))
        return true;
    static const icu::UnicodeString firstSet(u"<\u00A7");
    static const icu::UnicodeString secondSet(u"ptbhloucd/\u00A7");
    static const icu::UnicodeString escapeSet(u"bdc");
    if (firstSet.indexOf(t.charAt(0)) < 0 || t.length() < 2)
        return false;
    int32_t at = escapeSet.indexOf(t.charAt(1)) >= 0 ? 2 : 1;
    return at < t.length() && secondSet.indexOf(t.charAt(at)) >= 0;
}

// Removes the line break that stands right behind a table tag ("<td>",
// "</tr>"), the tag written in lower case. The tags hold no "i", "k" or "s",
// so comparing ASCII letters in either case finds just what a case-insensitive
// search finds. One walk over the tags, since removing a break behind one tag
// never makes or takes a break behind another.
void dropBreaksAfterTableTags(icu::UnicodeString& text, const icu::UnicodeString& htmlClose) {
    static const icu::UnicodeString tags[] = {u"<table>", u"<td>",     u"<tr>",     u"<th>",     u"<thead>",
                                              u"<tfoot>", u"<tbody>", u"</table>", u"</td>",    u"</tr>",
                                              u"</th>",   u"</thead>", u"</tfoot>", u"</tbody>"};
    const icu::UnicodeString lowerBreak = u"<br" + htmlClose;
    icu::UnicodeString out;
    int32_t copiedUpTo = 0;
    bool changed = false;
    for (int32_t at = engine::findUnit(text, u'<'); at >= 0; at = engine::findUnit(text, u'<', at + 1)) {
        // Most tags have no break behind them: that is looked at first.
        const int32_t tagEnd = text.indexOf(u'>', at + 1, std::min(8, text.length() - at - 1)) + 1;
        if (tagEnd <= 0 || !engine::startsWithIgnoringAsciiCase(text, tagEnd, lowerBreak))
            continue;
        for (const icu::UnicodeString& tag : tags) {
            if (tag.length() != tagEnd - at || !engine::startsWithIgnoringAsciiCase(text, at, tag))
                continue;
            if (!changed)
                out = engine::emptyWithRoomFor(text);
            changed = true;
            out.append(text, copiedUpTo, at - copiedUpTo).append(tag);
            copiedUpTo = at + tag.length() + lowerBreak.length();
            at = copiedUpTo - 1;
            break;
        }
    }
    if (!changed)
        return;
    out.append(text, copiedUpTo, text.length() - copiedUpTo);
    text = std::move(out);
}

}  // namespace

// A paragraph opens at a line after an empty one (or the first), unless a
// line since the empty one starts with a block-level tag, and closes at the
// end of the line before the next empty one. One walk over the lines.
void TextileConverter::performPBlocking() {
    icu::UnicodeString out = engine::emptyWithRoomFor(str);
    bool open = false;
    bool allowed = true;
    for (int32_t from = 0, line = 0; from <= str.length(); ++line) {
        int32_t end = str.indexOf(u'\n', from);
        if (end < 0)
            end = str.length();
        const icu::UnicodeString t = engine::trimmedInPlace(str.tempSubStringBetween(from, end));
        if (t.isEmpty()) {
            allowed = true;
            if (open && line > 0)
                out += u"</p>";
            open = false;
        } else {
            if (startsBlockLevel(t))
                allowed = false;
        }
        if (line > 0)
            out += u'\n';
        if (!t.isEmpty() && !open && allowed) {
            out += u"<p>";
            open = true;
        }
        out.append(str, from, end - from);
        from = end + 1;
    }
    str = std::move(out);
    if (open)
        str += u"</p>";
}

icu::UnicodeString TextileConverter::breakableElementPattern(bool headings) {
    return headings ? u"<h[1-6{1,1}](.*?)</h[1-6{1,1}]>" : u"<p(.*?)</p>";
}

namespace {

bool isHeadingDigit(char16_t c) {
    return (c >= u'1' && c <= u'6') || c == u'{' || c == u',' || c == u'}';
}

// The length of the opening or closing that stands at `at`, or 0.
int32_t pieceAt(const icu::UnicodeString& text, int32_t at, bool headings, bool closing) {
    static const icu::UnicodeString pieces[2][2] = {{u"<p", u"</p>"}, {u"<h", u"</h"}};
    const icu::UnicodeString& literal = pieces[headings][closing];
    if (text.compare(at, literal.length(), literal) != 0)
        return 0;
    if (!headings)
        return literal.length();
    const int32_t digit = at + literal.length();
    if (digit >= text.length() || !isHeadingDigit(text[digit]))
        return 0;
    if (!closing)
        return literal.length() + 1;
    return digit + 1 < text.length() && text[digit + 1] == u'>' ? literal.length() + 2 : 0;
}

}  // namespace

// From an opening to the first closing behind it, as the lazy dot-all
// pattern finds it (a closing begins with "<", which never stands inside a
// "\r\n" that the pattern's dot steps over whole). When an opening finds no
// closing, no later one does.
std::vector<engine::TextRange> TextileConverter::breakableElements(const icu::UnicodeString& text, bool headings) {
    static const icu::UnicodeString opening[] = {u"<p", u"<h"};
    static const icu::UnicodeString closing[] = {u"</p", u"</h"};
    std::vector<engine::TextRange> elements;
    for (int32_t at = engine::findLiteral(text, opening[headings]); at >= 0;) {
        const int32_t openingLength = pieceAt(text, at, headings, false);
        if (openingLength == 0) {
            at = engine::findLiteral(text, opening[headings], at + 1);
            continue;
        }
        int32_t close = engine::findLiteral(text, closing[headings], at + openingLength);
        while (close >= 0 && pieceAt(text, close, headings, true) == 0)
            close = engine::findLiteral(text, closing[headings], close + 1);
        if (close < 0)
            break;
        const int32_t end = close + pieceAt(text, close, headings, true);
        elements.push_back({at, end});
        at = engine::findLiteral(text, opening[headings], end);
    }
    return elements;
}

void TextileConverter::performAddBRs() {
    const icu::UnicodeString lineBreak = engine::formatted(u"<br%@\n", {HTML_close});
    for (const bool headings : {false, true}) {
        std::vector<engine::RangeEdit> edits;
        for (const engine::TextRange& element : breakableElements(str, headings)) {
            icu::UnicodeString text(str, element.start, element.end - element.start);
            if (!headings && icu::UnicodeString(text, 0, 5).toLower().indexOf(u"<pre") >= 0)
                continue;
            if (text.indexOf(u'\n') < 0)
                continue;
            engine::replaceAllLiteral(text, u"\n", lineBreak);
            edits.push_back({element.start, element.end, text});
        }
        engine::applyRangeEdits(str, std::move(edits));
    }

    dropBreaksAfterTableTags(str, HTML_close);
}
