// Code spans and indented code blocks are cut out first, as finished HTML
// behind "%SavedCodeBlockN%" tokens, so that no rule touches code; block
// quotes become blockquote elements level by level.
#include "markdown/MarkdownConverter.h"

#include "engine/RangeEdits.h"
#include "engine/Log.h"
#include "engine/TextUtilities.h"
#include "markdown/BlockScan.h"
#include "markdown/CodeSpanScan.h"
#include "markdown/MarkdownText.h"

namespace {

// An escaped backtick is put in as a token before single-backtick spans are
// found, so it opens no span; inside code it must read as the user wrote it.
// A backslash after a backslash is escaped itself, and one right after a
// backtick is the whole of a span ("`\`").
const char16_t* const kEscapedBacktickToken = u"<%%16%%>";
const char16_t* const kEscapedBacktick = u"\\`";

icu::UnicodeString withEscapedBackticksAsWritten(const icu::UnicodeString& code) {
    if (code.indexOf(u'<') < 0)
        return code;
    icu::UnicodeString text(code);
    engine::replaceAllLiteral(text, kEscapedBacktickToken, kEscapedBacktick);
    return text;
}

// The paragraph before the block (after the previous empty line) starts with
// a list item, or is a bullet alone (an empty item).
bool followsListItem(const icu::UnicodeString& text, const markdown::IndentedBlock& block) {
    const int32_t previousGap = text.lastIndexOf(icu::UnicodeString(u"\n\n"), 0, block.start);
    int32_t lineStart = previousGap < 0 ? 0 : previousGap + 2;
    while (lineStart < block.start && (text.charAt(lineStart) == u' ' || text.charAt(lineStart) == u'\t'))
        ++lineStart;
    const icu::UnicodeString line(text, lineStart, markdown::lineEnd(text, lineStart) - lineStart);
    const bool bulleted = !line.isEmpty() && (line.charAt(0) == u'*' || line.charAt(0) == u'+' || line.charAt(0) == u'-') &&
                          (line.length() == 1 || line.charAt(1) == u' ' || line.charAt(1) == u'\t');
    return bulleted || markdown::startsWithOrderedListMarker(line);
}

bool isIndentedTwice(const icu::UnicodeString& text, int32_t lineStart) {
    int32_t at = lineStart;
    while (at < text.length() && text.charAt(at) == u' ')
        ++at;
    return at + 1 < text.length() && text.charAt(at) == u'\t' && text.charAt(at + 1) == u'\t';
}

// In a block that follows a list item, lines indented once are further
// paragraphs of the item (the list pass takes them in); a run of lines
// indented twice after an empty line, with the empty lines inside it, is
// code inside the item. The runs, each from its first line's start to its
// last line's end.
std::vector<engine::TextRange> codeRunsInListItem(const icu::UnicodeString& text, const markdown::IndentedBlock& block) {
    std::vector<engine::TextRange> runs;
    bool afterEmpty = true;
    int32_t runStart = -1;
    int32_t runEnd = -1;
    for (int32_t at = block.linesStart; at < block.end;) {
        const int32_t end = markdown::lineEnd(text, at);
        const bool empty = engine::isBlank(icu::UnicodeString(text, at, end - at));
        if (!empty && runStart >= 0 && !isIndentedTwice(text, at)) {
            runs.push_back({runStart, runEnd});
            runStart = -1;
        }
        if (!empty && runStart < 0 && afterEmpty && isIndentedTwice(text, at))
            runStart = at;
        if (!empty && runStart >= 0)
            runEnd = end;
        afterEmpty = empty;
        at = end + 1;
    }
    if (runStart >= 0)
        runs.push_back({runStart, runEnd});
    return runs;
}

}  // namespace

icu::UnicodeString MarkdownConverter::hardenHTML(const icu::UnicodeString& string) {
    return engine::escapedHTML(string);
}

void MarkdownConverter::codeBlockSave() {
    // Spans in two or more backticks first, so they may hold single ones
    // (and fenced blocks, blank lines and all). A single-backtick span stays
    // within its paragraph.
    saveCodeSpans(markdown::doubledBacktickSpans(str), u"``");
    std::vector<engine::RangeEdit> escapes;
    for (int32_t at : markdown::escapedBacktickStarts(str))
        escapes.push_back({at, at + 2, kEscapedBacktickToken});
    engine::applyRangeEdits(str, std::move(escapes));
    saveCodeSpans(markdown::singleBacktickSpans(str), u"`");
    saveIndentedCodeBlocks(str);
}

