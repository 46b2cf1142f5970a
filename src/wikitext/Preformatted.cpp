// Text kept from the other passes: nowiki sections, <pre> sections, and
// runs of lines that begin with a space. All are cut out early, so that no
// list, paragraph or line break is made inside them.
#include "wikitext/WikitextConverter.h"

#include "engine/Candidates.h"
#include "engine/MatchSteps.h"
#include "engine/RangeEdits.h"
#include "engine/Regex.h"
#include "engine/TextSearch.h"
#include "engine/TextUtilities.h"

namespace {

const char16_t* const kNowikiPattern = uR"(<nowiki>(.*?)</nowiki>)";
const char16_t* const kPreSectionPattern = uR"(<pre(?:\s[^<>]*)?>(.*?)</pre>)";

// A line of the text, as a read-only alias of the text's buffer.
icu::UnicodeString lineAt(const icu::UnicodeString& text, engine::TextRange line) {
    return icu::UnicodeString(false, text.getBuffer() + line.start, line.end - line.start);
}

// Where each line of the text stands, without its "\n".
std::vector<engine::TextRange> lineRanges(const icu::UnicodeString& text) {
    std::vector<engine::TextRange> lines;
    const char16_t* chars = text.getBuffer();
    const int32_t length = text.length();
    for (int32_t start = 0;;) {
        const int32_t end = engine::firstOfUnits(chars, start, length, u'\n', u'\n', u'\n');
        lines.push_back({start, end});
        if (end == length)
            return lines;
        start = end + 1;
    }
}

// Per line of the text: whether it starts inside a template ("{{ … }}"), a
// table ("{| … |}") or a code listing ("<syntaxhighlight>", "<source>").
// Their lines are often indented (citation parameters, table rows, code)
// and are no preformatted text of their own.
std::vector<bool> linesInsideTemplatesOrTables(const icu::UnicodeString& text,
                                               const std::vector<engine::TextRange>& lines) {
    std::vector<bool> inside;
    inside.reserve(lines.size());
    int32_t templates = 0;
    int32_t tables = 0;
    bool listing = false;
    const char16_t* chars = text.getBuffer();
    for (const engine::TextRange& range : lines) {
        inside.push_back(templates > 0 || tables > 0 || listing);
        const icu::UnicodeString line = lineAt(text, range);
        // Only a line with a tag can open or close a listing.
        if (engine::firstOfUnits(chars, range.start, range.end, u'<', u'<', u'<') < range.end)
            listing = engine::regionOpenAfter(line, listing, {u"<syntaxhighlight", u"<source"},
                                              {u"</syntaxhighlight>", u"</source>"});
        const icu::UnicodeString start = engine::trimmedInPlace(line);
        if (start.startsWith(u"{|"))
            ++tables;
        else if (start.startsWith(u"|}") && tables > 0)
            --tables;
        for (int32_t i = engine::firstOfUnits(chars, range.start, range.end, u'{', u'}', u'}'); i + 1 < range.end;
             i = engine::firstOfUnits(chars, i + 1, range.end, u'{', u'}', u'}')) {
            if (chars[i] == u'{' && chars[i + 1] == u'{') {
                ++templates;
                ++i;
            } else if (chars[i] == u'}' && chars[i + 1] == u'}' && templates > 0) {
                --templates;
                ++i;
            }
        }
    }
    return inside;
}

// An indented line of block HTML (an "<li>" of a hand-written list) is no
// preformatted text either.
bool startsPreformattedLine(const icu::UnicodeString& line) {
    static const char16_t* const blockTags[] = {u"<li", u"</li", u"<ol", u"</ol", u"<ul", u"</ul", u"<dl", u"</dl",
                                                u"<dd", u"</dd", u"<dt", u"</dt", u"<div", u"</div", u"<table",
                                                u"</table", u"<tr", u"</tr", u"<td", u"</td", u"<th", u"</th",
                                                u"<p", u"</p", u"<h", u"</h", u"<blockquote", u"</blockquote",
                                                u"<center", u"</center"};
    if (!line.startsWith(u" ") || engine::isBlank(line))
        return false;
    icu::UnicodeString lower(line);
    lower.toLower();
    for (const char16_t* tag : blockTags)
        if (lower.indexOf(tag) >= 0)
            return false;
    return true;
}

// A line of one space or more and nothing else.
bool isSpaceLine(const icu::UnicodeString& line) { return line.startsWith(u" ") && engine::isBlank(line); }

}  // namespace

