// Backslash escapes, hard line breaks and hidden e-mail addresses.
#include "markdown/MarkdownConverter.h"

#include <cstdio>
#include <vector>
#include <unicode/uchar.h>

#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"
#include "engine/TextSearch.h"
#include "markdown/AngleAddresses.h"
#include "markdown/HtmlTagScan.h"
#include "markdown/MarkdownText.h"

namespace {

struct Escape {
    const char16_t* written;
    const char16_t* token;
    const char16_t* restored;
};

// Two backslashes first, so that "\\*" is an escaped backslash and a star.
const Escape kEscapes[] = {
    {u"\\\\", u"<%%01%%>", u"\\"}, {u"\\*", u"<%%02%%>", u"*"}, {u"\\_", u"<%%03%%>", u"_"},
    {u"\\{", u"<%%04%%>", u"{"},   {u"\\}", u"<%%05%%>", u"}"}, {u"\\(", u"<%%06%%>", u"("},
    {u"\\)", u"<%%07%%>", u")"},   {u"\\[", u"<%%08%%>", u"["}, {u"\\]", u"<%%09%%>", u"]"},
    {u"\\>", u"<%%10%%>", u">"},   {u"\\#", u"<%%11%%>", u"#"}, {u"\\.", u"<%%12%%>", u"."},
    {u"\\!", u"<%%13%%>", u"!"},   {u"\\+", u"<%%14%%>", u"+"}, {u"\\-", u"<%%15%%>", u"-"},
    {u"\\`", u"<%%16%%>", u"`"},  {u"\\|", u"<%%17%%>", u"|"},
};

// Raw blocks whose lines keep their own breaks and get no paragraphs.
const std::initializer_list<const char16_t*> kPreOpenings = {u"<pre>", u"<pre "};
const std::initializer_list<const char16_t*> kPreClosings = {u"</pre>"};

// A line that ends in a block-level tag is raw HTML, not a line of text that
// could break.
const char16_t* const kEndsInBlockTag =
    uR"((?i)</?(?:address|article|aside|blockquote|dd|del|details|div|dl|dt|fieldset|figcaption|figure|footer|)"
    uR"(form|h[1-6]|header|hr|iframe|ins|li|math|nav|noscript|ol|p|pre|script|section|summary|table|tbody|td|)"
    uR"(tfoot|th|thead|tr|ul)\b[^<>]*>$)";

// The blanks at the end of a line that ask for a break ("  ", a tab and a
// space, or a tab), or 0.
int32_t breakingBlanksAt(const icu::UnicodeString& line) {
    const int32_t n = line.length();
    if (n >= 2 && line.charAt(n - 1) == u' ' && (line.charAt(n - 2) == u' ' || line.charAt(n - 2) == u'\t'))
        return 2;
    return n >= 1 && line.charAt(n - 1) == u'\t' ? 1 : 0;
}

}  // namespace

// One walk over the text instead of one per escape. Replacing the pairs of
// backslashes first and then each other escape gives the same: no token holds
// a backslash, so a backslash left after the pairs of its run escapes the
// character after it, as the walk finds too. Inside an HTML tag a backslash
// is part of an attribute value and stays as written.
void MarkdownConverter::escapeCharacters() {
    if (str.indexOf(u'\\') < 0)
        return;
    const char16_t* text = str.getBuffer();
    const int32_t length = str.length();
    icu::UnicodeString out = engine::emptyWithRoomFor(str);
    int32_t copiedUpTo = 0;
    for (int32_t at = 0; at + 1 < length;) {
        if (text[at] == u'<') {
            const int32_t tagEnd = markdown::htmlTagEnd(text, length, at);
            at = tagEnd > 0 ? tagEnd : at + 1;
            continue;
        }
        if (text[at] != u'\\') {
            ++at;
            continue;
        }
        const char16_t escaped = text[at + 1];
        const Escape* escape = nullptr;
        for (const Escape& candidate : kEscapes)
            if (candidate.written[1] == escaped)
                escape = &candidate;
        if (!escape) {
            ++at;
            continue;
        }
        out.append(str, copiedUpTo, at - copiedUpTo).append(escape->token);
        at += 2;
        copiedUpTo = at;
    }
    out.append(str, copiedUpTo, length - copiedUpTo);
    str = std::move(out);
}

