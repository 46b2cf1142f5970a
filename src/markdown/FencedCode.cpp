// Fenced code blocks are cut out as finished HTML behind code tokens before
// the text is normalised, so that their tabs, runs of spaces and empty lines
// stay exactly as written and no later rule sees their backticks.
#include "markdown/MarkdownConverter.h"

#include <algorithm>
#include <vector>

#include "engine/RangeEdits.h"
#include "engine/TextUtilities.h"
#include "markdown/FencedCodeScan.h"

namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::vector<icu::UnicodeString> words(const icu::UnicodeString& text) {
    std::vector<icu::UnicodeString> found;
    for (int32_t at = 0; at < text.length();) {
        while (at < text.length() && isBlank(text.charAt(at)))
            ++at;
        int32_t end = at;
        while (end < text.length() && !isBlank(text.charAt(end)))
            ++end;
        if (end > at)
            found.emplace_back(text, at, end - at);
        at = end;
    }
    return found;
}

// The code element's attributes from the info string: its first word names
// the language ("language-python"), or is a class as written when it starts
// with "."; an attribute block "{.class #id}" after it adds classes and an id.
icu::UnicodeString codeAttributes(const icu::UnicodeString& info) {
    const int32_t brace = info.indexOf(u'{');
    const bool hasBlock = brace >= 0 && info.endsWith(u"}");
    std::vector<icu::UnicodeString> classes;
    icu::UnicodeString id;
    const std::vector<icu::UnicodeString> leading = words(hasBlock ? icu::UnicodeString(info, 0, brace) : info);
    if (!leading.empty()) {
        const icu::UnicodeString& word = leading.front();
        if (!word.startsWith(u"."))
            classes.push_back(icu::UnicodeString(u"language-").append(word));
        else if (word.length() > 1)
            classes.emplace_back(word, 1);
    }
    if (hasBlock) {
        for (const icu::UnicodeString& word : words(icu::UnicodeString(info, brace + 1, info.length() - brace - 2))) {
            if (word.length() > 1 && word.charAt(0) == u'.')
                classes.emplace_back(word, 1);
            else if (word.length() > 1 && word.charAt(0) == u'#')
                id.setTo(word, 1);
        }
    }
    icu::UnicodeString attributes;
    if (!classes.empty())
        attributes.append(u" class=\"").append(engine::escapedAttributeValue(engine::join(classes, u" "))).append(u'"');
    if (!id.isEmpty())
        attributes.append(u" id=\"").append(engine::escapedAttributeValue(id)).append(u'"');
    return attributes;
}

// What stands in the text for a block. One at the left margin is a block of
// its own, with empty lines around it (inside its quote, if it has one); an
// indented one belongs to the list item above it and is indented by tabs, as
// the list pass reads the lines of an item.
icu::UnicodeString tokenLines(const markdown::FencedBlock& block, const icu::UnicodeString& token) {
    if (block.indent >= 2) {
        icu::UnicodeString line(block.quotePrefix);
        for (int32_t tabs = std::max(1, block.indent / 4); tabs > 0; --tabs)
            line.append(u'\t');
        return line.append(token);
    }
    icu::UnicodeString emptyLine = engine::trimmedOfSpacesAndTabs(block.quotePrefix);
    icu::UnicodeString lines(emptyLine);
    return lines.append(u'\n').append(block.quotePrefix).append(token).append(u'\n').append(emptyLine);
}

}  // namespace

void MarkdownConverter::saveFencedCodeBlocks() {
    std::vector<engine::RangeEdit> edits;
    for (const markdown::FencedBlock& block : markdown::fencedBlocks(str)) {
        const icu::UnicodeString html =
            engine::formatted(u"<pre><code%@>%@</code></pre>\n", {codeAttributes(block.info), hardenHTML(block.code)});
        const icu::UnicodeString token = codeBlocksEscaped.add(html);
        // Inside an indented code block the fence shows as written.
        codeSpansAsWritten.set(codeBlocksEscaped.entries().rbegin()->first, block.written);
        edits.push_back({block.start, block.end, tokenLines(block, token)});
    }
    engine::applyRangeEdits(str, std::move(edits));
}