// Nowiki content is text: its tags and markup show as written.
void WikitextConverter::saveNowikiSections() {
    // Tried where "<nowiki>" stands, and no later than the last closing tag:
    // a text full of unclosed openings is not scanned to its end from each.
    auto matches = matchesAtOpenings(kNowikiPattern, engine::kDotMatchesLineSeparators);
    if (!matches || matches->empty())
        return;
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& match : *matches)
        edits.push_back(
            {match.start(), match.end(), htmlBlocksEscaped.add(engine::escapedTagCharacters(match.text(1)))});
    engine::applyRangeEdits(str, std::move(edits));
}

// The content of each <pre> section is kept as written: its tags and
// addresses such as <name@example.com> show as text.
void WikitextConverter::savePreSections() {
    // Tried only where "<pre" stands in any case (no other character folds
    // to "p", "r" or "e", so a case-blind match starts nowhere else), and
    // only before the last "</pre>": a text full of unclosed openings is not
    // searched to its end from each.
    int32_t lastClose = -1;
    for (int32_t at = engine::indexOfIgnoringAsciiCase(str, u"</pre>"); at >= 0;
         at = engine::indexOfIgnoringAsciiCase(str, u"</pre>", at + 1))
        lastClose = at;
    engine::SearchPlan plan;
    for (int32_t at = engine::indexOfIgnoringAsciiCase(str, u"<pre"); at >= 0 && at < lastClose;
         at = engine::indexOfIgnoringAsciiCase(str, u"<pre", at + 1))
        plan.starts.push_back(at);
    if (plan.starts.empty())
        return;
    plan.limit = lastClose + 6;
    const uint32_t options = engine::kDotMatchesLineSeparators | engine::kCaseInsensitive;
    auto matches = engine::findAllAt(str, kPreSectionPattern,
                                     engine::atPlannedStarts(std::move(plan), kPreSectionPattern, options), options);
    if (!matches || matches->empty())
        return;
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& match : *matches)
        edits.push_back(
            {match.start(1), match.end(1), htmlBlocksEscaped.add(engine::escapedTagCharacters(match.text(1)))});
    engine::applyRangeEdits(str, std::move(edits));
}

// A run of lines that begin with a space is one <pre> section without that
// space. Emphasis and links inside it are made as anywhere else; headlines,
// lists and the other block markup are not.
void WikitextConverter::savePreformattedLines() {
    // The text stays apart while runs are formatted, as that works on `str`.
    icu::UnicodeString text;
    text.swap(str);
    const std::vector<engine::TextRange> lines = lineRanges(text);
    const std::vector<bool> excluded = linesInsideTemplatesOrTables(text, lines);
    auto startsRun = [&](size_t i) { return !excluded[i] && startsPreformattedLine(lineAt(text, lines[i])); };
    icu::UnicodeString out;
    int32_t copiedUpTo = 0;
    for (size_t i = 0; i < lines.size();) {
        if (!startsRun(i)) {
            ++i;
            continue;
        }
        std::vector<icu::UnicodeString> run;
        const int32_t runStart = lines[i].start;
        for (; i < lines.size() && startsRun(i); ++i) {
            run.push_back(lineAt(text, {lines[i].start + 1, lines[i].end}));
            // Lines of spaces between two preformatted lines belong to them.
            size_t next = i + 1;
            while (next < lines.size() && !excluded[next] && isSpaceLine(lineAt(text, lines[next])))
                ++next;
            if (next > i + 1 && next < lines.size() && startsRun(next))
                for (; i + 1 < next; ++i)
                    run.push_back(lineAt(text, {lines[i + 1].start + 1, lines[i + 1].end}));
        }
        if (copiedUpTo == 0)
            out = engine::emptyWithRoomFor(text);
        out.append(text, copiedUpTo, runStart - copiedUpTo);
        out += u"<pre>" + htmlBlocksEscaped.add(inlineFormatted(engine::join(run, u"\n"))) + u"</pre>";
        copiedUpTo = lines[i - 1].end;
    }
    if (copiedUpTo == 0) {
        str.swap(text);
        return;
    }
    out.append(text, copiedUpTo, text.length() - copiedUpTo);
    str = std::move(out);
}

// The inline passes (internal links and the table's link and emphasis rules)
// over a piece of text on its own.
icu::UnicodeString WikitextConverter::inlineFormatted(const icu::UnicodeString& text) {
    icu::UnicodeString document;
    document.swap(str);
    str = text;
    performInternalLinks();
    applyRules(true);
    icu::UnicodeString formattedText;
    formattedText.swap(str);
    str.swap(document);
    return formattedText;
}
