#include "markdown/BlockScan.h"

#include <unicode/utf16.h>
#include <unicode/ustring.h>

#include "engine/TextUtilities.h"
#include "markdown/MarkdownText.h"

namespace markdown {
namespace {

// One walk over a text's code units.
struct Text {
    explicit Text(const icu::UnicodeString& string) : at(string.getBuffer()), length(string.length()) {}

    bool is(int32_t position, char16_t c) const { return position < length && at[position] == c; }

    int32_t next(char16_t c, int32_t from) const {
        if (from >= length)
            return -1;
        const char16_t* found = u_memchr(at + from, c, length - from);
        return found ? static_cast<int32_t>(found - at) : -1;
    }

    int32_t skip(char16_t c, int32_t from) const {
        while (is(from, c))
            ++from;
        return from;
    }

    // After "^" in multi-line mode: the start of the text, or after a line
    // end character when something follows.
    bool isLineStart(int32_t position) const {
        return position == 0 || (position < length && isNewlineCharacter(at[position - 1]));
    }

    // ".+\n" from `from`: after the "\n" that ends a line of at least one
    // character, or -1 when the line is empty or ends otherwise.
    int32_t afterLineOfSomething(int32_t from) const {
        int32_t end = from;
        while (end < length && !isNewlineCharacter(at[end]))
            ++end;
        return end > from && is(end, u'\n') ? end + 1 : -1;
    }

    // "(.\n)*" from `from`, greedy: after the last line of one character
    // (one code point, so a surrogate pair counts as one).
    int32_t afterOneCharacterLines(int32_t from) const {
        while (from < length && !isNewlineCharacter(at[from])) {
            const bool pair = U16_IS_LEAD(at[from]) && from + 1 < length && U16_IS_TRAIL(at[from + 1]);
            const int32_t lineEnd = from + (pair ? 2 : 1);
            if (!is(lineEnd, u'\n'))
                break;
            from = lineEnd + 1;
        }
        return from;
    }

    // "(?!</blockquote>$)" fails here.
    bool closesQuote(int32_t position) const {
        static const char16_t kClosing[] = u"</blockquote>";
        constexpr int32_t kLength = sizeof(kClosing) / sizeof(char16_t) - 1;
        if (length - position < kLength || u_memcmp(at + position, kClosing, kLength) != 0)
            return false;
        return position + kLength == length || isNewlineCharacter(at[position + kLength]);
    }

