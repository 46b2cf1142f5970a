// Code spans and indented code blocks are cut out first, as finished HTML
// behind "%SavedCodeBlockN%" tokens, so that no rule touches code; block
// quotes become blockquote elements level by level.
#include "markdown/Markdown_ObjC.h"

#include "engine/RangeEdits.h"
#include "engine/Log.h"
#include "engine/TextUtilities.h"
#include "markdown/MarkdownText.h"

namespace {

// The escaped-backtick token is put in before single-backtick spans are
// found; inside code it must read as the user wrote it.
const char16_t* const kEscapedBacktickToken = u"<%%16%%>";
const char16_t* const kEscapedBacktick = u" \\`";

icu::UnicodeString asWritten(const icu::UnicodeString& code) {
    icu::UnicodeString text(code);
    engine::replaceAllLiteral(text, kEscapedBacktickToken, kEscapedBacktick);
    return text;
}

}  // namespace

icu::UnicodeString Markdown_ObjC::hardenHTML(const icu::UnicodeString& string) {
    icu::UnicodeString out(string);
    engine::replaceAllLiteral(out, u"&", u"&amp;");
    engine::replaceAllLiteral(out, u">", u"&gt;");
    engine::replaceAllLiteral(out, u"<", u"&lt;");
    return out;
}

void Markdown_ObjC::codeBlockSave() {
    // Spans in two or more backticks first, so they may hold single ones.
    saveCodeSpans(u"(?s)[`]{2,}(.*?)[`]{2,}", false, u"``");
    engine::replaceAllLiteral(str, kEscapedBacktick, kEscapedBacktickToken);
    saveCodeSpans(u"(?s)[`]{1,1}(.*?)[`]{1,1}", true, u"`");
    saveIndentedCodeBlocks();
}

void Markdown_ObjC::saveCodeSpans(const icu::UnicodeString& pattern, bool dotMatch,
                                  const icu::UnicodeString& backticksToDrop) {
    auto matches = dotMatch ? matchesForDotMatchedPattern(pattern) : matchesForPattern(pattern);
    if (!matches)
        return;
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& match : *matches) {
        icu::UnicodeString code(match.text());
        engine::replaceAllLiteral(code, backticksToDrop, u"");
        icu::UnicodeString html = engine::formatted(u"<code>%@</code>", {hardenHTML(asWritten(code))});
        edits.push_back({match.start(), match.end(), codeBlocksEscaped.add(html)});
    }
    engine::applyRangeEdits(str, std::move(edits));
}

void Markdown_ObjC::saveIndentedCodeBlocks() {
    auto matches = matchesForPattern(uR"((?m)(\n\n|\A\n)((?>^[ ]*\t[ ]?.+\n(.\n)*\n*)+))");
    if (!matches)
        return;
    std::vector<engine::RangeEdit> edits;
    for (const engine::Match& match : *matches) {
        std::vector<icu::UnicodeString> lines = markdown::splitAtNewlineCharacters(match.text());
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
            code.append(line).append(u'\n');
        }
        code = hardenHTML(asWritten(rtrim_Vant(code)));
        icu::UnicodeString token = codeBlocksEscaped.add(engine::formatted(u"<pre><code>%@</code></pre>\n", {code}));
        // The empty lines around the block stay, so the token stands on its own line.
        int32_t start = match.start();
        int32_t end = match.end();
        while (start < end && markdown::isNewlineCharacter(str.charAt(start)))
            ++start;
        while (end > start && markdown::isNewlineCharacter(str.charAt(end - 1)))
            --end;
        edits.push_back({start, end, token});
    }
    engine::applyRangeEdits(str, std::move(edits));
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
        auto matches = matchesForPattern(uR"((?m)((?>^[ ]*>[ ]?.+\n(.+\n)*\n*)+))");
        if (!matches || matches->empty())
            return;
        std::vector<engine::RangeEdit> edits;
        bool levelTakenOff = true;
        for (const engine::Match& match : *matches) {
            icu::UnicodeString inner(match.text());
            engine::RegexResult result = engine::replaceAll(inner, uR"((?m)^[ ]*>[ ]?|^[ ]+$)", u"");
            if (result.status == engine::RegexStatus::invalidPattern)
                engine::log(u"Error2 Markdown/quoteBlockFormatting %@", {result.error});
            levelTakenOff = levelTakenOff && result.ok();
            icu::UnicodeString html = engine::formatted(u"<blockquote>\n%@\n</blockquote>\n\n", {addPBlocks(inner)});
            edits.push_back({match.start(), match.end(), html});
        }
        engine::applyRangeEdits(str, std::move(edits));
        // Without a level taken off, the next round would find the same lines.
        if (!levelTakenOff)
            return;
    }
}