// One walk over the text instead of one per token. Restoring the tokens one
// kind after the other could only differ where a restored ">" closes a
// written "<%%NN%%" into a token of a later kind (11 to 17); that one is
// restored as well.
void MarkdownConverter::unescapeCharacters() {
    if (str.indexOf(u"<%%") < 0)
        return;
    auto restoredFor = [](const icu::UnicodeString& text, int32_t at) -> const Escape* {
        for (const Escape& escape : kEscapes)
            if (text.compare(at, 8, escape.token) == 0)
                return &escape;
        return nullptr;
    };
    icu::UnicodeString out(str.length(), UChar32(0), 0);
    int32_t copiedUpTo = 0;
    for (int32_t at = str.indexOf(u"<%%"); at >= 0; at = str.indexOf(u"<%%", copiedUpTo)) {
        const Escape* escape = restoredFor(str, at);
        if (!escape) {
            out.append(str, copiedUpTo, at + 1 - copiedUpTo);
            copiedUpTo = at + 1;
            continue;
        }
        out.append(str, copiedUpTo, at - copiedUpTo);
        copiedUpTo = at + 8;
        const int32_t formed = out.length() - 7;
        if (escape == &kEscapes[9] && formed >= 0 && out.compare(formed, 3, u"<%%") == 0) {
            out.append(u'>');
            const Escape* later = restoredFor(out, formed);
            if (later && later > &kEscapes[9]) {
                out.truncate(formed);
                out.append(later->restored);
            }
            continue;
        }
        out.append(escape->restored);
    }
    out.append(str, copiedUpTo, str.length() - copiedUpTo);
    str = std::move(out);
}

// Lines that end in two spaces (or a tab: four spaces were tabbed) break,
// except raw HTML block lines and the lines of a pre block. Only the lines
// that break change, so the text is edited there and copied once.
void MarkdownConverter::nl2br() {
    if (!engine::containsAny(str, {u"  \n", u"\t \n", u"\t\n"}))
        return;
    const icu::UnicodeString lineBreak = engine::formatted(u" <br%@", {HTML_close});
    const char16_t* chars = str.getBuffer();
    const int32_t length = str.length();
    std::vector<engine::RangeEdit> edits;
    bool inPre = false;
    // Every opening and closing of a pre block holds "pre": lines before the
    // next "pre" leave the state as it is.
    int32_t nextPre = str.indexOf(u"pre", 3, 0);
    for (int32_t from = 0; from < length;) {
        const int32_t end = engine::firstOfUnits(chars, from, length, u'\n', u'\n', u'\n');
        const icu::UnicodeString line = str.tempSubStringBetween(from, end);
        const int32_t blanks = end < length ? breakingBlanksAt(line) : 0;
        const bool wasInPre = inPre;
        if (nextPre >= 0 && nextPre < end) {
            if (line.indexOf(u'<') >= 0)
                inPre = engine::regionOpenAfter(line, inPre, kPreOpenings, kPreClosings);
            nextPre = str.indexOf(u"pre", 3, end);
        }
        if (blanks > 0 && !wasInPre && !inPre &&
            !engine::containsMatch(icu::UnicodeString(line, 0, line.length() - blanks), kEndsInBlockTag))
            edits.push_back({end - blanks, end, lineBreak});
        from = end + 1;
    }
    engine::applyRangeEdits(str, std::move(edits));
}

void MarkdownConverter::encodeEmailAddress() {
    // No "<" of an earlier tag or escape token on the line can start an
    // address: its inside holds no "<" or ">".
    const std::vector<engine::TextRange> addresses = markdown::angleBracketedAddresses(str);
    if (addresses.empty())
        return;
    std::vector<engine::RangeEdit> edits;
    for (const engine::TextRange& range : addresses) {
        icu::UnicodeString address(str, range.start + 1, range.end - range.start - 2);
        icu::UnicodeString target = engine::formatted(u"mailto:%@", {address});
        icu::UnicodeString link =
            engine::formatted(u"<a href=\"%@\">%@</a>", {obfuscateEmail(target), obfuscateEmail(address)});
        edits.push_back({range.start, range.end, link});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

// Each character, by its whole code point, becomes a hexadecimal or decimal
// entity or stays itself, at random; "@" is always hidden, ":" never.
icu::UnicodeString MarkdownConverter::obfuscateEmail(const icu::UnicodeString& string) {
    std::uniform_int_distribution<int> percent(1, 99);
    icu::UnicodeString out;
    for (int32_t i = 0; i < string.length();) {
        UChar32 c = string.char32At(i);
        i += U16_LENGTH(c);
        int r = percent(random_);
        if ((r <= 90 && c != u':') || c == u'@') {
            char entity[24];
            std::snprintf(entity, sizeof entity, r <= 44 ? "&#x%02x;" : "&#%u;", static_cast<unsigned>(c));
            out += icu::UnicodeString(entity, -1, icu::UnicodeString::kInvariant);
        } else {
            out.append(c);
        }
    }
    return out;
}