void MarkdownConverter::saveCodeSpans(const std::vector<engine::TextRange>& spans,
                                  const icu::UnicodeString& backticksToDrop) {
    std::vector<engine::RangeEdit> edits;
    edits.reserve(spans.size());
    for (const engine::TextRange& span : spans) {
        const icu::UnicodeString written(str, span.start, span.end - span.start);
        icu::UnicodeString code(written);
        engine::replaceAllLiteral(code, backticksToDrop, u"");
        icu::UnicodeString html(u"<code>");
        html.append(hardenHTML(withEscapedBackticksAsWritten(code))).append(u"</code>");
        icu::UnicodeString token = codeBlocksEscaped.add(html);
        codeSpansAsWritten.set(codeBlocksEscaped.entries().rbegin()->first, written);
        edits.push_back({span.start, span.end, std::move(token)});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

// Saved spans and links inside a code block are read as they were written:
// a code block shows its text exactly.
icu::UnicodeString MarkdownConverter::codeAsWritten(const icu::UnicodeString& code) const {
    icu::UnicodeString text(code);
    linksEscaped.restoreInto(text);
    codeSpansAsWritten.restoreInto(text);
    return withEscapedBackticksAsWritten(text);
}

// The code of lines less `indents` of their indentation (a first tab or
// space, then further tabs), saved as a pre element; its token.
icu::UnicodeString MarkdownConverter::savedCodeBlock(const std::vector<icu::UnicodeString>& lines, int indents) {
    icu::UnicodeString code;
    for (icu::UnicodeString line : lines) {
        // Drop the indent; a one-character line the block took in without
        // indentation keeps its character.
        if (!line.isEmpty() && (line.charAt(0) == u'\t' || line.charAt(0) == u' '))
            line.remove(0, 1);
        for (int more = 1; more < indents && line.startsWith(u"\t"); ++more)
            line.remove(0, 1);
        code.append(line).append(u'\n');
    }
    code = hardenHTML(codeAsWritten(rtrim_Vant(code)));
    return codeBlocksEscaped.add(engine::formatted(u"<pre><code>%@</code></pre>\n", {code}));
}

void MarkdownConverter::saveIndentedCodeBlocks(icu::UnicodeString& text) {
    // A fenced block indented under a list item is code already; it stays
    // where it is for the list to take in.
    auto isSavedPreBlock = [this, &text](int32_t start, int32_t end) {
        const icu::UnicodeString lines = engine::trimmed(icu::UnicodeString(text, start, end - start));
        if (!lines.startsWith(u"%SavedCodeBlock"))
            return false;
        const std::optional<icu::UnicodeString> code = codeBlocksEscaped.savedTextForToken(lines);
        return code && code->startsWith(u"<pre>");
    };
    std::vector<engine::RangeEdit> edits;
    for (const markdown::IndentedBlock& block : markdown::indentedBlocks(text)) {
        if (isSavedPreBlock(block.linesStart, block.end))
            continue;
        if (followsListItem(text, block)) {
            // Indented once more, code in an item stays in the item's list.
            for (const engine::TextRange& run : codeRunsInListItem(text, block)) {
                if (isSavedPreBlock(run.start, run.end))
                    continue;
                std::vector<icu::UnicodeString> lines =
                    markdown::splitAtNewlineCharacters(icu::UnicodeString(text, run.start, run.end - run.start));
                edits.push_back({run.start, run.end, icu::UnicodeString(u"\t").append(savedCodeBlock(lines, 2))});
            }
            continue;
        }
        std::vector<icu::UnicodeString> lines =
            markdown::splitAtNewlineCharacters(icu::UnicodeString(text, block.start, block.end - block.start));
        lines.pop_back();
        lines.erase(lines.begin(), lines.begin() + std::min<size_t>(2, lines.size()));
        if (!lines.empty() && engine::trimmed(lines.back()).isEmpty())
            lines.pop_back();
        icu::UnicodeString token = savedCodeBlock(lines, 1);
        // The empty lines around the block stay, so the token stands on its own line.
        int32_t start = block.start;
        int32_t end = block.end;
        while (start < end && markdown::isNewlineCharacter(text.charAt(start)))
            ++start;
        while (end > start && markdown::isNewlineCharacter(text.charAt(end - 1)))
            --end;
        edits.push_back({start, end, token});
    }
    engine::applyRangeEdits(text, std::move(edits));
}

void MarkdownConverter::codeBlockReturn() {
    // Every copy of a token, and tokens inside restored code (a span within a
    // block), come back.
    codeBlocksEscaped.restoreInto(str);
}

void MarkdownConverter::quoteBlockFormatting() {
    // Each round takes off one level of ">"; nested quotes are found again by
    // the next round, so the rounds end once no quoted line is left. Each
    // round reads the whole text, so quotes nest as deep as any writer's
    // (mail threads reach a dozen levels) but no deeper: the markers of a
    // deeper level stay text in the deepest quote.
    for (int level = 0; level < markdown::kDeepestQuote; ++level) {
        // A quote nested in the last paragraph of the round before must not
        // take that quote's closing tag as one of its own lazy lines.
        const std::vector<engine::TextRange> quotes = markdown::quotedBlocks(str);
        if (quotes.empty())
            return;
        std::vector<engine::RangeEdit> edits;
        for (const engine::TextRange& quote : quotes) {
            // "> " and four spaces of code were tabbed as ">", a tab and a
            // space; without its marker such a line is indented by a tab.
            icu::UnicodeString inner =
                markdown::withoutQuoteMarkers(icu::UnicodeString(str, quote.start, quote.end - quote.start));
            // A quote may hold code and lists, even on its first line; its
            // lists are built with it, so they close inside it.
            inner.insert(0, u"\n\n");
            saveIndentedCodeBlocks(inner);
            buildLists(inner);
            icu::UnicodeString html = engine::formatted(u"<blockquote>\n%@\n</blockquote>\n\n", {addPBlocks(inner, true)});
            edits.push_back({quote.start, quote.end, html});
        }
        engine::applyRangeEdits(str, std::move(edits));
    }
}
