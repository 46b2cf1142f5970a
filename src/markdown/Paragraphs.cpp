// The paragraph builder: wraps runs of text lines in "<p>" … "</p>".
#include "markdown/MarkdownConverter.h"

#include <unicode/uchar.h>

#include "engine/TextUtilities.h"
#include "markdown/HtmlBlockScan.h"
#include "markdown/MarkdownText.h"
#include "markdown/ParagraphLine.h"

namespace {

// Lines that start like a list item, a heading, a quote or code are never
// wrapped; a digit counts only as part of an ordered-list marker, so a
// sentence may start with a number.
bool startsOutsideParagraphs(const icu::UnicodeString& line) {
    if (line.isEmpty())
        return false;
    const UChar32 c = line.char32At(0);
    if (u_isdigit(c))
        return markdown::startsWithOrderedListMarker(line);
    return c == u'#' || c == u'*' || c == u'+' || c == u'-' || c == u'>' || c == u'\t';
}

// "#" to "######", a blank and the heading's text.
bool startsAtxHeading(const icu::UnicodeString& line) {
    int32_t marks = 0;
    while (marks < line.length() && line.charAt(marks) == u'#')
        ++marks;
    return marks >= 1 && marks <= 6 && marks + 1 < line.length() && line.charAt(marks) == u' ';
}

// ">" and the quoted text.
bool startsQuote(const icu::UnicodeString& line) {
    int32_t at = 0;
    while (at < line.length() && line.charAt(at) == u' ')
        ++at;
    return at + 1 < line.length() && line.charAt(at) == u'>';
}

}  // namespace

// A saved code block (in a quote, or indented by tabs under other text)
// stands for its pre element, a saved raw HTML block for itself.
bool MarkdownConverter::isSavedBlock(const icu::UnicodeString& line) const {
    int32_t at = 0;
    while (at < line.length() && line.charAt(at) == u'\t')
        ++at;
    if (at == line.length() || line.charAt(at) != u'%')
        return false;
    if (at == 0 && isSavedRawHTML(line))
        return true;
    auto code = codeBlocksEscaped.savedTextForToken(line.tempSubString(at));
    return code && code->startsWith(u"<pre>");
}

void MarkdownConverter::performPBlocking() {
    if (engine::isBlank(str))
        return;
    str = addPBlocks(str);
}

// One walk over the lines, writing the result as it goes: a paragraph's
// closing tag belongs at the end of the line before the empty line or the
// block that closes it, so it is written just before that line's newline.
icu::UnicodeString MarkdownConverter::addPBlocks(const icu::UnicodeString& string, bool inQuote) const {
    const markdown::ParagraphTagScanner tags(HTML_close);
    auto hasBlockTag = [this](const icu::UnicodeString& line, const markdown::ParagraphLineTags& found) {
        return found.blockTag || isSavedBlock(line);
    };
    // A block needs no empty line before it: a line that starts with a block
    // element (a heading, a quote, a rule) ends the paragraph above it. A
    // quote's inside is built before the heading rules run; elsewhere a line
    // that still starts with "# " is no heading (it may be code).
    auto startsBlock = [this, inQuote](const icu::UnicodeString& line) {
        return markdown::startsWithBlockTag(line) || isSavedBlock(line) || (inQuote && startsAtxHeading(line));
    };

    const icu::UnicodeString text = engine::trimmedInPlace(string);
    // A quote's only line may be a quote of its own ("> > b"), built in the
    // next round.
    if (text.indexOf(u'\n') < 0) {
        const bool stays = hasBlockTag(text, tags.scanLine(text, 0)) || (inQuote && startsQuote(text));
        return stays ? text : engine::formatted(u"<p>%@</p>", {text});
    }

    icu::UnicodeString out = engine::emptyWithRoomFor(text);
    bool paragraphOpen = false;
    bool rawBlock = false;
    bool inList = false;
    bool inNestedQuote = false;
    for (int32_t from = 0; from <= text.length();) {
        const markdown::ParagraphLineTags found = tags.scanLine(text, from);
        const int32_t end = found.end;
        const icu::UnicodeString line = text.tempSubStringBetween(from, end);
        const bool startsSpecial = startsOutsideParagraphs(line);
        const bool hasTag = hasBlockTag(line, found);
        inList = (found.opensItem && !found.closesItem) || (inList && !found.closesItem);
        // A raw block's lines, from the one that opens it to the one that
        // closes it, stay as written.
        const bool inRawBlock = rawBlock;
        rawBlock = found.rawBlockOpenAfter(rawBlock);
        const bool quoteLine = inQuote && startsQuote(line);
        inNestedQuote = quoteLine || (inNestedQuote && !engine::isBlank(line));
        const bool block = !inRawBlock && (startsBlock(line) || quoteLine);
        if (paragraphOpen && block) {
            out.append(u"</p>");
            paragraphOpen = false;
        }
        bool opens = false;
        if (!(startsSpecial || inRawBlock || rawBlock || hasTag || inList || block || inNestedQuote)) {
            if (engine::isBlank(line)) {
                if (paragraphOpen)
                    out.append(u"</p>");
                paragraphOpen = false;
            } else if (!paragraphOpen) {
                opens = true;
                paragraphOpen = true;
            }
        }
        if (from > 0)
            out.append(u'\n');
        if (opens)
            out.append(u"<p>");
        out.append(line);
        from = end + 1;
    }
    if (paragraphOpen)
        out.append(u"</p>");
    return out;
}
