// Where lists and definition lists stand. Their patterns try every line
// start, and on a long line of markers or punctuation a counted run
// ("[*#]{1,}") overflows the matcher's backtracking stack, which lost every
// list of the document; these searches find the same matches in one walk.
#include "textile/TextileConverter.h"


#include "engine/MatchSteps.h"
#include "engine/Log.h"
#include "engine/TextUtilities.h"

icu::UnicodeString TextileConverter::listItemAttributesPattern() {
    // A few at most: each one repeated costs the matcher a saved state.
    return u"(?:\\([^()\n]*\\)|\\{[^{}\n]*\\}|\\[[^\\[\\]\n]*\\]){0,4}";
}

icu::UnicodeString TextileConverter::listPattern() {
    // Plain repetitions of a class: ICU walks them without a backtracking
    // state for each character, as it does not for "{1,}".
    // The first item may carry attributes and, numbered, a first number
    // ("#(warn)5 ").
    const icu::UnicodeString attributes = listItemAttributesPattern();
    return u"(?m)^(\n?)([*#]*(?:#" + attributes + u"(?:[0-9]+|_)?|\\*" + attributes + u"))[ \\t]+(.*?)\n\n";
}

std::optional<std::vector<engine::Match>> TextileConverter::findLists(const icu::UnicodeString& text) {
    // A list starts at a line that starts with a marker (or is empty, the
    // marker on the next line) and runs to the first blank line: no try
    // goes past the last one, so lines behind it cost a look each.
    engine::SearchPlan plan = engine::linesStartingWithAny(text, {u"*", u"#", u"\n*", u"\n#"});
    plan.limit = engine::endOfLastOccurrence(text, u"\n\n");
    if (plan.limit < 0)
        return std::vector<engine::Match>{};
    engine::RegexResult result;
    auto matches = engine::findAllAt(text, listPattern(),
                                     engine::atPlannedStarts(std::move(plan), listPattern(), engine::kDotMatchesLineSeparators),
                                     engine::kDotMatchesLineSeparators, &result);
    if (result.status == engine::RegexStatus::invalidPattern)
        engine::log(u"Error for Pattern %@ - %@", {listPattern(), result.error});
    return matches;
}

icu::UnicodeString TextileConverter::definitionListPattern() {
    // The first term and its ":=" stand on one line, so a stray "- " line
    // does not search the rest of the text for a ":=".
    return u"(?m)^(\n?[^A-Za-z0-9\n]{0,})([-])[ ]{1,}([^\n]*?) \\:\\= (.*?)\n\n";
}

namespace {

bool isLineStart(const icu::UnicodeString& text, int32_t at) {
    if (at == 0)
        return true;
    const char16_t before = text[at - 1];
    return engine::endsLineForDot(before) && !(before == u'\r' && at < text.length() && text[at] == u'\n');
}

bool endsPrefix(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'\n';
}

// The first position at or after `from` that `found` accepts, or the text's
// length; `cached` holds the last answer, which stands while it is not
// behind `from`.
template <typename Accepts>
int32_t nextWhere(const icu::UnicodeString& text, int32_t from, int32_t& cached, Accepts accepts) {
    if (cached >= from)
        return cached;
    cached = from;
    while (cached < text.length() && !accepts(cached))
        ++cached;
    return cached;
}

// Whether the line from `from` to `newline` is a term ("- cat") among term
// lines that lead to one with a " := " ("- feline := an animal"). A run of
// term lines found to hold none is not searched again from a later line.
bool termsBeforeAssignment(const icu::UnicodeString& text, int32_t from, int32_t newline, int32_t& termRunEnd) {
    static const icu::UnicodeString assignment(u" := ");
    static const icu::UnicodeString term(u"- ");
    if (from < termRunEnd || text.compare(from, 2, term) != 0)
        return false;
    int32_t line = newline + 1;
    while (line < text.length() && text.compare(line, 2, term) == 0) {
        int32_t end = text.indexOf(u'\n', line);
        if (end < 0)
            end = text.length();
        if (text.indexOf(assignment, line, end - line) >= 0)
            return true;
        line = end + 1;
    }
    termRunEnd = line;
    return false;
}

}  // namespace

// At a line start (behind the empty line's "\n" when it is empty) a match
// needs, before the first letter, digit or newline, a "-" and a space, and
// later on the same line (up to its "\n") a " := " that begins two places
// or more behind that "-" (the first such "-" leaves most room), or a line
// of a run of terms ("- cat") that leads to one. Every way to match then ends at the first blank line behind the line. Each search
// for the next of these goes on from where the last one ended while the
// starts move along one line, so the walk takes each character a few times.
std::vector<engine::TextRange> TextileConverter::definitionListRanges(const icu::UnicodeString& text) {
    static const icu::UnicodeString assignment(u" := ");
    static const icu::UnicodeString blankLine(u"\n\n");
    std::vector<engine::TextRange> ranges;
    const int32_t length = text.length();
    int32_t prefixEnd = -1, dash = -1, lineEnd = -1;
    int32_t assignmentLineEnd = -1, lastAssignment = -1;  // the last " := " before that line end
    int32_t segmentStart = 0;
    int32_t termRunEnd = -1;  // the end of the last run of term lines seen to hold no " := "
    for (int32_t start = 0; start < length; ++start) {
        if (!isLineStart(text, start))
            continue;
        const int32_t from = text[start] == u'\n' ? start + 1 : start;
        const int32_t end = nextWhere(text, from, prefixEnd, [&](int32_t at) { return endsPrefix(text[at]); });
        const int32_t first = nextWhere(text, from, dash, [&](int32_t at) {
            return text[at] == u'-' && at + 1 < length && text[at + 1] == u' ';
        });
        if (first >= end)
            continue;
        const int32_t newline = nextWhere(text, from, lineEnd, [&](int32_t at) { return text[at] == u'\n'; });
        if (newline != assignmentLineEnd) {
            assignmentLineEnd = newline;
            segmentStart = from;
            lastAssignment = text.lastIndexOf(assignment, segmentStart, newline - segmentStart);
        }
        if (lastAssignment < first + 2 && !termsBeforeAssignment(text, from, newline, termRunEnd))
            continue;
        // With dot-all ICU steps over "\r\n" whole, so a blank line that
        // begins with its "\n" is no end.
        int32_t blank = text.indexOf(blankLine, newline);
        while (blank > 0 && text[blank - 1] == u'\r')
            blank = text.indexOf(blankLine, blank + 1);
        if (blank < 0)
            break;
        ranges.push_back({start, blank + 2});
        start = blank + 1;  // the loop steps to the blank line's end
    }
    return ranges;
}