    const char16_t* at;
    int32_t length;
};

// One round of "(?>^[ ]*\t[ ]?.+\n(.\n)*\n*)": after it, or -1. The group is
// atomic and what follows each part always matches, so every part takes all
// it can.
int32_t afterIndentedLines(const Text& text, int32_t from) {
    const int32_t tab = text.skip(u' ', from);
    if (!text.is(tab, u'\t'))
        return -1;
    // "[ ]?" gives its space back to ".+" when that is all the line holds.
    const int32_t afterLine = text.afterLineOfSomething(tab + 1);
    if (afterLine < 0)
        return -1;
    return text.skip(u'\n', text.afterOneCharacterLines(afterLine));
}

// "(...)+" of rounds from `from`, which is a line start: after the last, or
// -1 when not even one matches.
template <typename Round>
int32_t afterRounds(const Text& text, int32_t from, Round round) {
    int32_t end = -1;
    for (int32_t at = from; text.isLineStart(at);) {
        const int32_t next = round(text, at);
        if (next < 0)
            break;
        end = at = next;
    }
    return end;
}

bool isAsciiDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// "[ ]{0,3}(?:[*+-]|[0-9]+\.)[ \t]" at `from`.
bool startsListItem(const Text& text, int32_t from) {
    int32_t at = from;
    while (at - from < 3 && text.is(at, u' '))
        ++at;
    if (text.is(at, u'*') || text.is(at, u'+') || text.is(at, u'-')) {
        ++at;
    } else {
        const int32_t digits = at;
        while (at < text.length && isAsciiDigit(text.at[at]))
            ++at;
        if (at == digits || !text.is(at, u'.'))
            return false;
        ++at;
    }
    return text.is(at, u' ') || text.is(at, u'\t');
}

// One round of "(?>^[ ]*>[ ]?.+\n((?!</blockquote>$)(?!LIST_ITEM).+\n)*\n*)",
// LIST_ITEM being "[ ]{0,3}(?:[*+-]|[0-9]+\.)[ \t]": a list item under a
// quoted line starts a list after the quote, not a lazy line of it.
int32_t afterQuotedLines(const Text& text, int32_t from) {
    const int32_t marker = text.skip(u' ', from);
    if (!text.is(marker, u'>'))
        return -1;
    int32_t at = text.afterLineOfSomething(marker + 1);
    if (at < 0)
        return -1;
    while (at < text.length && !text.closesQuote(at) && !startsListItem(text, at)) {
        const int32_t next = text.afterLineOfSomething(at);
        if (next < 0)
            break;
        at = next;
    }
    return text.skip(u'\n', at);
}


// "[ ]{0,3}[*+-](?:[ \t]|$)" or "[0-9]{1,}\.[ \t]" at `from`.
bool listMarkerAt(const Text& text, int32_t from, ListMarker marker) {
    int32_t at = from;
    if (marker == ListMarker::bulleted) {
        while (at - from < 3 && text.is(at, u' '))
            ++at;
        if (!(text.is(at, u'*') || text.is(at, u'+') || text.is(at, u'-')))
            return false;
        ++at;
        if (at == text.length || engine::endsLineForDot(text.at[at]))
            return true;
    } else {
        while (at < text.length && isAsciiDigit(text.at[at]))
            ++at;
        if (at == from || !text.is(at, u'.'))
            return false;
        ++at;
    }
    return text.is(at, u' ') || text.is(at, u'\t');
}

}  // namespace

// A match starts at a "\n" (or only at the very start, at a single one,
// when "\n\n" there leads to no block) and ends after the newlines that
// follow its last round, so the search goes on at a character that is not
// a newline.
std::vector<IndentedBlock> indentedBlocks(const icu::UnicodeString& string) {
    const Text text(string);
    std::vector<IndentedBlock> blocks;
    for (int32_t at = text.next(u'\n', 0); at >= 0;) {
        int32_t end = -1;
        int32_t linesStart = at + 2;
        if (text.is(at + 1, u'\n'))
            end = afterRounds(text, linesStart, afterIndentedLines);
        if (end < 0 && at == 0) {
            linesStart = 1;
            end = afterRounds(text, linesStart, afterIndentedLines);
        }
        if (end < 0) {
            at = text.next(u'\n', at + 1);
            continue;
        }
        blocks.push_back({at, linesStart, end});
        at = text.next(u'\n', end);
    }
    return blocks;
}

// A match starts at a line start followed by spaces and ">"; every ">" is
// a candidate, taken when only spaces lie between it and a line start not
// inside the previous match.
std::vector<engine::TextRange> quotedBlocks(const icu::UnicodeString& string) {
    const Text text(string);
    std::vector<engine::TextRange> blocks;
    int32_t searchFrom = 0;
    for (int32_t marker = text.next(u'>', 0); marker >= 0; marker = text.next(u'>', marker + 1)) {
        int32_t lineStart = marker;
        while (lineStart > searchFrom && text.at[lineStart - 1] == u' ')
            --lineStart;
        if (!text.isLineStart(lineStart))
            continue;
        const int32_t end = afterRounds(text, lineStart, afterQuotedLines);
        if (end < 0)
            continue;
        blocks.push_back({lineStart, end});
        searchFrom = end;
        marker = end - 1;
    }
    return blocks;
}

// "\n{2,}" takes the whole run of newlines (giving one back never helps, as
// a newline is no marker), so every start inside a run that has two left
// leads to the same marker test; the first such start is the match.
int32_t listStartFrom(const icu::UnicodeString& string, int32_t from, ListMarker marker) {
    const Text text(string);
    for (int32_t at = text.next(u'\n', from); at >= 0;) {
        if (!text.is(at + 1, u'\n')) {
            at = text.next(u'\n', at + 1);
            continue;
        }
        const int32_t afterRun = text.skip(u'\n', at);
        if (listMarkerAt(text, afterRun, marker))
            return at;
        at = text.next(u'\n', afterRun);
    }
    return -1;
}

// Line by line: spaces and ">" with a space after it (tabs before that
// space stay), or a line of spaces alone, give way to nothing.
icu::UnicodeString withoutQuoteMarkers(const icu::UnicodeString& string) {
    const Text text(string);
    icu::UnicodeString out;
    out.getBuffer(text.length);
    out.releaseBuffer(0);
    for (int32_t lineStart = 0; lineStart < text.length;) {
        int32_t lineEnd = lineStart;
        while (lineEnd < text.length && !isNewlineCharacter(text.at[lineEnd]))
            ++lineEnd;
        const int32_t afterSpaces = text.skip(u' ', lineStart);
        int32_t keptFrom = lineStart;
        if (text.is(afterSpaces, u'>')) {
            keptFrom = afterSpaces + 1;
            const int32_t afterTabs = text.skip(u'\t', keptFrom);
            if (text.is(keptFrom, u' ')) {
                ++keptFrom;
            } else if (afterTabs > keptFrom && text.is(afterTabs, u' ')) {
                out.append(string, keptFrom, afterTabs - keptFrom);
                keptFrom = afterTabs + 1;
            }
        } else if (afterSpaces == lineEnd && lineEnd > lineStart) {
            keptFrom = lineEnd;
        }
        const int32_t next = lineEnd < text.length ? lineEnd + 1 : lineEnd;
        out.append(string, keptFrom, next - keptFrom);
        lineStart = next;
    }
    return out;
}

}  // namespace markdown
