// Markdown Extra and MultiMarkdown features: strikethrough, footnotes with a
// numbered section at the end, and definition lists.
#include "markdown/MarkdownConverter.h"

#include "engine/Candidates.h"
#include "engine/RangeEdits.h"
#include "engine/Log.h"
#include "engine/DoubledMarkerSpans.h"
#include "engine/MatchSteps.h"
#include "markdown/DefinitionTermScan.h"
#include "engine/TextUtilities.h"
#include "markdown/MarkdownText.h"

namespace {

// Where a footnote definition ends: at a newline that is followed by an empty
// line, by "[^" (the next definition) or by at most one more character.
// `newline` is the head's own final newline. Continuation lines keep their
// newlines, so the definition is one piece of the text and can be removed.
int32_t footnoteDefinitionEnd(const icu::UnicodeString& text, int32_t newline) {
    const int32_t length = text.length();
    for (int32_t at = newline; at < length; ++at) {
        if (text.charAt(at) != u'\n')
            continue;
        const int32_t following = length - at - 1;
        if (following <= 1 || text.charAt(at + 1) == u'\n')
            return at;
        if (following >= 3 && text.charAt(at + 1) == u'[' && text.charAt(at + 2) == u'^')
            return at;
    }
    return length;
}

// A term's match starts at the line that ends right before ":" or before
// the empty line before it: "(.*?)" stops at its line's end.
engine::SearchPlan termLinesBeforeDefinitions(const icu::UnicodeString& text) {
    engine::SearchPlan plan;
    for (int32_t at : engine::occurrencesOf(text, u"\n:")) {
        if (at > 0 && text.charAt(at - 1) == u'\n')
            plan.starts.push_back(engine::lineStartAt(text, at - 1));
        plan.starts.push_back(engine::lineStartAt(text, at));
    }
    return plan;
}

icu::UnicodeString definitionListHTML(const icu::UnicodeString& blockText) {
    icu::UnicodeString text(blockText);
    engine::replaceAllLiteral(text, u"    ", u"\t");
    icu::UnicodeString html(u"<dl>\n");
    bool afterEmpty = false;
    bool inDefinition = false;
    for (const icu::UnicodeString& line : engine::split(text, u"\n")) {
        if (line.isEmpty()) {
            afterEmpty = true;
            continue;
        }
        const bool definition = line.startsWith(u":");
        const icu::UnicodeString rest = definition ? icu::UnicodeString(line, 1) : line;
        if (!definition && !inDefinition) {
            html.append(engine::formatted(u"\t<dt>\n\t\t%@\n\t</dt>\n", {line}));
        } else if (!definition && afterEmpty) {
            html.append(engine::formatted(u"</p>\n\t</dd>\n\t<dt>\n\t\t%@\n\t</dt>\n", {line}));
            inDefinition = false;
        } else if (definition && !inDefinition) {
            html.append(engine::formatted(u"\t<dd>\n\t\t<p>%@", {rest}));
            inDefinition = true;
        } else if (definition) {
            html.append(engine::formatted(u"</p>\n\t</dd>\n\t<dd>\n\t\t<p>%@", {rest}));
        } else {
            html.append(line);
        }
        afterEmpty = false;
    }
    if (inDefinition)
        html.append(u"</p>\n\t</dd>\n");
    html.append(u"</dl>\n");
    return html;
}

}  // namespace

void MarkdownConverter::strikethrough() {
    // "~~(.*?)~~" with the dot matching line ends: a strike starts at a "~~"
    // and ends at the next one.
    engine::replaceDoubledMarkerSpans(str, u'~', engine::SpanLines::mayCross, u"<del>", u"</del>");
}

