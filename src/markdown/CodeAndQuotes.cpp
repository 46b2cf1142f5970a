// Code spans and indented code blocks are cut out first, as finished HTML
// behind "%SavedCodeBlockN%" tokens, so that no rule touches code; block
// quotes become blockquote elements level by level.
#include "markdown/Markdown_ObjC.h"

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
// a list item.
bool followsListItem(const icu::UnicodeString& text, const markdown::IndentedBlock& block) {
    const int32_t previousGap = text.lastIndexOf(icu::UnicodeString(u"\n\n"), 0, block.start);
    int32_t lineStart = previousGap < 0 ? 0 : previousGap + 2;
    while (lineStart < block.start && (text.charAt(lineStart) == u' ' || text.charAt(lineStart) == u'\t'))
        ++lineStart;
    const icu::UnicodeString line(text, lineStart, markdown::lineEnd(text, lineStart) - lineStart);
    const bool bulleted = line.length() > 1 && (line.charAt(0) == u'*' || line.charAt(0) == u'+' || line.charAt(0) == u'-') &&
                          (line.charAt(1) == u' ' || line.charAt(1) == u'\t');
    return bulleted || markdown::startsWithOrderedListMarker(line);
}

// What an indented block is to a list item whose paragraph it follows: a
// block indented once is a further paragraph of the item (the list pass takes
// it in), one indented twice is code inside the item.
enum class InListItem { no, paragraph, code };

InListItem placeInListItem(const icu::UnicodeString& text, const markdown::IndentedBlock& block) {
    if (!followsListItem(text, block))
        return InListItem::no;
    int32_t at = block.linesStart;
    while (at < text.length() && text.charAt(at) == u' ')
        ++at;
    return at + 1 < text.length() && text.charAt(at + 1) == u'\t' ? InListItem::code : InListItem::paragraph;
}

}  // namespace

icu::UnicodeString Markdown_ObjC::hardenHTML(const icu::UnicodeString& string) {
    return engine::escapedHTML(string);
}

void Markdown_ObjC::codeBlockSave() {
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

void Markdown_ObjC::saveCodeSpans(const std::vector<engine::TextRange>& spans,
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
icu::UnicodeString Markdown_ObjC::codeAsWritten(const icu::UnicodeString& code) const {
    icu::UnicodeString text(code);
    linksEscaped.restoreInto(text);
    codeSpansAsWritten.restoreInto(text);
    return withEscapedBackticksAsWritten(text);
}

void Markdown_ObjC::saveIndentedCodeBlocks(icu::UnicodeString& text) {
    // A fenced block indented under a list item is code already; it stays
    // where it is for the list to take in.
    auto isSavedPreBlock = [this, &text](const markdown::IndentedBlock& block) {
        const icu::UnicodeString lines =
            engine::trimmed(icu::UnicodeString(text, block.linesStart, block.end - block.linesStart));
        if (!lines.startsWith(u"%SavedCodeBlock"))
            return false;
        const std::optional<icu::UnicodeString> code = codeBlocksEscaped.savedTextForToken(lines);
        return code && code->startsWith(u"<pre>");
    };
    std::vector<engine::RangeEdit> edits;
    for (const markdown::IndentedBlock& block : markdown::indentedBlocks(text)) {
        const InListItem place = placeInListItem(text, block);
        if (place == InListItem::paragraph || isSavedPreBlock(block))
            continue;
        std::vector<icu::UnicodeString> lines =
            markdown::splitAtNewlineCharacters(icu::UnicodeString(text, block.start, block.end - block.start));
        lines.pop_back();
        lines.erase(lines.begin(), lines.begin() + std::min<size_t>(2, lines.size()));
        if (!lines.empty() && engine::trimmed(lines.back()).isEmpty())
            lines.pop_back();
        icu::UnicodeString code;
        for (icu::UnicodeString& line : lines) {
            // Drop the indent; a one-character line the block took in without
            // indentation keeps its character.
            if (!line.isEmpty() && (line.charAt(0) == u'\t' || line.charAt(0) == u' '))
                line.remove(0, 1);
            if (place == InListItem::code && line.startsWith(u"\t"))
                line.remove(0, 1);
            code.append(line).append(u'\n');
        }
        code = hardenHTML(codeAsWritten(rtrim_Vant(code)));
        icu::UnicodeString token = codeBlocksEscaped.add(engine::formatted(u"<pre><code>%@</code></pre>\n", {code}));
        // Indented once more, code in an item stays in the item's list.
        if (place == InListItem::code)
            token.insert(0, u'\t');
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

void Markdown_ObjC::codeBlockReturn() {
    // Every copy of a token, and tokens inside restored code (a span within a
    // block), come back.
    codeBlocksEscaped.restoreInto(str);
}

void Markdown_ObjC::quoteBlockFormatting() {
    // Each round takes off one level of ">"; nested quotes are found again by
    // the next round, so the rounds end once no quoted line is left.
    for (;;) {
        // A quote nested in the last paragraph of the round before must not
        // take that quote's closing tag as one of its own lazy lines.
        const std::vector<engine::TextRange> quotes = markdown::quotedBlocks(str);
        if (quotes.empty())
            return;
        std::vector<engine::RangeEdit> edits;
        bool levelTakenOff = true;
        for (const engine::TextRange& quote : quotes) {
            icu::UnicodeString inner(str, quote.start, quote.end - quote.start);
            // "> " and four spaces of code were tabbed as ">", a tab and a
            // space; without its marker such a line is indented by a tab.
            engine::RegexResult result = engine::replaceAll(inner, uR"((?m)^[ ]*>(?:[ ]|(\t+)[ ])?|^[ ]+$)", u"$1");
            if (result.status == engine::RegexStatus::invalidPattern)
                engine::log(u"Error2 Markdown/quoteBlockFormatting %@", {result.error});
            levelTakenOff = levelTakenOff && result.ok();
            // A quote may hold code, even on its first line.
            inner.insert(0, u"\n\n");
            saveIndentedCodeBlocks(inner);
            icu::UnicodeString html = engine::formatted(u"<blockquote>\n%@\n</blockquote>\n\n", {addPBlocks(inner, true)});
            edits.push_back({quote.start, quote.end, html});
        }
        engine::applyRangeEdits(str, std::move(edits));
        // Without a level taken off, the next round would find the same lines.
        if (!levelTakenOff)
            return;
    }
}
