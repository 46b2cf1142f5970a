#include "markdown/MarkedLines.h"

#include <vector>

#include "engine/Candidates.h"
#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"

namespace markdown {
namespace {

// Where the run of spaces at `from` ends.
int32_t afterSpaces(const char16_t* chars, int32_t length, int32_t from) {
    while (from < length && chars[from] == u' ')
        ++from;
    return from;
}

}  // namespace

icu::UnicodeString underlinedHeadingPattern(char16_t mark) {
    return engine::formatted(u"(?m)^(.+?)[ ]*\n(%@+)[ ]*\n+", {icu::UnicodeString(mark)});
}

// A match starts at a line's start, and "(.+?)" reaches no further than the
// line's first line end, which must be the "\n" before the marks: each
// "\n" + mark has one line where a match can start. The text is the line
// without its trailing spaces, one character at least.
bool replaceUnderlinedHeadings(icu::UnicodeString& text, char16_t mark, const AroundGroupOne& around) {
    const char16_t* chars = text.getBuffer();
    const int32_t length = text.length();
    const char16_t lineEndThenMark[] = {u'\n', mark, 0};
    std::vector<engine::RangeEdit> edits;
    int32_t searchFrom = 0;
    for (int32_t newline : engine::occurrencesOf(text, lineEndThenMark)) {
        const int32_t lineStart = engine::lineStartAt(text, newline);
        if (lineStart < searchFrom || lineStart == newline)
            continue;
        int32_t end = newline + 1;
        while (end < length && chars[end] == mark)
            ++end;
        end = afterSpaces(chars, length, end);
        if (end >= length || chars[end] != u'\n')
            continue;
        while (end < length && chars[end] == u'\n')
            ++end;
        int32_t textEnd = newline;
        while (textEnd > lineStart && chars[textEnd - 1] == u' ')
            --textEnd;
        if (textEnd == lineStart)
            textEnd = lineStart + 1;
        icu::UnicodeString heading(around.before);
        heading.append(text, lineStart, textEnd - lineStart).append(around.after);
        edits.push_back({lineStart, end, std::move(heading)});
        searchFrom = end;
    }
    if (edits.empty())
        return false;
    engine::applyRangeEdits(text, std::move(edits));
    return true;
}

icu::UnicodeString markLinePattern(char16_t mark) {
    const icu::UnicodeString m(mark);
    if (mark == u'*')
        return uR"((?m)^[ ]{0,3}(?![*][ \t]*$)([*]{1,})[ \t*]{0,}$)";
    return engine::formatted(uR"((?m)^[ ]{0,3}([%@]{1,})[ \t%@]{0,}$)", {m, m});
}

// "$" holds before any line end and at the text's end; the marks and blanks
// are taken greedily, so the line matches when nothing else follows them.
bool replaceMarkLines(icu::UnicodeString& text, char16_t mark, const icu::UnicodeString& replacement) {
    const char16_t* chars = text.getBuffer();
    const int32_t length = text.length();
    std::vector<engine::RangeEdit> edits;
    int32_t searchFrom = 0;
    for (int32_t lineStart : engine::linesStartingWith(text, icu::UnicodeString(mark), 3).starts) {
        if (lineStart < searchFrom)
            continue;
        int32_t end = afterSpaces(chars, length, lineStart);
        if (end - lineStart > 3 || end >= length || chars[end] != mark)
            continue;
        int32_t marks = 0;
        for (; end < length && (chars[end] == mark || chars[end] == u' ' || chars[end] == u'\t'); ++end)
            marks += chars[end] == mark ? 1 : 0;
        if ((end < length && !engine::endsLineForDot(chars[end])) || (marks == 1 && mark == u'*'))
            continue;
        edits.push_back({lineStart, end, replacement});
        searchFrom = end;
    }
    if (edits.empty())
        return false;
    engine::applyRangeEdits(text, std::move(edits));
    return true;
}

}  // namespace markdown