void MarkdownConverter::performFootNotes() {
    // Definitions: taken out of the text, wherever they stand.
    std::map<icu::UnicodeString, icu::UnicodeString> footnotes;
    std::vector<engine::RangeEdit> definitions;
    for (const engine::TextRange& match : engine::matchRangesAtOpenings(str, uR"(\[\^(.*?)\]\:(.*?)\n)")) {
        const int32_t end = footnoteDefinitionEnd(str, match.end - 1);
        const icu::UnicodeString definition(str, match.start, end - match.start);
        std::vector<icu::UnicodeString> pieces = engine::split(definition, u"]:");
        if (pieces.size() >= 2)
            footnotes[icu::UnicodeString(pieces[0], 2)] = pieces[1];
        definitions.push_back({match.start, end, {}});
    }
    engine::applyRangeEdits(str, std::move(definitions));

    // References: numbered in order of appearance, one list entry each.
    std::vector<engine::TextRange> references = engine::matchRangesAtOpenings(str, uR"(\[\^(.*?)\])");
    if (references.empty())
        return;
    std::vector<engine::RangeEdit> links;
    if (footnotes.empty()) {
        for (const engine::TextRange& reference : references)
            links.push_back({reference.start, reference.end, {}});
        engine::applyRangeEdits(str, std::move(links));
        return;
    }
    icu::UnicodeString list;
    int64_t n = 1;
    for (const engine::TextRange& reference : references) {
        const icu::UnicodeString text = str.tempSubString(reference.start, reference.end - reference.start);
        auto found = footnotes.find(icu::UnicodeString(text, 2, text.length() - 3));
        if (found == footnotes.end())
            continue;
        const icu::UnicodeString number = engine::number(n++);
        list.append(engine::formatted(
            u"\t<li id=\"fn:%@\">\n\t\t<p>%@ <a href=\"%@fnref:%@%@\" title=\"return to article\" "
            u"class=\"reversefootnote\">&#160;&#8617;</a></p>\n\t</li>\n",
            {number, found->second, javaScriptHashStart, number, javaScriptHashEnd}));
        links.push_back({reference.start, reference.end,
                         engine::formatted(u"<a href=\"%@fn:%@%@\" id=\"fnref:%@\" title=\"see footnote\" "
                                           u"class=\"footnote\"><sup>%@</sup></a>",
                                           {javaScriptHashStart, number, javaScriptHashEnd, number, number})});
    }
    engine::applyRangeEdits(str, std::move(links));
    if (!list.isEmpty())
        str.append(engine::formatted(u"\n\n<div class=\"footnotes\">\n<hr%@\n<ol>\n%@</ol>\n</div>", {HTML_close, list}));
}

void MarkdownConverter::performDefinitionBlock() {
    // Where a term with its first definition starts, as the find loop of
    // "(?m)^(.*?)[\n]{1,2}:[ \t]{1,}(.*?)$" finds it, tried only on the
    // lines before a ":" line.
    std::vector<int32_t> terms;
    int32_t searchFrom = 0;
    for (int32_t start : termLinesBeforeDefinitions(str).starts) {
        if (start < searchFrom)
            continue;
        const int32_t end = markdown::definitionTermEnd(str, start);
        if (end < 0)
            continue;
        terms.push_back(start);
        searchFrom = end > start ? end : start + 1;
    }
    if (terms.empty())
        return;
    std::vector<engine::RangeEdit> edits;
    int64_t number = 1;
    int32_t coveredUntil = -1;
    for (const int32_t term : terms) {
        if (term < coveredUntil)
            continue;
        // The block runs from the term to the first blank line.
        int32_t end = term;
        for (int32_t pos = term; pos <= str.length();) {
            const int32_t lineEnd = markdown::lineEnd(str, pos);
            if (engine::trimmed(icu::UnicodeString(str, pos, lineEnd - pos)).isEmpty())
                break;
            end = lineEnd;
            if (lineEnd >= str.length())
                break;
            pos = lineEnd + 1;
        }
        coveredUntil = end;
        const int64_t blockNumber = number++;
        // A term cut off by an empty line right away leaves no block.
        if (end == term)
            continue;
        const icu::UnicodeString blockText(str, term, end - term);
        edits.push_back({term, end, definitionBlocksEscaped.set(blockNumber, definitionListHTML(blockText))});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

void MarkdownConverter::returnDefinitionBlocks() {
    definitionBlocksEscaped.restoreInto(str);
}
