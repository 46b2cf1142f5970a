// Text kept from the other passes: nowiki sections, <pre> sections, and
// runs of lines that begin with a space. All are cut out early, so that no
// list, paragraph or line break is made inside them.
#include "wikitext/WikitextConverter.h"

#include "engine/RangeEdits.h"
#include "engine/Regex.h"
#include "engine/TextUtilities.h"

namespace {

const char16_t* const kNowikiPattern = uR"(<nowiki>(.*?)</nowiki>)";
const char16_t* const kPreSectionPattern = uR"(<pre(?:\s[^<>]*)?>(.*?)</pre>)";

// Per line of the text: whether it starts inside a template ("{{ … }}"), a
// table ("{| … |}") or a code listing ("<syntaxhighlight>", "<source>").
// Their lines are often indented (citation parameters, table rows, code)
// and are no preformatted text of their own.
std::vector<bool> linesInsideTemplatesOrTables(const std::vector<icu::UnicodeString>& lines) {
    std::vector<bool> inside;
    int32_t templates = 0;
    int32_t tables = 0;
    bool listing = false;
    for (const icu::UnicodeString& line : lines) {
        inside.push_back(templates > 0 || tables > 0 || listing);
        listing = engine::regionOpenAfter(line, listing, {u"<syntaxhighlight", u"<source"},
                                          {u"</syntaxhighlight>", u"</source>"});
        const icu::UnicodeString start = engine::trimmed(line);
        if (start.startsWith(u"{|"))
            ++tables;
        else if (start.startsWith(u"|}") && tables > 0)
            --tables;
        for (int32_t i = 0; i + 1 < line.length(); ++i) {
            if (line[i] == u'{' && line[i + 1] == u'{') {
                ++templates;
                ++i;
            } else if (line[i] == u'}' && line[i + 1] == u'}' && templates > 0) {
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
    // No section ends after the last closing tag: searching no further keeps
    // a text full of unclosed openings from being scanned to its end.
    const int32_t lastEnd = str.lastIndexOf(u"</nowiki>");
    if (lastEnd < 0)
        return;
    auto matches = engine::findAll(icu::UnicodeString(str, 0, lastEnd + 9), kNowikiPattern,
                                   engine::kDotMatchesLineSeparators);
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
    auto matches =
        engine::findAll(str, kPreSectionPattern, engine::kDotMatchesLineSeparators | engine::kCaseInsensitive);
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
    std::vector<icu::UnicodeString> lines = engine::split(str, u"\n");
    const std::vector<bool> excluded = linesInsideTemplatesOrTables(lines);
    std::vector<icu::UnicodeString> out;
    bool found = false;
    for (size_t i = 0; i < lines.size();) {
        if (excluded[i] || !startsPreformattedLine(lines[i])) {
            out.push_back(lines[i++]);
            continue;
        }
        std::vector<icu::UnicodeString> run;
        for (; i < lines.size() && !excluded[i] && startsPreformattedLine(lines[i]); ++i) {
            run.emplace_back(lines[i], 1);
            // Lines of spaces between two preformatted lines belong to them.
            size_t next = i + 1;
            while (next < lines.size() && !excluded[next] && isSpaceLine(lines[next]))
                ++next;
            if (next > i + 1 && next < lines.size() && !excluded[next] && startsPreformattedLine(lines[next]))
                for (; i + 1 < next; ++i)
                    run.emplace_back(lines[i + 1], 1);
        }
        found = true;
        out.push_back(u"<pre>" + htmlBlocksEscaped.add(inlineFormatted(engine::join(run, u"\n"))) + u"</pre>");
    }
    if (found)
        str = engine::join(out, u"\n");
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
